// List, tree and list-view skins and item-by-item headers on real controls in a
// skinned window.
#include <doctest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ControlProbes.h"
#include "support/GuiObjects.h"
#include "skin/Primitives.h"
#include "skin/controls/Installers.h"
#include "skin/controls/Lists.h"

using namespace skin;
using namespace skintest;

namespace {

constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF theme = RGB(0x22, 0xCA, 0xDD);

void startCommonControls() {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_INTERNET_CLASSES |
                                                ICC_DATE_CLASSES};
    InitCommonControlsEx(&init);
}

void hover(HWND hwnd, int x = 0, int y = 0) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    SetCursorPos(r.left + (x ? x : (r.right - r.left) / 2), r.top + (y ? y : (r.bottom - r.top) / 2));
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x ? x : 3, y ? y : 3));
}

void repaintNow(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

HWND addListView(SkinnedWindow& w, int rows, DWORD style = LVS_REPORT, int columnWidth = 120) {
    HWND list = w.add(WC_LISTVIEWA, 20, 20, 300, 200, style, WS_EX_CLIENTEDGE);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = columnWidth;
    column.pszText = const_cast<char*>("Name");
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < rows; ++i) {
        std::string text = "Row " + std::to_string(i);
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text.data();
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    return list;
}

HTREEITEM addTreeItem(HWND tree, HTREEITEM parent, const char* text) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text);
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

// An image list with one opaque red 16 x 16 picture.
HIMAGELIST redImages() {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    void* bits = nullptr;
    gdi::UniqueBitmap red(gdi::makeDibPicture(16, 16, &bits));
    for (int i = 0; i < 16 * 16; ++i) static_cast<DWORD*>(bits)[i] = 0xFFFF0000u;
    ImageList_Add(images, red.get(), nullptr);
    return images;
}

void addHeaderItem(HWND header, int width, const char* text, int format) {
    HDITEMA item{};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.cxy = width;
    item.pszText = const_cast<char*>(text);
    item.fmt = format | HDF_STRING;
    item.iImage = 0;
    const auto count = SendMessageA(header, HDM_GETITEMCOUNT, 0, 0);
    SendMessageA(header, HDM_INSERTITEMA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&item));
}

bool isRed(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; }

}  // namespace

TEST_CASE("the list installers take the classes and styles they skin") {
    startCommonControls();
    SkinnedWindow w;
    struct Case {
        const char* className;
        DWORD style;
        bool insideSimpleCombo;
        bool skinned;
    } cases[] = {
        {"ListBox", WS_BORDER, false, true},
        {WC_LISTVIEWA, LVS_REPORT, false, true},
        {WC_LISTVIEWA, LVS_REPORT | LVS_SORTASCENDING, false, false},
        {WC_TREEVIEWA, 0, false, true},
        {WC_IPADDRESSA, 0, false, true},
        {DATETIMEPICK_CLASSA, 0, false, true},
        {"ComboLBox", 0, true, true},
        {"ComboLBox", CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, true, false},
    };
    for (const Case& c : cases) {
        INFO(c.className << " style " << c.style);
        HWND control = c.insideSimpleCombo ? FindWindowExA(w.add("ComboBox", 10, 10, 120, 120, CBS_SIMPLE | c.style),
                                                           nullptr, "ComboLBox", nullptr)
                                           : w.add(c.className, 10, 10, 160, 100, c.style);
        REQUIRE(control != nullptr);
        skinLists(w.index, w.top);
        CHECK(isSubclassed(control) == c.skinned);
        CHECK((w.record.lists.indexOf(control) != 0) == c.skinned);
        DestroyWindow(c.insideSimpleCombo ? GetParent(control) : control);
    }
    SUBCASE("headers: stand-alone, and the one of every list view") {
        HWND alone = w.add(WC_HEADERA, 10, 10, 200, 24, HDS_BUTTONS);
        HWND sorted = addListView(w, 1, LVS_REPORT | LVS_SORTASCENDING);
        skinHeaders(w.index, w.top);
        CHECK(w.record.headers.indexOf(alone) == 1);
        CHECK(w.record.headers.indexOf(FindWindowExA(sorted, nullptr, WC_HEADERA, nullptr)) == 2);
        CHECK(w.record.headers.at(1)->buttons == 1);
        CHECK(w.record.headers.at(1)->fontSize > 0);
    }
}

TEST_CASE("the list ring follows focus and hover; borderless lists get none") {
    startCommonControls();
    SkinnedWindow w;
    HWND list = addListView(w, 3);
    HWND other = w.add("Edit", 20, 260, 100, 24, 0);
    skinLists(w.index, w.top);
    SetFocus(other);
    const int y = 100;

    struct Case {
        const char* state;
        void (*enter)(HWND);
        int x;
        COLORREF expected;
    } cases[] = {
        {"at rest", [](HWND l) { repaintNow(l); }, 0, blend(RGB(0, 0, 0), 90, white)},
        {"focused", [](HWND l) { SetFocus(l); }, 0, blend(theme, 200, white)},
        {"hot: two pixels wide", [](HWND l) { hover(l); }, 1, blend(theme, 200, white)},
        {"left again, focused", [](HWND l) { SendMessageA(l, WM_MOUSELEAVE, 0, 0); }, 0, blend(theme, 200, white)},
        {"focus gone", [](HWND) { SetFocus(GetDlgItem(nullptr, 0)); }, 0, blend(RGB(0, 0, 0), 90, white)},
    };
    for (const Case& c : cases) {
        INFO(c.state);
        c.enter(list);
        CHECK(closeColour(screenPixel(list, c.x, y), c.expected));
    }
    SUBCASE("a borderless list box and the list of a combo box are left as they are") {
        HWND bare = w.add("ListBox", 340, 20, 100, 100, 0);
        HWND combo = w.add("ComboBox", 340, 140, 100, 120, CBS_SIMPLE);
        skinLists(w.index, w.top);
        for (HWND target : {bare, FindWindowExA(combo, nullptr, "ComboLBox", nullptr)}) {
            const int index = w.record.lists.indexOf(target);
            REQUIRE(index > 0);
            const COLORREF before = screenPixel(target, 0, 5);
            paintListFrame(w.index, index, true, true);
            CHECK(screenPixel(target, 0, 5) == before);
        }
    }
}

TEST_CASE("transparent lists and trees paint their items over the veiled window background") {
    startCommonControls();
    SkinnedWindow w;
    ScopedSetting<int> transparent(transparentControls, 1);
    veilAlpha = 160;

    SUBCASE("list view: the background lines up with the window's") {
        HWND list = addListView(w, 3);
        skinLists(w.index, w.top);
        skinHeaders(w.index, w.top);
        repaintNow(w.top);
        const Snapshot shot(list);
        CHECK(shot.keyLike() == 0);
        // Window coordinates of the list: client edge of 2, background position + 20.
        CHECK(closeColour(shot.at(250, 180), blend(white, 160, positionColour(270, 200))));
        CHECK(shot.count(RECT{2, 30, 120, 90}, isDark) > 10);  // the rows
    }
    SUBCASE("tree view: expanding repaints the new rows, never the colour key") {
        HWND tree = w.add(WC_TREEVIEWA, 20, 20, 300, 200, TVS_HASBUTTONS | TVS_LINESATROOT, WS_EX_CLIENTEDGE);
        HTREEITEM root = addTreeItem(tree, TVI_ROOT, "Volume");
        for (const char* chapter : {"Chapter one", "Chapter two", "Chapter three"}) addTreeItem(tree, root, chapter);
        skinLists(w.index, w.top);
        repaintNow(w.top);
        const RECT rows{2, 22, 150, 80};
        const int before = Snapshot(tree).count(rows, isDark);
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
        UpdateWindow(tree);
        const Snapshot shot(tree);
        CHECK(shot.count(rows, isDark) > before + 10);
        CHECK(shot.keyLike() == 0);
        CHECK(closeColour(shot.at(250, 180), blend(white, 160, positionColour(270, 200))));
    }
}

TEST_CASE("the run time's pre-translate query repaints a transparent list only while an arrow key is held") {
    startCommonControls();
    SkinnedWindow w;
    HWND list = addListView(w, 30);
    skinLists(w.index, w.top);
    struct Case {
        int transparent;
        WPARAM keyDown;  // 0: none
        bool keyUp;
        bool invalidated;
    } cases[] = {
        {1, VK_DOWN, false, true}, {1, VK_RIGHT, false, true}, {1, VK_DOWN, true, false},
        {1, VK_NEXT, false, false}, {0, VK_DOWN, false, false}, {1, 0, false, false},
    };
    for (const Case& c : cases) {
        INFO("transparent " << c.transparent << " key " << c.keyDown << " released " << c.keyUp);
        ScopedSetting<int> transparent(transparentControls, c.transparent);
        if (c.keyDown) SendMessageA(list, WM_KEYDOWN, c.keyDown, 1);
        if (c.keyUp) SendMessageA(list, WM_KEYUP, c.keyDown, 0xC0000001);
        ValidateRect(list, nullptr);
        SendMessageA(list, beforeTranslateMessage, 0, 0);
        CHECK((GetUpdateRect(list, nullptr, FALSE) != FALSE) == c.invalidated);
        SendMessageA(list, WM_KEYUP, VK_DOWN, 0xC0000001);
    }
}

TEST_CASE("header items repaint one by one with their icons") {
    startCommonControls();
    SkinnedWindow w;
    HWND header = w.add(WC_HEADERA, 20, 20, 330, 24, HDS_BUTTONS);
    HIMAGELIST images = redImages();
    SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    addHeaderItem(header, 100, "Alpha", HDF_LEFT | HDF_IMAGE);
    addHeaderItem(header, 100, "Beta", HDF_RIGHT | HDF_IMAGE);
    addHeaderItem(header, 30, "Gamma delta epsilon", HDF_RIGHT | HDF_IMAGE);
    addHeaderItem(header, 100, "", HDF_CENTER | HDF_IMAGE);
    skinHeaders(w.index, w.top);
    const HeaderSkin& skin = *w.record.headers.at(1);
    const int margin = static_cast<int>(SendMessageA(header, HDM_GETBITMAPMARGIN, 0, 0));
    const int beta = measureTextWidth("Beta", skin.fontName.c_str(), skin.fontSize, skin.fontStyle);
    repaintNow(header);

    SUBCASE("icons: left, right-aligned beside the text, at the margin when nothing fits, centred") {
        const Snapshot shot(header);
        const int centred = (100 - 16 - margin - 1) / 2;
        for (const int x : {margin, 200 - 16 - beta, 200 + margin, 230 + centred}) {
            INFO("icon at " << x);
            CHECK(isRed(shot.at(x + 1, 12)));
            CHECK(isRed(shot.at(x + 14, 12)));
            CHECK_FALSE(isRed(shot.at(x - 1, 12)));
        }
        CHECK(shot.count(RECT{0, 0, 330, 24}, isRed) == 4 * 16 * 16);
        CHECK(GetRValue(shot.at(99, 3)) < GetRValue(shot.at(97, 3)));  // a divider closes each item
    }
    SUBCASE("hot item, and no item within 5 pixels of a divider") {
        struct Case {
            int x;
            int item;
        } cases[] = {{4, 0}, {5, 1}, {95, 1}, {96, 0}, {104, 0}, {105, 2}, {150, 2}, {329, 0}};
        for (const Case& c : cases) {
            INFO("x " << c.x);
            CHECK(headerItemAt(w.index, 1, MAKELPARAM(c.x, 5)) == c.item);
        }
        const COLORREF rest = Snapshot(header).at(150, 20);
        hover(header, 150, 5);
        CHECK(skin.hotItem == 2);
        CHECK(Snapshot(header).at(150, 20) != rest);
        hover(header, 197, 5);
        CHECK(skin.hotItem == 0);
        CHECK(Snapshot(header).at(150, 20) == rest);
    }
    SUBCASE("the image list stays its owner's when the header goes") {
        DestroyWindow(header);
        CHECK(ImageList_GetImageCount(images) == 1);
    }
    ImageList_Destroy(images);
}

TEST_CASE("a list view's header reaches the list's right edge") {
    startCommonControls();
    SkinnedWindow w;
    HWND list = addListView(w, 3, LVS_REPORT, 100);
    HWND header = FindWindowExA(list, nullptr, WC_HEADERA, nullptr);
    skinLists(w.index, w.top);
    skinHeaders(w.index, w.top);
    repaintNow(w.top);
    const Snapshot shot(header);
    for (const int y : {1, 10}) CHECK(shot.at(250, y) == shot.at(80, y));
    CHECK(shot.at(250, 1) != shot.at(250, 10));  // the face's vertical shade
}

TEST_CASE("in a framed window every list-type control is skinned and shows the window through its rows") {
    startCommonControls();
    startSkinModule();
    static SkinEngine engine;
    constexpr COLORREF back = RGB(40, 90, 160);
    engine.setSkinBackground("", {}, back, 0x00DDCA22, 3);
    engine.configure(1, 160);
    HWND top = makeTopWindow(60, 60, 480, 360, WS_POPUP);
    auto child = [top](const char* className, int x, int y, int w, int h, DWORD style) {
        return makeChild(top, x, y, w, h, className, WS_CHILD | WS_VISIBLE | style, WS_EX_CLIENTEDGE);
    };
    HWND edit = child("Edit", 10, 50, 120, 24, 0);
    HWND combo = child("ComboBox", 10, 90, 120, 120, CBS_DROPDOWN);
    HWND box = child("ListBox", 10, 130, 120, 100, 0);
    SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("entry"));
    HWND tree = child(WC_TREEVIEWA, 150, 50, 140, 200, TVS_HASBUTTONS | TVS_LINESATROOT);
    HTREEITEM root = addTreeItem(tree, TVI_ROOT, "Volume");
    for (const char* chapter : {"Chapter one", "Chapter two", "Chapter three"}) addTreeItem(tree, root, chapter);
    HWND list = child(WC_LISTVIEWA, 300, 50, 170, 200, LVS_REPORT);
    engine.skinWindow(top, 40);
    SkinRecord& record = *skinRecords.at(findSkinIndex(top));
    CHECK(record.edits.indexOf(edit) == 1);
    CHECK(record.edits.indexOf(FindWindowExA(combo, nullptr, "Edit", nullptr)) == 2);
    CHECK(record.combos.indexOf(combo) == 1);
    CHECK(record.lists.indexOf(box) == 1);
    CHECK(record.lists.indexOf(list) == 2);
    CHECK(record.lists.indexOf(tree) == 3);
    CHECK(record.headers.indexOf(FindWindowExA(list, nullptr, WC_HEADERA, nullptr)) == 1);
    ShowWindow(top, SW_SHOWNOACTIVATE);
    UpdateWindow(top);
    pump();

    const COLORREF veiled = blend(RGB(255, 255, 255), 160, back);
    CHECK(closeColour(Snapshot(box).at(100, 8), veiled));  // right of the text, inside the first row
    const RECT rows{2, 20, 120, 80};
    const int before = Snapshot(tree).count(rows, isDark);
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    pump();
    const Snapshot shot(tree);
    CHECK(shot.count(rows, isDark) > before + 10);
    CHECK(shot.keyLike() == 0);
    CHECK(closeColour(shot.at(120, 180), veiled));
    CHECK(Snapshot(combo).keyLike() == 0);
    DestroyWindow(top);
    engine.configure(1);
}

TEST_CASE("1,000 repaints of each list kind leave no GDI object behind") {
    startCommonControls();
    SkinnedWindow w;
    ScopedSetting<int> transparent(transparentControls, 1);
    HWND list = addListView(w, 50);
    HWND tree = w.add(WC_TREEVIEWA, 330, 20, 140, 200, 0, WS_EX_CLIENTEDGE);
    addTreeItem(tree, TVI_ROOT, "Volume");
    HWND box = w.add("ListBox", 20, 240, 200, 100, WS_VSCROLL, WS_EX_CLIENTEDGE);
    for (int i = 0; i < 20; ++i) SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("entry"));
    skinChildControls(w.index, w.top);
    repaintNow(w.top);
    const long before = testing::gdiObjectCount();
    for (int i = 0; i < 1000; ++i) {
        for (HWND control : {list, tree, box}) RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        paintHeader(w.index, 1);
    }
    SendMessageA(box, WM_NCPAINT, 1, 0);
    CHECK(testing::gdiObjectCount() <= before);
}
