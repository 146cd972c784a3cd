// Rings of edits and list-type controls, transparent lists and trees, item-by-item
// headers, and the GDI balance of every kind, on real controls.
#include <doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ControlProbes.h"
#include "support/GuiObjects.h"
#include "skin/Primitives.h"
#include "skin/WindowUtils.h"
#include "skin/controls/Edits.h"
#include "skin/controls/Installers.h"
#include "skin/controls/Lists.h"

using namespace skin;
using namespace skintest;

namespace {

constexpr COLORREF white = RGB(255, 255, 255), theme = RGB(0x22, 0xCA, 0xDD);

HWND addListView(HWND parent, int x, int rows, DWORD style = LVS_REPORT) {
    HWND list = makeChild(parent, x, 50, 200, 200, WC_LISTVIEWA, WS_CHILD | WS_VISIBLE | style, WS_EX_CLIENTEDGE);
    LVCOLUMNA column{LVCF_TEXT | LVCF_WIDTH, 0, 100, const_cast<char*>("Name")};
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < rows; ++i) {
        std::string text = "Row " + std::to_string(i);
        LVITEMA item{LVIF_TEXT, i, 0, 0, 0, text.data()};
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    return list;
}

HTREEITEM addTreeItem(HWND tree, HTREEITEM parent, const char* text) {
    TVINSERTSTRUCTA insert{parent, TVI_LAST, {}};
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text);
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

}  // namespace

TEST_CASE("the rings of edits and lists follow focus and hover") {
    SkinnedWindow w;
    HWND edit = w.add("Edit", 20, 20, 160, 26, 0);
    HWND list = addListView(w.top, 200, 3);
    skinChildControls(w.index, w.top);
    // Alpha of the theme colour when lit, of black at rest.
    const struct { HWND control; int alpha, restAlpha; } kinds[] = {{edit, 180, 80}, {list, 200, 90}};
    for (const auto& kind : kinds) {
        const COLORREF rest = blend(RGB(0, 0, 0), kind.restAlpha, white), lit = blend(theme, kind.alpha, white);
        const struct { const char* state; void (*enter)(HWND); int x; COLORREF expected; } states[] = {
            {"at rest", [](HWND c) { repaintNow(c); }, 0, rest},
            {"focused", [](HWND c) { SetFocus(c); }, 0, lit},
            // Near the bottom edge: over a list view's rows, not its header.
            {"hot: two pixels wide", [](HWND c) { hover(c, 20, windowSize(c).cy - 8); }, 1, lit},
            {"repainted while hot", [](HWND c) { repaintNow(c); }, 1, lit},
            // A list view's header is a child of the list, and the pointer over it is over the list.
            {"hot over a child", [](HWND c) { hover(GetWindow(c, GW_CHILD) ? GetWindow(c, GW_CHILD) : c, 20, 5); }, 1,
             lit},
            {"left, still focused", [](HWND) { testing::input::moveAway(); }, 0, lit},
        };
        SetFocus(w.top);
        for (const auto& s : states) {
            INFO(getClassName(kind.control) << ": " << std::string(s.state));
            s.enter(kind.control);
            CHECK(closeColour(Snapshot(kind.control).at(s.x, 13), s.expected));
        }
    }
    // Borderless lists and the list of a combo box get none.
    HWND bare = w.add("ListBox", 300, 260, 100, 60, 0, 0);
    HWND combo = w.add("ComboBox", 20, 100, 100, 120, CBS_SIMPLE, 0);
    skinLists(w.index, w.top);
    for (HWND target : {bare, FindWindowExA(combo, nullptr, "ComboLBox", nullptr)}) {
        const COLORREF before = Snapshot(target).at(0, 5);
        paintListFrame(*w.record.lists.at(w.record.lists.indexOf(target)), true, true);
        CHECK(Snapshot(target).at(0, 5) == before);
    }
}

TEST_CASE("the list installers take the classes and styles they skin") {
    SkinnedWindow w;
    const struct { const char* className; DWORD style; bool skinned; } cases[] = {
        {"ListBox", 0, true}, {WC_LISTVIEWA, LVS_REPORT, true}, {WC_LISTVIEWA, LVS_REPORT | LVS_SORTASCENDING, false},
        {WC_TREEVIEWA, 0, true}, {WC_IPADDRESSA, 0, true}, {DATETIMEPICK_CLASSA, 0, true},
        {"ComboLBox", 0, true}, {"ComboLBox", CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, false},
    };
    for (const auto& c : cases) {
        INFO(c.className << " style " << c.style);
        const bool inCombo = std::string(c.className) == "ComboLBox";
        HWND combo = inCombo ? w.add("ComboBox", 10, 10, 120, 120, CBS_SIMPLE | c.style) : nullptr;
        HWND control = inCombo ? FindWindowExA(combo, nullptr, "ComboLBox", nullptr)
                               : w.add(c.className, 10, 10, 160, 100, c.style);
        skinLists(w.index, w.top);
        CHECK(isSubclassed(control) == c.skinned);
        CHECK((w.record.lists.indexOf(control) != 0) == c.skinned);
        DestroyWindow(inCombo ? combo : control);
    }
    HWND sorted = addListView(w.top, 10, 1, LVS_REPORT | LVS_SORTASCENDING);
    skinHeaders(w.index, w.top);  // its header still is
    CHECK(w.record.headers.indexOf(FindWindowExA(sorted, nullptr, WC_HEADERA, nullptr)) == 1);
}

TEST_CASE("the run time's pre-translate query repaints a transparent list only while an arrow key is held") {
    SkinnedWindow w;
    HWND list = addListView(w.top, 20, 30);
    skinLists(w.index, w.top);
    const struct { int transparent; WPARAM key; bool released, invalidated; } cases[] = {
        {1, VK_DOWN, false, true}, {1, VK_RIGHT, false, true}, {1, VK_DOWN, true, false},
        {1, VK_NEXT, false, false}, {0, VK_DOWN, false, false}, {1, 0, false, false}};
    for (const auto& c : cases) {
        INFO("transparent " << c.transparent << " key " << c.key << " released " << c.released);
        transparentControls = c.transparent;
        if (c.key) SendMessageA(list, WM_KEYDOWN, c.key, 1);
        if (c.released) SendMessageA(list, WM_KEYUP, c.key, 0xC0000001);
        ValidateRect(list, nullptr);
        SendMessageA(list, beforeTranslateMessage, 0, 0);
        CHECK((GetUpdateRect(list, nullptr, FALSE) != FALSE) == c.invalidated);
        SendMessageA(list, WM_KEYUP, VK_DOWN, 0xC0000001);
    }
    transparentControls = 0;
}

TEST_CASE("header items repaint one by one with their icons") {
    SkinnedWindow w;
    HWND header = w.add(WC_HEADERA, 20, 20, 330, 24, HDS_BUTTONS, 0);
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    std::vector<DWORD> red(16 * 16, 0xFFFF0000u);
    std::vector<BYTE> opaque(32, 0);
    ImageList_AddIcon(images, gdi::UniqueIcon(CreateIcon(nullptr, 16, 16, 1, 32, opaque.data(),
                                                         reinterpret_cast<BYTE*>(red.data()))).get());
    SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    const struct { int width; const char* text; int format; } items[] = {
        {100, "Alpha", HDF_LEFT}, {100, "Beta", HDF_RIGHT}, {30, "Gamma delta", HDF_RIGHT}, {100, "", HDF_CENTER}};
    for (const auto& item : items) {
        HDITEMA info{HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_IMAGE, item.width, const_cast<char*>(item.text)};
        info.fmt = item.format | HDF_IMAGE | HDF_STRING;
        SendMessageA(header, HDM_INSERTITEMA, 9, reinterpret_cast<LPARAM>(&info));
    }
    skinHeaders(w.index, w.top);
    const HeaderSkin& skin = *w.record.headers.at(1);
    const int margin = static_cast<int>(SendMessageA(header, HDM_GETBITMAPMARGIN, 0, 0));
    const int beta = measureTextWidth("Beta", skin.fontName.c_str(), skin.fontSize, skin.fontStyle);
    repaintNow(header);
    const Snapshot shot(header);
    // Left; right-aligned beside the text; at the margin when nothing fits; centred.
    for (const int x : {margin, 200 - 16 - beta, 200 + margin, 230 + (100 - 16 - margin - 1) / 2})
        CHECK((isRed(shot.at(x + 1, 12)) && isRed(shot.at(x + 14, 12)) && !isRed(shot.at(x - 1, 12))));
    CHECK(shot.count(isRed) == 4 * 16 * 16);
    CHECK(GetRValue(shot.at(99, 3)) < GetRValue(shot.at(97, 3)));  // a divider closes each item

    // Hot item, none within 5 pixels of an item edge.
    for (const auto& [x, item] : {std::pair{4, 0}, {5, 1}, {95, 1}, {96, 0}, {104, 0}, {105, 2}, {329, 0}})
        CHECK(headerItemAt(*w.record.headers.at(1), MAKELPARAM(x, 5)) == item);
    hover(header, 150, 5);
    CHECK(skin.hotItem == 2);
    CHECK(Snapshot(header).at(150, 20) != shot.at(150, 20));
    hover(header, 197, 5);
    CHECK(Snapshot(header).at(150, 20) == shot.at(150, 20));

    DestroyWindow(header);
    CHECK(ImageList_GetImageCount(images) == 1);  // the image list stays its owner's
    ImageList_Destroy(images);
}

TEST_CASE("in a framed window: every kind skinned, lists show the window through their rows, no GDI growth") {
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
    HWND list = addListView(top, 270, 3);
    engine.skinWindow(top, 40);
    SkinRecord& record = *skinRecords.at(findSkinIndex(top));
    HWND header = FindWindowExA(list, nullptr, WC_HEADERA, nullptr);
    CHECK((record.edits.indexOf(edit) == 1 && record.combos.indexOf(combo) == 1));
    CHECK((record.lists.indexOf(box) == 1 && record.lists.indexOf(list) == 2 && record.lists.indexOf(tree) == 3));
    CHECK(record.headers.indexOf(header) == 1);
    ShowWindow(top, SW_SHOWNOACTIVATE);
    UpdateWindow(top);
    pump();

    const COLORREF veiled = blend(white, 160, back);
    CHECK(closeColour(Snapshot(edit).at(0, 12), blend(RGB(0, 0, 0), 80, veiled)));  // ring and client area
    CHECK(closeColour(Snapshot(edit).at(100, 12), veiled));
    CHECK(closeColour(Snapshot(box).at(100, 8), veiled));    // right of the text, in the first row
    CHECK(closeColour(Snapshot(list).at(150, 150), veiled));  // below the rows
    const RECT rows{2, 20, 120, 80};
    const int before = Snapshot(tree).count(isDark, rows);
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    pump();
    const Snapshot shot(tree);
    CHECK(shot.count(isDark, rows) > before + 10);
    CHECK(shot.count(isKeyLike) == 0);
    CHECK(closeColour(shot.at(120, 180), veiled));
    CHECK(Snapshot(combo).count(isKeyLike) == 0);
    // A list view's header reaches the list's right edge with the same face.
    const Snapshot heading(header);
    for (const int y : {1, 10}) CHECK(heading.at(180, y) == heading.at(80, y));

    auto repaint = [&](int times) {
        for (int i = 0; i < times; ++i) {
            for (HWND control : {edit, combo, box, tree, list})
                RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
            paintHeader(*skinRecords.at(findSkinIndex(top))->headers.at(1));
        }
    };
    repaint(100);  // the system's caches fill up first
    const long objects = testing::gdiObjectCount();
    repaint(1000);
    CHECK(testing::gdiObjectCount() <= objects);  // 1,000 repaints of each kind
    DestroyWindow(top);
    engine.configure(1);
}
