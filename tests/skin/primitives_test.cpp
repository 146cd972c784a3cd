// Colour conversion, rounded shapes, the glow, font queries and window utilities.
#include <doctest.h>
#include <windows.h>

#include <cmath>
#include <vector>

#include "SkinTestWindows.h"
#include "graphics/GxGraphics.h"
#include "graphics/GxPath.h"
#include "skin/Primitives.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"

using namespace skin;
using skintest::makeChild;
using skintest::makeTopWindow;

namespace {

void startSkinModule() {
    static const bool started = (initSkinModule(), true);
    (void)started;
}

struct PathData {
    std::vector<GxPointF> points;
    std::vector<BYTE> types;
};

PathData dataOf(GxPath& path) {
    PathData data;
    path.GetPathData(data.points, data.types);
    return data;
}

bool at(const GxPointF& p, float x, float y) { return std::fabs(p.X - x) < 0.01f && std::fabs(p.Y - y) < 0.01f; }

bool hasPoint(const PathData& data, float x, float y) {
    for (const GxPointF& p : data.points)
        if (at(p, x, y)) return true;
    return false;
}

// A white 32-bit picture to draw on; GetPixel reads it back.
struct Canvas {
    gdi::BitmapDc dc;
    Canvas(int w, int h) {
        dc.select(gdi::makeDibPicture(w, h));
        PatBlt(dc.get(), 0, 0, w, h, WHITENESS);
    }
    int red(int x, int y) { return GetRValue(GetPixel(dc.get(), x, y)); }
};

}  // namespace

TEST_CASE("toArgb swaps red and blue and puts the alpha on top") {
    static_assert(toArgb(0x00DDCA22) == 0xFF22CADDu);
    CHECK(toArgb(0x00DDCA22, 160) == 0xA022CADDu);
    CHECK(toArgb(0x00FFFFFF, 0) == 0x00FFFFFFu);
    CHECK(toArgb(0x000000FF, 0x1FF) == 0xFFFF0000u);  // only the low byte of the alpha counts
    CHECK(toArgb(0x12345678, 255) == 0xFF785634u);    // the top byte of a COLORREF is dropped
}

TEST_CASE("addRoundRect clamps the corner and makes the bottom-right arc one pixel larger") {
    startSkinModule();
    GxPath path;
    path.Create();

    SUBCASE("corner diameter 10") {
        addRoundRect(path, 10, 20, 100, 50, 10);
        const PathData data = dataOf(path);
        REQUIRE(!data.points.empty());
        CHECK(at(data.points.front(), 105, 20));  // top-right arc starts at its top
        CHECK(hasPoint(data, 110, 25));             // and ends on the right edge
        CHECK(hasPoint(data, 110, 64.5f));          // bottom-right arc: 11 wide, 1 pixel in
        CHECK(hasPoint(data, 104.5f, 70));
        CHECK(hasPoint(data, 15, 70));              // bottom-left arc
        CHECK(hasPoint(data, 10, 65));
        CHECK(hasPoint(data, 10, 25));              // top-left arc
        CHECK((data.types.back() & 0x80) != 0);     // closed
    }
    SUBCASE("0 counts as 1") {
        addRoundRect(path, 0, 0, 100, 50, 0);
        CHECK(at(dataOf(path).points.front(), 99.5f, 0));
    }
    SUBCASE("a negative diameter counts as 1") {
        addRoundRect(path, 0, 0, 100, 50, -7);
        CHECK(at(dataOf(path).points.front(), 99.5f, 0));
    }
    SUBCASE("250 counts as 100") {
        addRoundRect(path, 0, 0, 300, 300, 250);
        const PathData data = dataOf(path);
        CHECK(at(data.points.front(), 250, 0));
        CHECK(hasPoint(data, 300, 249.5f));
    }
}

TEST_CASE("addTopRoundRect leaves the bottom open") {
    startSkinModule();
    GxPath path;
    path.Create();
    addTopRoundRect(path, 0, 0, 60, 20, 6);
    const PathData data = dataOf(path);
    REQUIRE(data.points.size() >= 2);
    CHECK(at(data.points.front(), 0, 20));
    CHECK(at(data.points.back(), 60, 20));
    CHECK(hasPoint(data, 0, 6));
    CHECK(hasPoint(data, 3, 0));
    CHECK(hasPoint(data, 57, 0));
    CHECK(hasPoint(data, 60, 6));
    for (BYTE type : data.types) CHECK((type & 0x80) == 0);
}

TEST_CASE("drawGlow is darkest on the path and fades outwards") {
    startSkinModule();
    Canvas canvas(100, 40);
    GxGraphics graphics;
    graphics.FromHdc(canvas.dc.get());
    GxPath path;
    path.Create();
    path.AddLine(10, 20, 90, 20);
    drawGlow(graphics, path, 4, 0x00000000, 100);
    graphics.Delete();
    GdiFlush();

    const int centre = std::min(canvas.red(50, 19), canvas.red(50, 20));
    const int ring = canvas.red(50, 18);  // reached by the two widest strokes only
    CHECK(centre < 80);  // four overlapping strokes
    CHECK(ring > centre + 30);
    CHECK(ring < 255);
    CHECK(canvas.red(50, 26) == 255);
}

TEST_CASE("font queries") {
    startSkinModule();
    HWND top = makeTopWindow(0, 0, 200, 100);
    HWND label = makeChild(top, 0, 0, 100, 20, "Static");

    SUBCASE("getWindowFont reports the window's font as GDI+ sees it") {
        HFONT font = CreateFontA(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "SimHei");
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        const WindowFont got = getWindowFont(label);
        CHECK(got.size == 16);
        CHECK((got.style & 1) == 1);
        CHECK(!got.faceName.empty());
        CHECK(GetObjectType(font) == OBJ_FONT);  // the window keeps its font
        DeleteObject(font);
    }
    SUBCASE("getClassName") {
        CHECK(getClassName(label) == "Static");
        CHECK(isClass(label, "STATIC"));
        CHECK(getClassName(nullptr).empty());
    }
    SUBCASE("measureTextWidth grows with the text and the size") {
        const int one = measureTextWidth("W", "SimSun", 12, 0);
        const int four = measureTextWidth("WWWW", "SimSun", 12, 0);
        CHECK(one > 1);
        CHECK(four > 3 * one / 2);
        CHECK(measureTextWidth("WWWW", "SimSun", 24, 0) > four);
        CHECK(measureTextWidth("", "SimSun", 12, 0) == 1);
    }
    DestroyWindow(top);
}

TEST_CASE("window geometry") {
    HWND top = makeTopWindow(100, 100, 300, 200);
    HWND framed = makeChild(top, 10, 20, 120, 80, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER);
    HWND inner = makeChild(framed, 5, 6, 30, 20);

    SUBCASE("childRectInParent is in the parent's client coordinates") {
        const RECT r = childRectInParent(inner);
        CHECK(r.left == 5);
        CHECK(r.top == 6);
        CHECK(r.right == 35);
        CHECK(r.bottom == 26);
        skintest::skinTestWindow(top);
        const RECT none = childRectInParent(top);
        CHECK(IsRectEmpty(&none));
    }
    SUBCASE("rectangles relative to other windows") {
        RECT r = rectRelativeTo(top, inner);
        CHECK(r.left == 16);  // 10 + 1 border + 5
        CHECK(r.top == 27);
        r = rectInRoot(inner);
        CHECK(r.left == 16);
        CHECK(r.bottom == 47);
        const int index = skintest::skinTestWindow(top);
        r = rectInSkinWindow(inner);
        CHECK(r.left == 16);
        (void)index;
    }
    SUBCASE("innerRect adds the scroll bars and centres the area") {
        HWND scrolled = makeChild(top, 0, 0, 100, 60, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL);
        const RECT r = innerRect(scrolled);
        CHECK(r.left == 1);
        CHECK(r.top == 1);
        CHECK(r.right == 99);
        CHECK(r.bottom == 59);
        const RECT plain = innerRect(inner);
        CHECK(plain.left == 0);
        CHECK(plain.right == 30);
    }
    DestroyWindow(top);
}

TEST_CASE("style queries") {
    HWND top = makeTopWindow(0, 0, 300, 200);
    CHECK(hasFrame(makeChild(top, 0, 0, 10, 10, nullptr, WS_CHILD | WS_BORDER)));
    CHECK(hasFrame(makeChild(top, 0, 0, 10, 10, nullptr, WS_CHILD, WS_EX_CLIENTEDGE)));
    CHECK(hasFrame(makeChild(top, 0, 0, 10, 10, nullptr, WS_CHILD, WS_EX_DLGMODALFRAME)));
    CHECK_FALSE(hasFrame(makeChild(top, 0, 0, 10, 10, nullptr, WS_CHILD)));

    CHECK(isOwnerDrawListBox(makeChild(top, 0, 0, 50, 50, "ListBox", WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS)));
    CHECK(isOwnerDrawListBox(makeChild(top, 0, 0, 50, 50, "ListBox", WS_CHILD | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS)));
    CHECK_FALSE(isOwnerDrawListBox(makeChild(top, 0, 0, 50, 50, "ListBox", WS_CHILD)));
    CHECK_FALSE(isOwnerDrawListBox(makeChild(top, 0, 0, 50, 50, nullptr, WS_CHILD | 0x0010)));

    CHECK(isTransparentWindow(makeChild(top, 0, 0, 10, 10, nullptr, WS_CHILD, WS_EX_TRANSPARENT)));
    CHECK_FALSE(isTransparentWindow(makeChild(top, 0, 0, 10, 10)));
    DestroyWindow(top);
}

TEST_CASE("excludeChildClip and invalidateChildren see visible children only") {
    HWND top = makeTopWindow(0, 0, 300, 200);
    HWND solid = makeChild(top, 10, 10, 40, 40);
    HWND see = makeChild(top, 60, 10, 40, 40, nullptr, WS_CHILD | WS_VISIBLE, WS_EX_TRANSPARENT);
    HWND hidden = makeChild(top, 110, 10, 40, 40, nullptr, WS_CHILD);
    skintest::pump();
    UpdateWindow(top);

    {
        gdi::WindowDc dc = excludeChildClip(top);
        // The DC of a window class without CS_PARENTDC clips children itself, so the
        // exclusion is checked on a memory DC with the same clip rule.
        CHECK(dc.get() != nullptr);
    }
    gdi::BitmapDc memory;
    memory.select(CreateBitmap(300, 200, 1, 32, nullptr));
    excludeChildClip(top, memory.get());
    CHECK_FALSE(PtVisible(memory.get(), 20, 20));
    CHECK(PtVisible(memory.get(), 70, 20));
    CHECK(PtVisible(memory.get(), 120, 20));
    CHECK(PtVisible(memory.get(), 200, 150));

    for (HWND w : {solid, see, hidden}) ValidateRect(w, nullptr);
    invalidateChildren(top);
    CHECK(GetUpdateRect(solid, nullptr, FALSE));
    CHECK(GetUpdateRect(see, nullptr, FALSE));
    CHECK_FALSE(GetUpdateRect(hidden, nullptr, FALSE));
    DestroyWindow(top);
}
