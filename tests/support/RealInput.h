// Pointer and keyboard input as a user gives it: SendInput goes through hit-testing,
// capture, activation and the input queue like a real device. Each call returns once
// this thread has processed what the input caused; windows of other processes are
// watched with waitFor.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <vector>

namespace testing::input {

// How the waits hand on each message: as a plain message loop does, unless the program
// under test has a loop that does more (the run time's moves the focus on Tab).
using Dispatcher = void (*)(MSG&);
inline Dispatcher dispatcher = [](MSG& msg) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
};

// Processes this thread's messages until done() holds or timeoutMs pass; true when it held.
inline bool waitFor(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {  // left for the loop it was meant for
                PostQuitMessage(static_cast<int>(msg.wParam));
                return done();
            }
            dispatcher(msg);
        }
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// Processes this thread's messages until no input is left and nothing but timers came for
// 20 ms (a fade's timer never stops while the pointer rests on its button).
inline void settle() {
    DWORD quietSince = GetTickCount();
    waitFor([&] {
        if (GetQueueStatus(QS_ALLINPUT & ~QS_TIMER) != 0) quietSince = GetTickCount();
        return GetQueueStatus(QS_INPUT) == 0 && GetTickCount() - quietSince >= 20;
    });
}

inline POINT onScreen(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

// One mouse event at a screen point; flags add button changes to the move.
struct MouseStep {
    POINT at;
    DWORD flags = 0;
};

// Sends the steps in one batch, so that a modal loop started by one of them (a drag)
// finds the rest in its queue. Returns at once: for a caller inside a message loop that
// must not be pumped by anyone else.
inline void sendMouse(std::initializer_list<MouseStep> steps) {
    const int w = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int h = GetSystemMetrics(SM_CYSCREEN) - 1;
    std::vector<INPUT> inputs;
    for (const MouseStep& step : steps) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        // Rounded so that the absolute position maps back to exactly this pixel.
        input.mi.dx = (step.at.x * 65535 + w / 2) / w;
        input.mi.dy = (step.at.y * 65535 + h / 2) / h;
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | step.flags;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The steps, then waits until this thread has processed them.
inline void mouse(std::initializer_list<MouseStep> steps) {
    sendMouse(steps);
    const POINT last = (steps.end() - 1)->at;
    waitFor([&] {
        POINT now{};
        GetCursorPos(&now);
        return now.x == last.x && now.y == last.y;
    });
    settle();
}

inline void moveTo(POINT at) { mouse({{at}}); }

// The pointer to the screen's far corner, off every test window.
inline void moveAway() { moveTo({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1}); }

// Separate presses come further apart than the double-click time, as a user's two clicks
// on one control do; only doubleClick makes a double click.
inline void awaitDoubleClickTime() {
    static DWORD lastPress = 0;
    const DWORD due = lastPress + GetDoubleClickTime() + 50;
    if (lastPress != 0 && static_cast<LONG>(due - GetTickCount()) > 0)
        waitFor([&] { return static_cast<LONG>(due - GetTickCount()) <= 0; }, GetDoubleClickTime() + 100);
    lastPress = GetTickCount();
}

inline void press(POINT at) {
    awaitDoubleClickTime();
    mouse({{at}, {at, MOUSEEVENTF_LEFTDOWN}});
}
inline void release(POINT at) { mouse({{at, MOUSEEVENTF_LEFTUP}}); }

// Moves there first, so that the window sees the pointer arrive before the button goes down.
inline void click(POINT at) {
    moveTo(at);
    awaitDoubleClickTime();
    mouse({{at, MOUSEEVENTF_LEFTDOWN}, {at, MOUSEEVENTF_LEFTUP}});
}

inline void doubleClick(POINT at) {
    moveTo(at);
    awaitDoubleClickTime();
    mouse({{at, MOUSEEVENTF_LEFTDOWN}, {at, MOUSEEVENTF_LEFTUP}, {at, MOUSEEVENTF_LEFTDOWN}, {at, MOUSEEVENTF_LEFTUP}});
}

// Presses at from, moves to to in four steps and releases there.
inline void drag(POINT from, POINT to) {
    moveTo(from);
    awaitDoubleClickTime();
    auto between = [&](int quarter) {
        return POINT{from.x + (to.x - from.x) * quarter / 4, from.y + (to.y - from.y) * quarter / 4};
    };
    mouse({{from, MOUSEEVENTF_LEFTDOWN}, {between(1)}, {between(2)}, {between(3)}, {to}, {to, MOUSEEVENTF_LEFTUP}});
}

// A key pressed and released, Shift held around it when asked (Shift+Tab).
inline void key(WORD vk, bool shift = false) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD code, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (shift) add(VK_SHIFT, 0);
    add(vk, 0);
    add(vk, KEYEVENTF_KEYUP);
    if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    settle();
}

}  // namespace testing::input
