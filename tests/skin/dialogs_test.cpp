// Message boxes skinned through the CBT hook, driven from inside their modal loop:
// the fade-in, dragging by the surface, and the close zone.
#include <doctest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "SkinTestWindows.h"
#include "skin/SkinCore.h"
#include "skin/frame/Dialogs.h"
#include "support/RealInput.h"

using namespace skin;

namespace {

constexpr char boxCaption[] = "skinned box";

void startEngine() {
    static SkinEngine engine;
    static const bool started = (initSkinModule(), true);
    (void)started;
}

int alphaOf(HWND hwnd) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) return -1;
    return alpha;
}

// Called every 10 ms with the box and the milliseconds since it was asked for, until it
// answers true; then the box is closed. Times count from the call, not from the first
// tick that finds the box, so that a slow machine cannot make the fade look shorter.
std::function<bool(HWND, DWORD)> driver;
DWORD asked = 0;

void CALLBACK driveBox(HWND, UINT, UINT_PTR, DWORD) {
    // A driver that pumps messages (real input waits until it has been processed) would
    // otherwise be entered again by the ticks that come meanwhile.
    static bool driving = false;
    HWND box = FindWindowA("#32770", boxCaption);
    if (!box || driving) return;
    driving = true;
    const bool done = driver(box, GetTickCount() - asked);
    driving = false;
    if (done) PostMessageA(box, WM_COMMAND, IDOK, 0);
}

void showBox(std::function<bool(HWND, DWORD)> drive) {
    driver = std::move(drive);
    asked = GetTickCount();
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, driveBox);
    installCbtHook();
    MessageBoxA(nullptr, "Message text of the box", boxCaption, MB_OK);
    KillTimer(nullptr, timer);
    skintest::pump();
}

// Waits until the box is fully faded in, then runs then() once per tick until it is done.
std::function<bool(HWND, DWORD)> whenShown(std::function<bool(HWND)> then) {
    return [then](HWND box, DWORD elapsed) { return alphaOf(box) == 250 ? then(box) : elapsed > 3000; };
}

int nestedAlpha = 0;
int nestedTicks = 0;

void CALLBACK closeNested(HWND, UINT, UINT_PTR, DWORD) {
    HWND nested = FindWindowA("#32770", "nested box");
    if (!nested) return;
    nestedAlpha = alphaOf(nested);
    if (nestedAlpha == 250 || ++nestedTicks > 300) PostMessageA(nested, WM_COMMAND, IDOK, 0);
}

bool reddish(COLORREF c) { return GetRValue(c) - GetGValue(c) > 60 && GetRValue(c) - GetBValue(c) > 60; }

}  // namespace

TEST_CASE("a message box is skinned and fades in from invisible to alpha 250, every time") {
    startEngine();
    for (int round = 1; round <= 2; ++round) {
        INFO("message box " << round);
        std::vector<int> alphas;
        DWORD seen = 0, reached = 0;
        bool skinned = false;
        showBox([&](HWND box, DWORD elapsed) {
            HWND ok = FindWindowExA(box, nullptr, "Button", nullptr);  // still owner-drawn once it is the default
            skinned = findSkinIndex(box) && (GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
            if (alphas.empty()) seen = elapsed;
            alphas.push_back(alphaOf(box));
            if (alphas.back() == 250 && !reached) reached = elapsed;
            return reached || elapsed > 3000;
        });
        CHECK(skinned);
        REQUIRE_FALSE(alphas.empty());
        CHECK(alphas.front() < 250);  // 0 unless the first tick came after a fade step
        CHECK(alphas.back() == 250);
        for (std::size_t i = 1; i < alphas.size(); ++i) CHECK(alphas[i] >= alphas[i - 1]);
        CHECK(reached >= 150);        // five 40 ms steps after the call, seen with a 10 ms timer
        CHECK(reached - seen < 1000);  // and not much more once the box is there
        CHECK(dialogThreadStarted == 0);  // the fade ended with its box
    }
}

TEST_CASE("a message box shown over another skinned one fades in as well") {
    startEngine();
    bool opened = false;
    showBox(whenShown([&](HWND box) {
        if (opened) return false;  // ticks that arrive while the nested box is up
        opened = true;
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, closeNested);
        installCbtHook();
        MessageBoxA(box, "nested", "nested box", MB_OK);
        KillTimer(nullptr, timer);
        return true;
    }));
    CHECK(nestedAlpha == 250);
}

TEST_CASE("a box closed while fading stops its fade before its handle goes") {
    startEngine();
    for (int i = 0; i < 10; ++i) showBox([](HWND, DWORD) { return true; });
    CHECK(dialogThreadStarted == 0);
    HWND layered = skintest::makeTopWindow(0, 0, 50, 50, WS_POPUP | WS_VISIBLE, WS_EX_LAYERED);
    SetLayeredWindowAttributes(layered, 0, 77, LWA_ALPHA);
    Sleep(300);
    CHECK(alphaOf(layered) == 77);
    DestroyWindow(layered);
}

TEST_CASE("dragging the surface of a message box moves it") {
    startEngine();
    RECT before{}, after{};
    int step = 0;
    showBox(whenShown([&](HWND box) {
        if (step++ == 0) {
            GetWindowRect(box, &before);
            const POINT grab{before.left + 60, before.top + 12};
            testing::input::sendMouse({{grab, 0},
                        {grab, MOUSEEVENTF_LEFTDOWN},
                        {POINT{grab.x + 20, grab.y + 15}, 0},
                        {POINT{grab.x + 40, grab.y + 30}, 0},
                        {POINT{grab.x + 40, grab.y + 30}, MOUSEEVENTF_LEFTUP}});
            return false;
        }
        GetWindowRect(box, &after);
        return step > 30 || after.left != before.left;
    }));
    CHECK(after.left - before.left == 40);
    CHECK(after.top - before.top == 30);
}

TEST_CASE("the close zone: where it is, and red once on entry and back once on exit") {
    startEngine();
    DWORD clickedAt = 0;
    bool stayed = false;  // the box outlived the click in its close zone
    showBox(whenShown([&](HWND box) {
        if (clickedAt) return stayed = GetTickCount() - clickedAt > 2000;
        RECT r{};
        GetWindowRect(box, &r);
        const int zoneLeft = r.right - 36;
        struct Probe {
            int x, y;
            LRESULT hit;
        };
        for (const Probe& p : {Probe{r.right - 6, r.top + 10, HTCLOSE}, Probe{r.right - 5, r.top + 10, HTCAPTION},
                               Probe{zoneLeft + 1, r.top + 4, HTCLOSE}, Probe{zoneLeft, r.top + 10, HTCAPTION},
                               Probe{zoneLeft + 5, r.top + 3, HTCAPTION}, Probe{zoneLeft + 5, r.top + 25, HTCLOSE},
                               Probe{zoneLeft + 5, r.top + 26, HTCAPTION}, Probe{r.left + 40, r.top + 60, HTCAPTION}}) {
            INFO("probe at " << p.x - r.left << ", " << p.y - r.top);
            CHECK(SendMessageA(box, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)) == p.hit);
        }
        HDC picture = skinRecords.at(findSkinIndex(box))->backgroundDc.get();
        const int w = r.right - r.left;
        const POINT face{w - 18, 16};
        auto move = [&](int x, int y) { testing::input::moveTo({r.left + x, r.top + y}); };
        auto mark = [&] { SetPixel(picture, face.x, face.y, RGB(0, 255, 0)); };
        auto marked = [&] { return GetPixel(picture, face.x, face.y) == RGB(0, 255, 0); };

        CHECK_FALSE(reddish(GetPixel(picture, face.x, face.y)));
        move(w - 18, 11);
        CHECK(reddish(GetPixel(picture, face.x, face.y)));
        gdi::WindowDc screen = gdi::WindowDc::whole(box);
        CHECK(reddish(GetPixel(screen.get(), face.x, face.y)));
        mark();
        move(w - 20, 12);
        CHECK(marked());  // not painted again while it stays inside
        move(w - 60, 12);
        CHECK_FALSE(marked());
        CHECK_FALSE(reddish(GetPixel(picture, face.x, face.y)));
        mark();
        move(w - 70, 14);
        CHECK(marked());  // nor on every move outside
        move(w - 18, 11);
        move(w + 30, 11);  // left the dialog straight out of the zone
        CHECK_FALSE(reddish(GetPixel(picture, face.x, face.y)));
        testing::input::click({r.right - 18, r.top + 11});
        clickedAt = GetTickCount();
        return false;  // the box goes once its modal loop runs again
    }));
    CHECK(clickedAt != 0);
    CHECK_FALSE(stayed);  // a click in the zone closed the box
}
