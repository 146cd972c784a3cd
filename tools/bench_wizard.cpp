// The skinned wizard's figures: a full repaint of the window, a page switch, the idle CPU
// time with both animations playing, and the GDI and USER objects after many repaints and
// page switches. Prints medians; it is a benchmark, not a test.
// Usage: bench_wizard.exe [REPAINTS] [SWITCHES] (default 10000 and 1000); it runs itself
// again as "bench_wizard.exe outside HWND" for the repaint asked for by another process.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchClock.h"
#include "app/SkinSetup.h"
#include "app/Wizard.h"
#include "app/WizardForm.h"
#include "runtime/Services.h"
#include "support/GuiObjects.h"

namespace {

// Paints everything that is waiting to be painted, including what painting invalidates.
void paintPending() {
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) DispatchMessageA(&msg);
}

void fullRepaint(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    paintPending();
}

BOOL CALLBACK noteUpdate(HWND child, LPARAM pending) {
    *reinterpret_cast<bool*>(pending) |= GetUpdateRect(child, nullptr, FALSE) != FALSE;
    return TRUE;
}

bool needsPaint(HWND window) {
    bool pending = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    EnumChildWindows(window, noteUpdate, reinterpret_cast<LPARAM>(&pending));
    return pending;
}

// Run as a second process: a full repaint as another program (or the system) asks for it,
// timed until nothing needs painting and the window has answered a message sent after.
int repaintFromOutside(HWND window) {
    const double ms = bench::medianMs(21, [window] {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        while (needsPaint(window)) Sleep(0);
        SendMessageA(window, WM_NULL, 0, 0);
    });
    std::printf("full repaint asked for by another process: median %.2f ms\n", ms);
    return 0;
}

// Starts this program again to repaint window from outside, and handles the window's
// messages until it is done.
void timeRepaintFromOutside(HWND window) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" outside " +
                          std::to_string(reinterpret_cast<std::uintptr_t>(window));
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    std::fflush(stdout);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return;
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "outside")
        return repaintFromOutside(reinterpret_cast<HWND>(std::strtoull(argv[2], nullptr, 10)));
    const int repaints = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int switches = argc > 2 ? std::atoi(argv[2]) : 1000;
    app::useInstallerSkin();
    runtime::Session session;
    app::skinHooks().startUp();
    runtime::Form* form = runtime::showForm(app::wizardForm(), app::wizardBindings());
    if (!form) return 1;
    HWND window = form->hwnd();
    runtime::Control& pages = form->control("选择夹1");
    runtime::delayWithMessages(1000);

    auto switchPage = [&] {
        pages.setPage((pages.page() + 1) % pages.pageCount());
        UpdateWindow(window);
        paintPending();
    };
    const double repaint = bench::medianMs(31, [&] { fullRepaint(window); });
    pages.setPage(app::kConfirmPage);
    runtime::delayWithMessages(200);
    const double confirmRepaint = bench::medianMs(31, [&] { fullRepaint(window); });
    pages.setPage(app::kWelcomePage);
    runtime::delayWithMessages(200);
    const double pageSwitch = bench::medianMs(31, switchPage);
    std::printf("full repaint of the skinned wizard: median %.2f ms\n", repaint);
    std::printf("full repaint on the confirmation page (group box, multi-line edit): median %.2f ms\n", confirmRepaint);
    std::printf("page switch (next page shown and painted): median %.2f ms\n", pageSwitch);
    timeRepaintFromOutside(window);

    // Idle: the first page's animation shows, the last page's plays hidden; the mouse is away.
    pages.setPage(app::kWelcomePage);
    SetCursorPos(0, 0);
    runtime::delayWithMessages(500);
    const double cpu0 = bench::processCpuMs(), t0 = bench::nowMs();
    runtime::delayWithMessages(10000);
    const double idle = 100.0 * (bench::processCpuMs() - cpu0) / (bench::nowMs() - t0);
    std::printf("idle CPU with both animations playing: %.2f %% of one core over 10 s\n", idle);

    const long gdi0 = testing::gdiObjectCount(), user0 = testing::userObjectCount();
    for (int i = 0; i < repaints; ++i) fullRepaint(window);
    for (int i = 0; i < switches; ++i) switchPage();
    runtime::delayWithMessages(200);
    std::printf("GDI objects %ld -> %ld, USER objects %ld -> %ld after %d full repaints and %d page switches\n", gdi0,
                testing::gdiObjectCount(), user0, testing::userObjectCount(), repaints, switches);
    runtime::closeForm(*form);
    runtime::runMessageLoop();
    return 0;
}
