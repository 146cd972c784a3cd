// The window procedure of framed windows: painting, caption-button hover fades and
// commands, dragging and border resizing, maximise/minimise bookkeeping and the
// WM_CTLCOLOR* answers for transparent controls.
#include <windowsx.h>
#include <shlwapi.h>

#include <utility>

#include "skin/Backdrop.h"
#include "skin/SkinCore.h"
#include "skin/WindowUtils.h"
#include "skin/controls/Buttons.h"
#include "skin/frame/FramePainting.h"

namespace skin {

namespace {

constexpr int fadeSteps = 8;
constexpr UINT fadeInterval = 20;

UINT_PTR fadeTimerId(HWND hwnd) { return reinterpret_cast<UINT_PTR>(hwnd); }

// Empties this process's working set when the application is deactivated. Runs on
// its own thread and touches nothing but the process's memory.
DWORD WINAPI trimMemory(void*) {
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
    return 0;
}

// The area a window may cover on its monitor: all of it, or, maximised, what the taskbar
// leaves free wherever it lies.
RECT screenArea(HWND hwnd, bool maximized) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info))
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return maximized ? info.rcWork : info.rcMonitor;
}

}  // namespace

LRESULT CALLBACK SkinEngine::frameProcTrampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardedProc(hwnd, message, wParam, lParam, [&] {
        SkinEngine* engine = instance();
        return engine ? engine->frameProc(hwnd, message, wParam, lParam)
                      : callKeptProc(hwnd, message, wParam, lParam);
    });
}

void SkinEngine::captionCommandTrampoline(int skinIndex, int buttonIndex) {
    try {
        if (SkinEngine* engine = instance()) engine->captionCommand(skinIndex, buttonIndex);
    } catch (...) {
        // A caption command that failed leaves the window as it was.
    }
}

bool SkinEngine::pointInButtonStrip(int skinIndex, LPARAM lParam) {
    const SkinRecord* record = recordAt(skinIndex);
    if (!record) return false;
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    const IntRect& s = record->buttonStrip;
    return x >= s.x - 2 && x <= s.x + s.width && y <= s.height && y >= 0;
}

LRESULT SkinEngine::frameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const int skinIndex = getPropInt(hwnd, prop::index);
    SkinRecord* record = recordAt(skinIndex);
    if (!record || record->hwnd != hwnd) return callKeptProc(hwnd, message, wParam, lParam);
    if (const auto answer = answerChildMessage(skinIndex, message, wParam, lParam)) return *answer;

    switch (message) {
    case WM_SIZE:
        record->hotButton = 0;
        if (firstSizePending) {
            record->frameDirty = 0;
            firstSizePending = 0;
        } else {
            record->frameDirty = 1;
        }
        layoutDockedWindows(skinIndex);
        break;
    case WM_SETTEXT:
        if (record->drawCaptionText && record->hasCaption)
            paintCaptionText(skinIndex, nullptr, reinterpret_cast<const char*>(lParam));
        break;
    case WM_PAINT: {
        {
            gdi::PaintDc paint(hwnd);
            if (!record->minimized) {
                if (frameNeedsPaint(*record)) paintFrame(skinIndex, paint.get(), true);
                else copyFrame(skinIndex, paint.get());
            }
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    case WM_QUERYOPEN: record->minimized = 0; break;
    case WM_ERASEBKGND:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return 1;
    case WM_SHOWWINDOW:
        if (wParam == 1) {
            // The window is not visible yet: the frame is made ready for the first paint.
            if (record->minimized) record->minimized = 0;
            else paintFrame(skinIndex);
        }
        break;
    case WM_ACTIVATEAPP:
        if (wParam == 0) SHCreateThread(trimMemory, nullptr, 0, nullptr);
        break;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        const RECT area = screenArea(hwnd, record->maximized);
        info->ptMinTrackSize = {200, 150};
        info->ptMaxTrackSize = {area.right - area.left, area.bottom - area.top};
        return 0;
    }
    case WM_WINDOWPOSCHANGED: {
        if (record->maximized) {
            const RECT area = screenArea(hwnd, true);
            RECT r{};
            GetWindowRect(hwnd, &r);
            // Only a change moves the window: the move itself comes back here.
            if (!EqualRect(&r, &area))
                SetWindowPos(hwnd, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                             SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
        }
        layoutCaptionButtons(skinIndex);
        if (record->statusBarHeight > 0) layoutStatusBar(skinIndex);
        break;
    }
    case WM_NCDESTROY: {
        const LRESULT result = callKeptProc(hwnd, message, wParam, lParam);
        releaseSkinRecord(hwnd);
        KillTimer(hwnd, fadeTimerId(hwnd));
        return result;
    }
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MAXIMIZE:
            record->maximized = 1;
            record->frameDirty = 1;
            break;
        case SC_RESTORE:
            record->frameDirty = 1;
            record->minimized = 0;
            break;
        case SC_MINIMIZE:
            record->frameDirty = 1;
            record->minimized = 1;
            break;
        default: break;
        }
        break;
    case WM_TIMER:
        if (wParam == fadeTimerId(hwnd)) fadeStep(hwnd, *record);
        break;
    case WM_MOUSEMOVE: mouseMove(hwnd, *record, skinIndex, lParam); break;
    case WM_LBUTTONDOWN: buttonDown(hwnd, *record, skinIndex, lParam); break;
    case WM_LBUTTONUP: {
        // Only a release over the button the press went down on is a click: an up
        // without its down (the second half of a double click that closed a box lying
        // over the strip) runs nothing.
        const int pressed = std::exchange(record->pressedButton, 0);
        hotCaptionButton = captionButtonAt(skinIndex, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (captionCommandEntry && pressed >= 1 && pressed == hotCaptionButton &&
            hotCaptionButton <= static_cast<int>(record->captionButtons.size()) && record->hasCaption) {
            // The command may destroy the window and its record.
            captionCommandEntry(skinIndex, hotCaptionButton);
            return callKeptProc(hwnd, message, wParam, lParam);
        }
        break;
    }
    case WM_LBUTTONDBLCLK:
        if (GET_Y_LPARAM(lParam) <= record->captionHeight && record->sizable) {
            if (const int b = findMaximizeButton(skinIndex); b > 0) captionCommand(skinIndex, b);
        }
        break;
    case WM_MOUSEHOVER: record->mouseInside = 1; break;
    case WM_MOUSELEAVE: mouseLeave(*record, skinIndex); break;
    default: break;
    }
    return callKeptProc(hwnd, message, wParam, lParam);
}

void SkinEngine::fadeStep(HWND hwnd, SkinRecord& record) {
    const int skinIndex = getPropInt(hwnd, prop::index);
    CaptionFade& in = record.fadeIn;
    CaptionFade& out = record.fadeOut;
    if (in.buttonIndex >= 1 && in.step < fadeSteps) {
        ++in.step;
        paintCaptionButton(skinIndex, in.buttonIndex, nullptr, false, 30 * in.step);
    }
    if (out.buttonIndex >= 1 && out.step < fadeSteps) {
        ++out.step;
        paintCaptionButton(skinIndex, out.buttonIndex, nullptr, false, 240 - 30 * out.step);
    }
    if ((!record.mouseInside || !record.fadeTimerOn) && (out.step >= fadeSteps || out.buttonIndex == 0)) {
        record.fadeTimerOn = 0;
        KillTimer(hwnd, fadeTimerId(hwnd));
        record.hotButton = 0;
        in = {};
        out = {};
    }
}

void SkinEngine::mouseMove(HWND hwnd, SkinRecord& record, int skinIndex, LPARAM lParam) {
    RECT client{};
    GetClientRect(hwnd, &client);
    if (!record.mouseInside) {
        TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, hwnd, 1};
        TrackMouseEvent(&track);
    }
    if (!record.hasCaption) return;
    if (pointInButtonStrip(skinIndex, lParam)) {
        if (!record.fadeTimerOn) {
            SetTimer(hwnd, fadeTimerId(hwnd), fadeInterval, nullptr);
            record.fadeTimerOn = 1;
        }
    } else {
        record.fadeTimerOn = 0;
    }
    hotCaptionButton = captionButtonAt(skinIndex, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (record.hotButton >= 1 && record.hotButton != hotCaptionButton) {
        // A fade-out still running is cut short: its button is shown plain at once.
        if (record.fadeOut.step < fadeSteps)
            paintCaptionButton(skinIndex, record.fadeOut.buttonIndex, nullptr, false, 0);
        record.fadeOut = {record.hotButton, 0};
    }
    if (hotCaptionButton >= 1 && hotCaptionButton != record.hotButton) record.fadeIn = {hotCaptionButton, 0};
    record.hotButton = hotCaptionButton;
    if (!record.maximized) updateResizeCursor(skinIndex, lParam, client);
}

void SkinEngine::mouseLeave(SkinRecord& record, int skinIndex) {
    record.mouseInside = 0;
    record.pressedButton = 0;
    if (record.hotButton >= 1 && record.hasCaption) {
        if (record.fadeOut.step < fadeSteps && record.fadeIn.step < fadeSteps) {
            paintCaptionButton(skinIndex, record.fadeOut.buttonIndex);
            record.fadeIn = {};
        }
        record.fadeOut = {record.hotButton, 0};
        record.hotButton = 0;
    }
}

void SkinEngine::buttonDown(HWND hwnd, SkinRecord& record, int skinIndex, LPARAM lParam) {
    RECT client{};
    GetClientRect(hwnd, &client);
    record.fadeIn.buttonIndex = 0;
    if (!record.hasCaption) return;
    if (!record.maximized && !record.minimized) {
        beginDragOrResize(skinIndex, lParam, client);
        // A drag or resize runs its own message loop; the window may be gone after it.
        if (recordAt(skinIndex) != &record) return;
    }
    hotCaptionButton = captionButtonAt(skinIndex, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    record.pressedButton = hotCaptionButton;
    if (hotCaptionButton >= 1) paintCaptionButton(skinIndex, hotCaptionButton, nullptr, true);
}

void SkinEngine::beginDragOrResize(int skinIndex, LPARAM lParam, const RECT& client) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record) return;
    const int x = LOWORD(lParam);
    const int y = HIWORD(lParam);
    const IntRect& s = record->buttonStrip;
    if (s.x <= x && x <= s.x + s.width && 3 <= y && y <= s.height) return;
    if (!record->hasCaption) return;
    HWND hwnd = record->hwnd;
    if (record->sizable) {
        const ResizeHit hit =
            resizeHitAt(x, y, client.right - client.left, client.bottom - client.top, captionButtonMargin);
        if (hit.command) {
            SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(hit.cursor)));
            record->frameDirty = 1;
            SendMessageA(hwnd, WM_SYSCOMMAND, hit.command, 0);
            return;
        }
    }
    // The move starts from where the pointer is; from (0, 0) the window would jump.
    POINT at{x, y};
    ClientToScreen(hwnd, &at);
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
}

void SkinEngine::updateResizeCursor(int skinIndex, LPARAM lParam, const RECT& client) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || !record->sizable) return;
    const ResizeHit hit = resizeHitAt(LOWORD(lParam), HIWORD(lParam), client.right - client.left,
                                      client.bottom - client.top, captionButtonMargin);
    if (hit.command) SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(hit.cursor)));
}

void SkinEngine::captionCommand(int skinIndex, int buttonIndex) {
    SkinRecord* record = recordAt(skinIndex);
    if (!record || buttonIndex < 1 || buttonIndex > static_cast<int>(record->captionButtons.size())) return;
    const CaptionButton& button = record->captionButtons[static_cast<std::size_t>(buttonIndex - 1)];
    HWND hwnd = record->hwnd;
    switch (button.kind) {
    case captionClose: SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case captionMaximize:
        record->frameDirty = 1;
        record->minimized = 0;
        if (record->maximized) {
            record->maximized = 0;
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else {
            record->maximized = 1;
            SendMessageA(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        }
        break;
    case captionMinimize:
        record->minimized = 1;
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    case captionMenu:
        if (record->menuHandler) record->menuHandler();
        break;
    case captionHelp:
        if (record->helpHandler) record->helpHandler();
        break;
    case captionCustom:
        if (button.handler) button.handler();
        break;
    }
}

}  // namespace skin
