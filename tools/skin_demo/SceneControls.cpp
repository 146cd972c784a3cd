// The controls scene: edits (single-line, multi-line with scroll bars), combo boxes
// (drop-down, drop-down list), a list box, a tree view and a list view with header
// icons; one of each family is shown hot.
#include "Scenes.h"

#include <commctrl.h>

#include <string>

#include "skin/controls/Edits.h"
#include "skin/controls/Lists.h"

namespace demo {

namespace {

HWND hotEdit = nullptr;
HWND hotCombo = nullptr;
HWND hotList = nullptr;
constexpr UINT_PTR hotComboTimer = 2;

HIMAGELIST systemIcons() {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 1);
    for (const LPCSTR id : {IDI_INFORMATION, IDI_WARNING, IDI_APPLICATION}) {
        HICON icon = static_cast<HICON>(LoadImageA(nullptr, id, IMAGE_ICON, 16, 16, LR_SHARED));
        ImageList_AddIcon(images, icon);
    }
    return images;
}

void addColumn(HWND list, int index, const char* text, int width, int format, int image) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_IMAGE;
    column.fmt = format | LVCFMT_IMAGE;
    column.cx = width;
    column.pszText = const_cast<char*>(text);
    column.iImage = image;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void addRow(HWND list, int row, const char* name, const char* words) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.iImage = row % 3;
    item.pszText = const_cast<char*>(name);
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.mask = LVIF_TEXT;
    item.iSubItem = 1;
    item.pszText = const_cast<char*>(words);
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

HTREEITEM addTreeItem(HWND tree, HTREEITEM parent, const char* text) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text);
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

HWND addCombo(DemoWindow& window, DWORD style, int y, int selected) {
    HWND combo = window.add("ComboBox", "", style | WS_VSCROLL, 20, y, 180, 160);
    for (const char* item : {"宋体", "黑体", "楷体", "仿宋"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    return combo;
}

// A combo box keeps no hover flag of its own: the hot picture is painted once the
// window shows, and lasts until the combo box repaints.
void CALLBACK paintHotCombo(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    if (skin::SkinRecord* record = skin::recordOf(hwnd))
        if (const skin::ComboSkin* combo = record->combos.at(record->combos.indexOf(hotCombo)))
            skin::paintCombo(*combo, true);
}

}  // namespace

void buildControlsScene(DemoWindow& window) {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&init);
    // A light veil keeps text readable over the picture.
    window.engine.configure(1, 150);

    window.add("Edit", "单行编辑框", ES_AUTOHSCROLL, 20, 92, 180, 24, 0, WS_EX_CLIENTEDGE);
    hotEdit = window.add("Edit", "鼠标悬停", ES_AUTOHSCROLL, 20, 124, 180, 24, 0, WS_EX_CLIENTEDGE);
    std::string lines;
    for (int i = 1; i <= 12; ++i) lines += "第" + std::to_string(i) + "行：多行编辑框带滚动条，文字很长很长很长\r\n";
    window.add("Edit", lines.c_str(), ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL, 20,
               156, 180, 100, 0, WS_EX_CLIENTEDGE);
    addCombo(window, CBS_DROPDOWN, 266, 0);
    addCombo(window, CBS_DROPDOWNLIST, 298, 1);
    hotCombo = addCombo(window, CBS_DROPDOWNLIST, 330, 2);

    HWND box = window.add("ListBox", "", WS_VSCROLL | LBS_NOTIFY, 215, 92, 130, 110, 0, WS_EX_CLIENTEDGE);
    for (const char* item : {"第一卷", "第二卷", "第三卷", "番外篇", "草稿箱", "回收站", "设定集"})
        SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(box, LB_SETCURSEL, 1, 0);

    HWND tree = window.add(WC_TREEVIEWA, "", TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 215, 212, 130, 148, 0,
                           WS_EX_CLIENTEDGE);
    HTREEITEM volume = addTreeItem(tree, TVI_ROOT, "第一卷 初入江湖");
    for (const char* chapter : {"第一章 下山", "第二章 客栈", "第三章 夜雨"}) addTreeItem(tree, volume, chapter);
    HTREEITEM second = addTreeItem(tree, TVI_ROOT, "第二卷 风起");
    addTreeItem(tree, second, "第四章 故人");
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(volume));

    hotList = window.add(WC_LISTVIEWA, "", LVS_REPORT | LVS_SHOWSELALWAYS, 360, 92, 260, 268, 0, WS_EX_CLIENTEDGE);
    SendMessageA(hotList, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(systemIcons()));
    addColumn(hotList, 0, "章节", 130, LVCFMT_LEFT, 0);
    addColumn(hotList, 1, "字数", 80, LVCFMT_RIGHT, 1);
    const char* chapters[][2] = {{"第一章 下山", "3,204"}, {"第二章 客栈", "2,918"}, {"第三章 夜雨", "4,071"},
                                 {"第四章 故人", "3,530"}, {"第五章 剑鸣", "2,766"}, {"第六章 旧事", "3,112"}};
    int row = 0;
    for (const auto& chapter : chapters) addRow(hotList, row++, chapter[0], chapter[1]);
    LVITEMA selected{};
    selected.stateMask = LVIS_SELECTED;
    selected.state = LVIS_SELECTED;
    SendMessageA(hotList, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&selected));

    window.options.statusItems = {{"控件演示", {}, 160}, {"悬停：第二个编辑框、最后的组合框、列表视图", {}, -1}};
}

void finishControlsScene(DemoWindow& window) {
    skin::SkinRecord* record = skin::recordOf(window.hwnd);
    if (!record) return;
    // Shown hot as if the mouse rested on them.
    if (skin::EditSkin* edit = record->edits.at(record->edits.indexOf(hotEdit))) edit->hot = 1;
    if (skin::ListSkin* list = record->lists.at(record->lists.indexOf(hotList))) list->hot = 1;
    HWND header = FindWindowExA(hotList, nullptr, WC_HEADERA, nullptr);
    if (skin::HeaderSkin* skinned = record->headers.at(record->headers.indexOf(header))) {
        skinned->hot = 1;
        skinned->hotItem = 2;
    }
    SetTimer(window.hwnd, hotComboTimer, 400, paintHotCombo);
}

}  // namespace demo
