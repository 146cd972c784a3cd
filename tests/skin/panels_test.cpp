// Picture panels on real windows: layout, image modes, clipping, items, and the
// animation thread's timing, stopping and clean-up.
#include <doctest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <cstdlib>

#include "SkinTestWindows.h"
#include "assets/Assets.h"
#include "graphics/Gx.h"
#include "skin/Backdrop.h"
#include "skin/DcGraphics.h"
#include "skin/Primitives.h"
#include "skin/panels/PicturePlayer.h"
#include "support/BmpBuilder.h"
#include "support/GuiObjects.h"

using namespace skin;

namespace {

bool similar(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 3 && std::abs(GetGValue(a) - GetGValue(b)) <= 3 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 3;
}

Bytes solid(int w, int h, COLORREF c) { return testing::makeBmp(w, h, 24, false, [c](int, int) { return c; }); }
const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0);

// A W x H panel at (20, 20) of a skinned 320 x 260 window whose background shows positions.
struct Panel {
    HWND top = skintest::makeTopWindow(100, 100, 320, 260);
    int index = skintest::skinTestWindow(top);
    HWND panel;
    PicturePlayer player;
    Panel(int w = 200, int h = 160) : panel(skintest::makeChild(top, 20, 20, w, h)) {
        static const bool started = (initSkinModule(), true);
        (void)started;
        skintest::paintPositionPattern(*skinRecords.at(index), 320, 260);
    }
    ~Panel() { DestroyWindow(top); }
    COLORREF at(int x, int y) const { return GetPixel(player.panelPicture(), x, y); }
    bool clean(int x, int y) const { return at(x, y) == skintest::positionColour(x + 20, y + 20); }
    // Hash of a w x h area of dc at (x, y).
    static std::size_t hashOf(HDC dc, int x, int y, int w, int h) {
        gdi::BitmapDc copy;
        void* bits = nullptr;
        copy.select(gdi::makeDibPicture(w, h, &bits));
        BitBlt(copy.get(), 0, 0, w, h, dc, x, y, SRCCOPY);
        GdiFlush();
        std::size_t hash = 0;  // of the colours; what a window keeps in the alpha byte varies
        for (int i = 0; i < w * h; ++i) hash = hash * 1000003u ^ (static_cast<DWORD*>(bits)[i] & 0xFFFFFFu);
        return hash;
    }
    // From the screen, not the window's surface: drawing from another thread can stay
    // in the surface for a while before the user sees it.
    std::size_t screenHash(int x, int y, int w, int h) const {
        POINT origin{x, y};
        ClientToScreen(panel, &origin);
        gdi::WindowDc screen = gdi::WindowDc::client(nullptr);
        return hashOf(screen.get(), origin.x, origin.y, w, h);
    }
};

long threadCount() {
    gdi::UniqueKernelHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 e{sizeof(e)};
    long n = 0;
    for (BOOL ok = Thread32First(snap.get(), &e); ok; ok = Thread32Next(snap.get(), &e))
        n += e.th32OwnerProcessID == GetCurrentProcessId();
    return n;
}

void wait(int ms) {
    for (const DWORD end = GetTickCount() + ms; GetTickCount() < end; Sleep(5)) skintest::pump();
}

}  // namespace

TEST_CASE("the layout rectangle of each mode, the glow only in its margin band") {
    struct Row { int mode; PanelLayout r; POINT glow, clear; };
    const Row rows[] = {{0, {6, 6, 188, 148}, {100, 2}, {100, 80}},  {1, {0, 6, 200, 154}, {100, 2}, {100, 157}},
                        {2, {0, 0, 200, 154}, {100, 157}, {100, 2}}, {3, {6, 0, 194, 160}, {2, 80}, {197, 80}},
                        {4, {0, 0, 194, 160}, {197, 80}, {2, 80}},   {5, {0, 0, 200, 160}, {-1, -1}, {2, 80}},
                        {9, {0, 0, 0, 0}, {-1, -1}, {100, 2}}};
    Panel p;  // re-attached for each row: attach starts from a reset player
    for (const Row& row : rows) {
        CAPTURE(row.mode);
        const PanelLayout r = layoutRect(row.mode, 6, 200, 160);
        CHECK((r.x == row.r.x && r.y == row.r.y && r.w == row.r.w && r.h == row.r.h));
        p.player.attach(p.panel, panelShape::rectangle, row.mode);
        p.player.setLayout(row.mode, 6, 0, 255);
        p.player.paintPanel();
        if (row.glow.x >= 0) CHECK_FALSE(p.clean(row.glow.x, row.glow.y));
        CHECK(p.clean(row.clear.x, row.clear.y));
    }
}

TEST_CASE("image modes place the base image; split shapes never show it") {
    struct Row { int shape, mode, imageWidth; POINT painted, clear; };
    const Row rows[] = {{1, 0, 20, {10, 10}, {40, 10}},  {1, 1, 20, {180, 10}, {160, 10}},
                        {1, 1, 200, {10, 10}, {-1, -1}}, {1, 2, 20, {90, 72}, {78, 72}},
                        {1, 3, 20, {170, 120}, {-1, -1}}, {1, 4, 20, {150, 120}, {-1, -1}},
                        {1, 7, 20, {-1, -1}, {10, 10}},  {2, 3, 20, {-1, -1}, {100, 40}},
                        {3, 3, 20, {-1, -1}, {40, 100}},  {4, 3, 20, {100, 80}, {-1, -1}}};
    Panel p;
    for (const Row& row : rows) {
        CAPTURE(row.shape);
        CAPTURE(row.mode);
        const Bytes image = solid(row.imageWidth, 10, red);
        p.player.attach(p.panel, row.shape, 0, 0, 0, image, row.mode);
        p.player.setLayout(0, 6, 0, 255);
        p.player.paintPanel();
        if (row.painted.x >= 0) CHECK(similar(p.at(row.painted.x, row.painted.y), red));
        if (row.clear.x >= 0) CHECK(p.clean(row.clear.x, row.clear.y));
    }
}

TEST_CASE("with a base image the items and gradient are clipped to the shape, without one they are not") {
    Panel p;
    for (const bool withImage : {false, true}) {
        CAPTURE(withImage);
        p.player.attach(p.panel, panelShape::roundRect, 0, 0, 0, withImage ? solid(4, 4, red) : Bytes{});
        p.player.setLayout(0, 6, 0, 255);
        p.player.addImageItem(solid(4, 4, green), 0, 0);
        p.player.setGradient(3, 0x0000FF, 255, 0x0000FF, 255);
        p.player.paintPanel();
        CHECK(similar(p.at(1, 1), green) == !withImage);
        CHECK(similar(p.at(100, 80), RGB(255, 0, 0)));
    }
}

TEST_CASE("items: sizes, moves and indices out of range; no children, no kept background") {
    Panel p;
    p.player.attach(p.panel);
    skintest::pump();
    p.player.paintPanel();
    CHECK(GetPropA(p.panel, "Wxk_Zpf") == nullptr);
    CHECK(p.player.addImageItem({}, 1, 1) == 0);
    const Bytes image = solid(20, 10, red);
    REQUIRE(p.player.addImageItem(image, 5, 5) == 1);
    p.player.setImageItem(1, std::nullopt, 40);
    const ImageItem& item = *p.player.imageItem(1);
    CHECK((item.x == 40 && item.width == 20 && item.height == 10));
    CHECK(similar(p.at(45, 8), red));
    CHECK(p.clean(8, 8));  // the old place shows the backdrop again
    // A repaint of what the application draws on the panel keeps the move.
    windowlessChanged(p.panel);
    InvalidateRect(p.panel, nullptr, TRUE);
    UpdateWindow(p.panel);
    CHECK((similar(p.at(45, 8), red) && p.clean(8, 8)));

    REQUIRE(p.player.addTextItem("abc", {.x = 10, .y = 20}) == 1);
    const RECT r = p.player.textItem(1)->rect;
    CHECK(r.right - r.left == measureTextWidth("abc", "宋体", 12, 0));
    CHECK(r.bottom - r.top == 17);
    CHECK(p.player.setTextItem(1, {.x = 15}));
    CHECK((p.player.textItem(1)->rect.left == 15 && p.player.textItem(1)->rect.right == r.right));
    for (const int bad : {0, 2}) {
        CAPTURE(bad);
        CHECK_FALSE(p.player.refreshImageItem(bad));
        CHECK_FALSE(p.player.refreshTextItem(bad));
        CHECK_FALSE(p.player.setTextItem(bad, {.text = "x"}));
        CHECK(p.player.getTextItemText(bad).empty());
    }
    CHECK(p.player.getTextItemText() == "abc");

    // With a child: a container whose controls are skinned over the panel picture.
    HWND parent = skintest::makeChild(p.top, 230, 20, 80, 80);
    HWND button = skintest::makeChild(parent, 10, 10, 40, 20, "Button");
    PicturePlayer withChild;
    withChild.attach(parent, panelShape::rectangle, 5, 0, 0, {}, 0);
    withChild.setGradient(1, 0x0000FF, 200, 0xFF0000, 200);
    withChild.paintPanel();
    CHECK(GetPropA(parent, "Wxk_Zpf") == reinterpret_cast<HANDLE>(1));
    CHECK((findContainer(p.index, parent) != 0 && isSubclassed(button)));
    ScopedBackdrop behindButton(makeBackdrop(button, RECT{0, 0, 40, 20}));
    CHECK(GetPixel(behindButton.get(), 5, 5) == GetPixel(withChild.panelPicture(), 15, 15));
    // A panel on that panel follows its new picture.
    PicturePlayer inner;
    inner.attach(skintest::makeChild(parent, 10, 40, 30, 30), panelShape::rectangle);
    skintest::pump();
    withChild.setGradient(1, 0x00FF00, 255, 0x00FF00, 255);
    withChild.paintPanel();
    skintest::pump();
    CHECK(GetPixel(inner.panelPicture(), 5, 5) == GetPixel(withChild.panelPicture(), 15, 45));
    // Reset, the panel keeps no picture for its controls any more, whoever asks.
    withChild.resetPanel();
    CHECK((GetPropA(parent, "Wxk_Zpf") == nullptr && getProp(parent, prop::keepsBackground) == 0));
}

TEST_CASE("frame delays: 100 ms where none is usable, never under 20 ms") {
    struct Row { std::vector<std::int32_t> stored; int frames; std::vector<DWORD> delays; };
    const Row rows[] = {{{}, 3, {100, 100, 100}},     {{10, 20}, 3, {100, 200, 100}}, {{0, 1, -5}, 3, {100, 100, 100}},
                        {{2, 3}, 2, {20, 30}},        {{10, 10, 10, 10, 20}, 5, {100, 100, 100, 100, 200}}};
    for (const Row& row : rows) CHECK(frameDelays(row.stored, row.frames) == row.delays);
}

TEST_CASE("the animation shows frames 0-4 for 100, 100, 100, 100 and 200 ms and loops") {
    Panel p(200, 200);
    p.player.attach(p.panel, panelShape::rectangle);
    UpdateWindow(p.panel);
    // The frames as the player composes them: panel picture, then the frame scaled.
    std::size_t frames[5];
    for (int k = 0; k < 5; ++k) {
        gdi::BitmapDc dc;
        dc.select(gdi::makeDibPicture(150, 150));
        BitBlt(dc.get(), 0, 0, 150, 150, p.player.panelPicture(), 0, 0, SRCCOPY);
        GxImage image;
        image.FromBytes(ImgAnimation);
        image.SelectActiveFrame(GxFormat::FrameTime, k);
        DcGraphics surface(dc.get());
        surface.graphics().DrawImageRect(image, 0, 0, 150, 150);
        surface.finish();
        frames[k] = Panel::hashOf(dc.get(), 0, 0, 150, 150);
    }
    p.player.play(ImgAnimation.bytes(), 0, 0, 150, 150);
    p.player.play(ImgAnimation.bytes(), 40, 40);  // ignored
    // A sample sees the screen at some moment between its two times, so a frame change lies
    // between the last sample of one frame and the end of the first sample of the next:
    // a slow sampler widens that window instead of making a frame look early or late.
    struct Shown { DWORD firstEnd, lastStart; std::size_t hash; };
    std::vector<Shown> shown;
    for (const DWORD end = GetTickCount() + 2200; GetTickCount() < end; Sleep(2)) {
        const DWORD before = GetTickCount();
        const std::size_t h = p.screenHash(0, 0, 150, 150);
        if (shown.empty() || shown.back().hash != h) shown.push_back({GetTickCount(), before, h});
        else shown.back().lastStart = before;
    }
    const COLORREF corner = GetPixel(gdi::WindowDc::client(p.panel).get(), 195, 195);
    CHECK(corner == p.at(195, 195));
    const int delays[5] = {100, 100, 100, 100, 200};
    // Timed from the second cycle on: the first one composes each frame as it comes, which
    // delays the frame's appearance (by a lot under emulation) but not the schedule.
    int frame = -1, seen = 0, cycles = 0;
    for (std::size_t i = 0; i + 1 < shown.size(); ++i) {
        if (frame < 0 && shown[i].hash == frames[0] && i > 0 && ++cycles == 2) frame = 0;
        if (frame < 0) continue;
        CAPTURE(frame);
        CHECK(shown[i].hash == frames[frame]);
        // Never early; late by at most a busy machine's scheduling delay.
        const int longest = int(shown[i + 1].firstEnd - shown[i - 1].lastStart);
        const int shortest = int(shown[i].lastStart - shown[i].firstEnd);
        CHECK(longest >= delays[frame] - 30);
        CHECK(shortest <= delays[frame] + 90);
        frame = (frame + 1) % 5;
        ++seen;
    }
    CHECK(seen >= 6);  // a whole cycle and the start of the next

    p.player.stopAnimation();
    CHECK_FALSE(p.player.isPlaying());
    wait(50);
    CHECK(p.screenHash(0, 0, 150, 150) == Panel::hashOf(p.player.panelPicture(), 0, 0, 150, 150));
}

TEST_CASE("the animation in its own size; a hidden panel or a minimised window draws no frames") {
    Panel p(240, 240);
    p.player.attach(p.panel);
    UpdateWindow(p.panel);
    p.player.play(ImgAnimation.bytes(), 0, 0);
    wait(150);
    auto shown = [&p](int x, int y) { return GetPixel(gdi::WindowDc::client(p.panel).get(), x, y); };
    CHECK(shown(104, 228) != p.at(104, 228));  // the shadow's centre
    p.player.moveAnimation(120, 120, 100, 100);
    wait(150);
    CHECK(shown(104, 228) == p.at(104, 228));
    CHECK(shown(170, 180) != p.at(170, 180));
    for (auto [hide, show] : {std::pair{p.panel, SW_HIDE}, std::pair{p.top, SW_MINIMIZE}}) {
        wait(150);
        CHECK(p.player.framesDrawn() > 0);
        ShowWindow(hide, show);
        wait(200);  // a frame being drawn as the panel goes may still finish (slow under emulation)
        const int drawn = p.player.framesDrawn();
        wait(450);
        CHECK(p.player.framesDrawn() == drawn);
        ShowWindow(hide, hide == p.top ? SW_RESTORE : SW_SHOW);
        wait(150);
        CHECK(p.player.framesDrawn() > drawn);
    }
}

TEST_CASE("1,000 play/stop and 1,000 play/destroy cycles leave no thread, GDI object or handle behind") {
    Panel p(160, 160);
    p.player.attach(p.panel);
    UpdateWindow(p.panel);
    auto playStop = [&](int i) {
        p.player.play(ImgAnimation.bytes(), i % 20, 0, 100, 100);
        if (i % 3 == 0) Sleep(1);
        p.player.stopAnimation();
        if (i % 50 == 0) skintest::pump();
    };
    auto playDestroy = [&](int i) {
        PicturePlayer player;
        HWND panel = skintest::makeChild(p.top, 180, 20, 120, 120);
        player.attach(panel);
        UpdateWindow(panel);
        player.play(ImgAnimation.bytes(), 0, 0, 100, 100);
        if (i % 3 == 0) Sleep(1);
        DestroyWindow(panel);
        CHECK_FALSE(player.isPlaying());
        CHECK(player.attachedWindow() == nullptr);
    };
    // What the system keeps after the first uses (caches that stop growing) stays out of
    // the count; a leak would grow with every cycle.
    for (int i = -100; i <= 0; ++i) playStop(i);
    for (int i = -100; i <= 0; ++i) playDestroy(i);
    skintest::pump();
    const long threads = threadCount(), gdiObjects = testing::gdiObjectCount();
    const long handles = testing::kernelHandleCount();
    for (int i = 1; i <= 1000; ++i) playStop(i);
    for (int i = 1; i <= 1000; ++i) playDestroy(i);
    skintest::pump();
    CHECK(threadCount() == threads);
    CHECK(testing::gdiObjectCount() <= gdiObjects + 2);
    CHECK(testing::kernelHandleCount() <= handles + 2);
    CHECK(handles > 0);
}
