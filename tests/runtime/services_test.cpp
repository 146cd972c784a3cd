// Services of the run time: exit clean-up, waits, message boxes, the folder browser,
// the log helper and starting programs.
#include <doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "WineGaps.h"
#include "runtime/Services.h"
#include "support/DialogProbe.h"

TEST_CASE("the exit clean-up runs once, newest first, when the session ends") {
    std::vector<int> order;
    {
        runtime::Session session;
        runtime::atExit([&] { order.push_back(1); });
        runtime::atExit([&] { order.push_back(2); });
        runtime::atExit([] { throw 1; });  // a failing clean-up does not stop the others
    }
    CHECK(order == std::vector<int>{2, 1});
    runtime::runExitCleanup();
    CHECK(order.size() == 2);

    runtime::atExit([&] { order.push_back(3); });
    runtime::runExitCleanup();
    runtime::runExitCleanup();
    CHECK(order == std::vector<int>{2, 1, 3});
}

TEST_CASE("a session sets the current directory to the executable's folder and makes the owner window") {
    char exe[MAX_PATH], current[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    *strrchr(exe, '\\') = '\0';
    runtime::Session session;
    GetCurrentDirectoryA(MAX_PATH, current);
    CHECK(lstrcmpiA(exe, current) == 0);
    CHECK(session.oleReady());
    CHECK(IsWindow(runtime::ownerWindow()));
    CHECK_FALSE(IsWindowVisible(runtime::ownerWindow()));
}

namespace {
int timerTicks = 0;
void CALLBACK countTick(HWND, UINT, UINT_PTR, DWORD) { ++timerTicks; }
}  // namespace

TEST_CASE("delayWithMessages waits while messages are processed") {
    runtime::Session session;
    DWORD start = GetTickCount();
    runtime::delayWithMessages(0);
    runtime::delayWithMessages(-20);
    CHECK(GetTickCount() - start < 50);

    timerTicks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, countTick);
    start = GetTickCount();
    runtime::delayWithMessages(250);
    CHECK(GetTickCount() - start >= 250);
    KillTimer(nullptr, timer);
    CHECK(timerTicks >= 3);

    SUBCASE("a quit request ends the wait and stays queued") {
        PostQuitMessage(3);
        start = GetTickCount();
        runtime::delayWithMessages(2000);
        CHECK(GetTickCount() - start < 1000);
        MSG msg;
        REQUIRE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        CHECK(msg.wParam == 3);
    }
}

TEST_CASE("messageBox runs its hook first and returns the button's identifier minus 1") {
    runtime::Session session;
    int hookCalls = 0;
    runtime::setMessageBoxHook([&] { ++hookCalls; });
    {
        testing::DialogProbe watcher(GetCurrentThreadId(), IDOK);
        CHECK(runtime::messageBox(nullptr, "安装目录不能为空", MB_OK, "安装提示：") == 0);
        const testing::DialogSeen& seen = watcher.seen();
        CHECK(seen.found);
        CHECK(seen.caption == "安装提示：");
        CHECK(seen.texts.find("安装目录不能为空") != std::string::npos);
    }
    {
        testing::DialogProbe watcher(GetCurrentThreadId(), IDCANCEL);
        CHECK(runtime::messageBox(nullptr, "?", MB_OKCANCEL, "x") == IDCANCEL - 1);
    }
    CHECK(hookCalls == 2);
    runtime::setMessageBoxHook(nullptr);
}

TEST_CASE("the folder browser disables the other windows and gives an empty path when cancelled") {
    runtime::Session session;
    const HWND other = CreateWindowExA(0, "Static", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                       nullptr, nullptr);
    REQUIRE(other != nullptr);
    std::string chosen = "unchanged";
    {
        testing::DialogProbe watcher(GetCurrentThreadId(), IDCANCEL, other);
        chosen = runtime::browseForFolder("请选择安装目录：");
        const testing::DialogSeen& seen = watcher.seen();
        CHECK(seen.found);
        CHECK_FALSE(seen.watchedWasEnabled);
        CHECK(seen.texts.find("请选择安装目录：") != std::string::npos);
    }
    CHECK(chosen.empty());
    CHECK(IsWindowEnabled(other));
    DestroyWindow(other);
}

TEST_CASE("appendLogText adds at the end of an edit box") {
    runtime::Session session;
    const HWND edit = CreateWindowExA(0, "Edit", "正在安装：\r\n", WS_POPUP | ES_MULTILINE | ES_READONLY, 0, 0, 200,
                                      60, nullptr, nullptr, nullptr, nullptr);
    REQUIRE(edit != nullptr);
    SendMessageA(edit, EM_SETSEL, 0, 0);  // the caret elsewhere must not matter
    runtime::appendLogText(edit, "正在安装文件：a\r\n");
    runtime::appendLogText(edit, "完毕");
    char text[128];
    GetWindowTextA(edit, text, sizeof text);
    CHECK(std::string(text) == "正在安装：\r\n正在安装文件：a\r\n完毕");
    DestroyWindow(edit);
}

TEST_CASE("startProgram reports a program that cannot be started") {
    CHECK_FALSE(runtime::startProgram("D:\\no such folder\\none.exe"));
}
