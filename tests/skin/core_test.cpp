// Records, properties, subclassing, hover and the CBT hook, on real windows.
#include <doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "SkinTestWindows.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"

using namespace skin;
using skintest::makeChild;
using skintest::makeTopWindow;

namespace {

// Which procedure saw which message, in order.
struct Seen {
    const char* who;
    UINT message;
    bool operator==(const Seen&) const = default;
};
std::vector<Seen> seen;

constexpr UINT consumedBySkin = WM_APP + 1;
constexpr UINT passedOn = WM_APP + 2;

LRESULT CALLBACK recordingClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_APP) seen.push_back({"class", message});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char* recordingClass() {
    static const char* name = skintest::registerWindowClass("SkinTestRecording", recordingClassProc);
    return name;
}

LRESULT CALLBACK testControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedProc(hwnd, message, wParam, lParam, [&]() -> LRESULT {
        if (message >= WM_APP) seen.push_back({"skin", message});
        if (message == consumedBySkin) return 42;
        return callKeptProc(hwnd, message, wParam, lParam);
    });
}

// A class installer built on the convention, as the control skins build theirs.
int skinTestControls(int skinIndex, HWND parent) {
    return skinControls(
        skinIndex, parent, recordingClass(), &SkinRecord::buttons, testControlProc,
        [](HWND control) { return (GetWindowLongA(control, GWL_STYLE) & WS_DISABLED) == 0; },
        [](ButtonSkin& entry, HWND) { entry.kind = 0; });
}

int skinTestContainers(int skinIndex, HWND parent) {
    return skinControls(
        skinIndex, parent, skintest::plainClass(), &SkinRecord::containers, testControlProc,
        [](HWND) { return true; }, [](ContainerSkin& entry, HWND) { entry.paintsBackground = 1; });
}

WNDPROC procOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }
WNDPROC keptOf(HWND hwnd) { return getPropHandle<WNDPROC>(hwnd, prop::keptProc); }
bool same(WNDPROC a, WNDPROC b) { return a == b; }

}  // namespace

TEST_CASE("the engine object and the module start-up") {
    {
        SkinEngine engine;
        CHECK(SkinEngine::instance() == &engine);
        CHECK(&theSkinEngine() == &engine);
        CHECK(engine.captionButtonMargin == 3);
        CHECK(engine.hotCaptionButton == 0);
        CHECK(static_cast<bool>(engine.frameProcEntry));
        CHECK(static_cast<bool>(engine.captionCommandEntry));
        CHECK(skinBackColor == GetSysColor(COLOR_BTNFACE));

        skinningEnabled = 0;
        veilAlpha = 7;
        themeColor = 0;
        trackbarFrame = 0;
        firstSizePending = 0;
        initSkinModule();
        CHECK(gdipToken != 0);
        CHECK(skinningEnabled == 1);
        CHECK(veilAlpha == 160);
        CHECK(themeColor == 0x00DDCA22u);
        CHECK(trackbarFrame == 1);
        CHECK(firstSizePending == 1);
        CHECK(appIcon == nullptr);  // the test program has neither icon 129 nor DEFAULT_ICON
    }
    CHECK(SkinEngine::instance() == nullptr);  // gone with its destructor, which ended GDI+
}

TEST_CASE("a skinned window gets its index and is found from every descendant") {
    HWND top = makeTopWindow(0, 0, 200, 100);
    HWND panel = makeChild(top, 10, 10, 100, 50);
    HWND inner = makeChild(panel, 5, 5, 20, 20);
    HWND plain = makeTopWindow(0, 0, 50, 50);

    const int index = skintest::skinTestWindow(top);
    CHECK(index == skinRecords.count());
    CHECK(findSkinIndex(top) == index);
    CHECK(getPropInt(top, prop::index) == index);
    CHECK(same(skinRecords.at(index)->oldProc, DefWindowProcA));
    CHECK(same(keptOf(top), DefWindowProcA));
    CHECK(skinIndexOfAncestor(inner) == index);
    CHECK(skinIndexOfAncestor(top) == index);
    CHECK(findSkinIndex(panel) == 0);

    SUBCASE("the search ends with 0 when no ancestor is skinned") {
        CHECK(skinIndexOfAncestor(plain) == 0);
        CHECK(skinIndexOfAncestor(nullptr) == 0);
        CHECK(findSkinIndex(nullptr) == 0);
    }
    SUBCASE("skinning the window a second time keeps its first procedure") {
        subclassSkinnedWindow(index, skintest::recordWindowProc);
        CHECK(same(keptOf(top), DefWindowProcA));
    }
    DestroyWindow(plain);
    DestroyWindow(top);
    CHECK(findSkinIndex(top) == 0);
}

TEST_CASE("destroying the first of two skinned windows renumbers the second and its controls") {
    const int before = skinRecords.count();
    HWND first = makeTopWindow(0, 0, 200, 100);
    HWND second = makeTopWindow(0, 0, 200, 100);
    HWND firstButton = makeChild(first, 0, 0, 10, 10, recordingClass());
    HWND panel = makeChild(second, 0, 0, 100, 80);
    HWND buttonA = makeChild(second, 0, 0, 10, 10, recordingClass());
    HWND buttonB = makeChild(second, 20, 0, 10, 10, recordingClass());
    HWND inPanel = makeChild(panel, 0, 0, 10, 10, recordingClass());
    HWND toolbar = makeChild(second, 0, 90, 100, 10);

    const int firstIndex = skintest::skinTestWindow(first);
    skinTestControls(firstIndex, first);
    const int secondIndex = skintest::skinTestWindow(second);
    REQUIRE(secondIndex == firstIndex + 1);
    CHECK(skinTestControls(secondIndex, second) == 2);
    CHECK(skinTestContainers(secondIndex, second) == 2);  // the panel and the toolbar window
    CHECK(skinTestControls(secondIndex, panel) == 1);
    SkinRecord& record = *skinRecords.at(secondIndex);
    const int keyed = record.toolbars.takeEntry();
    record.toolbars.at(keyed)->hwnd = toolbar;
    setProp(toolbar, prop::keyedOwnerIndex, secondIndex);

    DestroyWindow(first);

    CHECK(skinRecords.count() == before + 1);
    CHECK(findSkinIndex(second) == firstIndex);
    CHECK(getPropInt(second, prop::index) == firstIndex);
    for (HWND control : {buttonA, buttonB, inPanel, panel}) CHECK(getPropInt(control, prop::ownerIndex) == firstIndex);
    CHECK(getPropInt(toolbar, prop::keyedOwnerIndex) == firstIndex);
    CHECK(locate(buttonB, &SkinRecord::buttons).record == skinRecords.at(firstIndex));
    CHECK(locate(buttonB, &SkinRecord::buttons).controlIndex == 2);
    CHECK(!IsWindow(firstButton));
    DestroyWindow(second);
    CHECK(skinRecords.count() == before);
}

TEST_CASE("class installers take the empty entry first and never subclass a control twice") {
    HWND top = makeTopWindow(0, 0, 200, 100);
    HWND a = makeChild(top, 0, 0, 10, 10, recordingClass());
    HWND b = makeChild(top, 20, 0, 10, 10, recordingClass());
    HWND disabled = makeChild(top, 40, 0, 10, 10, recordingClass(), WS_CHILD | WS_VISIBLE | WS_DISABLED);
    HWND other = makeChild(top, 60, 0, 10, 10);
    const int index = skintest::skinTestWindow(top);
    SkinRecord& record = *skinRecords.at(index);
    REQUIRE(record.buttons.count() == 1);

    CHECK(skinTestControls(index, top) == 2);
    CHECK(record.buttons.count() == 2);
    CHECK(record.buttons.indexOf(a) + record.buttons.indexOf(b) == 3);
    CHECK(getPropInt(a, prop::ownerIndex) == index);
    CHECK(getPropInt(b, prop::index) == record.buttons.indexOf(b));
    CHECK(same(record.buttons.at(record.buttons.indexOf(a))->oldProc, recordingClassProc));
    CHECK(same(procOf(a), testControlProc));
    CHECK(same(procOf(disabled), recordingClassProc));
    CHECK(!isSubclassed(disabled));
    CHECK(!isSubclassed(other));

    SUBCASE("a second run over the same parent changes nothing") {
        CHECK(skinTestControls(index, top) == 0);
        CHECK(record.buttons.count() == 2);
        CHECK(same(keptOf(a), recordingClassProc));
    }
    SUBCASE("with skinning disabled no control is subclassed") {
        HWND late = makeChild(top, 80, 0, 10, 10, recordingClass());
        skinningEnabled = 0;
        CHECK(skinTestControls(index, top) == 0);
        skinningEnabled = 1;
        CHECK(same(procOf(late), recordingClassProc));
        CHECK(GetPropA(late, prop::keptProc) == nullptr);
        CHECK(GetPropA(late, prop::index) == nullptr);
        CHECK(record.buttons.count() == 2);
    }
    SUBCASE("an installer for a window without a record does nothing") {
        HWND late = makeChild(top, 80, 0, 10, 10, recordingClass());
        CHECK(skinTestControls(skinRecords.count() + 1, top) == 0);
        CHECK(!isSubclassed(late));
    }
    DestroyWindow(top);
}

TEST_CASE("a subclass procedure consumes its own messages and passes the rest on") {
    HWND top = makeTopWindow(0, 0, 200, 100);
    HWND control = makeChild(top, 0, 0, 10, 10, recordingClass());
    const int index = skintest::skinTestWindow(top);
    skinTestControls(index, top);
    seen.clear();

    CHECK(SendMessageA(control, consumedBySkin, 0, 0) == 42);
    SendMessageA(control, passedOn, 0, 0);

    const std::vector<Seen> expected{{"skin", consumedBySkin}, {"skin", passedOn}, {"class", passedOn}};
    CHECK(seen == expected);
    DestroyWindow(top);
}

TEST_CASE("hover bookkeeping repaints only when the hot control changes") {
    HWND top = makeTopWindow(0, 0, 200, 100);
    HWND edit = makeChild(top, 0, 0, 50, 20, "Edit");
    HWND combo = makeChild(top, 0, 30, 80, 100, "ComboBox", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN);
    HWND comboEdit = FindWindowExA(combo, nullptr, "Edit", nullptr);
    SkinRecord record;

    CHECK(takeHover(edit, record, 1, HotKind::button));
    CHECK(record.newHotIndex == 1);
    CHECK_FALSE(takeHover(edit, record, 1, HotKind::button));
    CHECK(takeHover(edit, record, 1, HotKind::trackbar));
    CHECK(takeHover(edit, record, 2, HotKind::trackbar));
    CHECK(record.lastHotKind == static_cast<int>(HotKind::trackbar));

    SUBCASE("an edit in a combo box and a stand-alone edit with the same index are different") {
        CHECK(takeHover(edit, record, 1, HotKind::edit));
        CHECK(record.hotEditParent == top);
        CHECK_FALSE(takeHover(edit, record, 1, HotKind::edit));
        if (comboEdit) {
            CHECK(takeHover(comboEdit, record, 1, HotKind::edit));
            CHECK(record.hotEditParent == combo);
        }
    }
    SUBCASE("after the mouse leaves, the same control becomes hot again") {
        dropHover(record);
        CHECK(record.lastHotIndex == 0);
        CHECK(takeHover(edit, record, 2, HotKind::trackbar));
    }
    DestroyWindow(top);
}

TEST_CASE("a control destroyed takes its colour brush with it; tear-down deletes those of living controls once") {
    HWND top = makeTopWindow(0, 0, 200, 100);
    HWND edit = makeChild(top, 0, 0, 50, 20, "Edit");
    const int index = skintest::skinTestWindow(top);
    // Subclassed by the skin or not, a control releases its brush as it goes.
    HWND skinned = makeChild(top, 60, 0, 10, 10, recordingClass());
    REQUIRE(skinTestControls(index, top) == 1);
    for (HWND gone : {skinned, makeChild(top, 80, 0, 10, 10, "Edit")}) {
        HBRUSH own = CreateSolidBrush(RGB(7, 8, 9));
        keepColorBrush(gone, own, nullptr);
        DestroyWindow(gone);
        CHECK(GetObjectType(own) == 0);
    }
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    keepColorBrush(edit, brush, bitmap);
    HBRUSH replacement = CreateSolidBrush(RGB(4, 5, 6));
    keepColorBrush(edit, replacement, nullptr);
    CHECK(GetObjectType(brush) == 0);
    CHECK(GetObjectType(bitmap) == 0);

    releaseSkinRecord(top);
    CHECK(findSkinIndex(top) == 0);
    CHECK(GetObjectType(replacement) == 0);
    CHECK(GetPropA(edit, prop::colorBrush) == nullptr);
    releaseSkinRecord(top);  // no record any more: nothing happens
    (void)index;
    DestroyWindow(top);
}

TEST_CASE("a record releases its memory pictures with it") {
    HWND top = makeTopWindow(0, 0, 64, 64);
    const int index = skintest::skinTestWindow(top);
    skintest::paintPositionPattern(*skinRecords.at(index), 64, 64);
    HDC dc = skinRecords.at(index)->backgroundDc.get();
    HBITMAP bitmap = skinRecords.at(index)->backgroundDc.bitmap();
    REQUIRE(GetObjectType(dc) == OBJ_MEMDC);
    REQUIRE(GetObjectType(bitmap) == OBJ_BITMAP);
    DestroyWindow(top);
    CHECK(GetObjectType(dc) == 0);
    CHECK(GetObjectType(bitmap) == 0);
}

// --- CBT hook -------------------------------------------------------------------

namespace {

int skinnerCalls = 0;
int boxActivations = 0;
HWND otherWindow = nullptr;
int timerStep = 0;
const char* const boxCaption = "hook test box";

LRESULT CALLBACK countingDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) ++boxActivations;
    return callKeptProc(hwnd, message, wParam, lParam);
}

// Stands in for the dialog skin: subclasses the dialog the way every skin does.
void countingSkinner(HWND dialog) {
    ++skinnerCalls;
    const auto old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countingDialogProc)));
    setPropHandle(dialog, prop::keptProc, old);
}

// Drives the message box from inside its modal loop: activates another window, then
// the box again, then closes it.
void CALLBACK driveBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = FindWindowA("#32770", boxCaption);
    if (!box) return;
    switch (timerStep++) {
    case 0: SetActiveWindow(otherWindow); break;
    case 1: SetActiveWindow(box); break;
    default: PostMessageA(box, WM_COMMAND, IDOK, 0); break;
    }
}

void showBox() {
    timerStep = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, driveBox);
    MessageBoxA(nullptr, "text", boxCaption, MB_OK);
    KillTimer(nullptr, timer);
    skintest::pump();
}

}  // namespace

TEST_CASE("the CBT hook catches a message box once") {
    otherWindow = makeTopWindow(300, 300, 100, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    dialogSkinner = countingSkinner;
    skinnerCalls = 0;
    boxActivations = 0;

    SUBCASE("shown with the hook installed: skinned at its first activation only") {
        installCbtHook();
        showBox();
        removeCbtHook();
        CHECK(skinnerCalls == 1);
        CHECK(boxActivations >= 2);
    }
    SUBCASE("shown without the hook: left alone") {
        removeCbtHook();
        showBox();
        CHECK(skinnerCalls == 0);
    }
    SUBCASE("asking for the hook twice leaves one hook to remove") {
        installCbtHook();
        installCbtHook();
        removeCbtHook();
        showBox();
        CHECK(skinnerCalls == 0);
    }
    SUBCASE("other windows activated while hooked are not dialogs") {
        installCbtHook();
        HWND plain = makeTopWindow(0, 0, 50, 50, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        SetActiveWindow(plain);
        removeCbtHook();
        CHECK(skinnerCalls == 0);
        DestroyWindow(plain);
    }
    dialogSkinner = nullptr;
    DestroyWindow(otherWindow);
}
