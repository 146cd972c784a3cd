// The skinned wizard's figures: a full repaint of the window, a page switch, the idle CPU
// time with both animations playing, and the GDI and USER objects after many repaints and
// page switches. Prints medians; it is a benchmark, not a test.
// Usage: bench_wizard.exe [REPAINTS] [SWITCHES] (default 10000 and 1000)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/SkinSetup.h"
#include "app/Wizard.h"
#include "app/WizardForm.h"
#include "runtime/Services.h"
#include "support/GuiObjects.h"

namespace {

double nowMs() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

double cpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) { return static_cast<double>((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

// Paints everything that is waiting to be painted, including what painting invalidates.
void paintPending() {
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) DispatchMessageA(&msg);
}

void fullRepaint(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    paintPending();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
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

    std::vector<double> repaint, pageSwitch;
    for (int i = 0; i < 31; ++i) {
        const double t = nowMs();
        fullRepaint(window);
        repaint.push_back(nowMs() - t);
    }
    for (int i = 0; i < 31; ++i) {
        const double t = nowMs();
        pages.setPage((pages.page() + 1) % pages.pageCount());
        UpdateWindow(window);
        paintPending();
        pageSwitch.push_back(nowMs() - t);
    }
    std::printf("full repaint of the skinned wizard: median %.2f ms\n", median(repaint));
    std::printf("page switch (next page shown and painted): median %.2f ms\n", median(pageSwitch));

    // Idle: the first page's animation shows, the last page's plays hidden; the mouse is away.
    pages.setPage(app::kWelcomePage);
    SetCursorPos(0, 0);
    runtime::delayWithMessages(500);
    const double cpu0 = cpuMs(), t0 = nowMs();
    runtime::delayWithMessages(10000);
    const double idle = 100.0 * (cpuMs() - cpu0) / (nowMs() - t0);
    std::printf("idle CPU with both animations playing: %.2f %% of one core over 10 s\n", idle);

    const long gdi0 = testing::gdiObjectCount(), user0 = testing::userObjectCount();
    for (int i = 0; i < repaints; ++i) fullRepaint(window);
    for (int i = 0; i < switches; ++i) {
        pages.setPage((pages.page() + 1) % pages.pageCount());
        UpdateWindow(window);
        paintPending();
    }
    runtime::delayWithMessages(200);
    std::printf("GDI objects %ld -> %ld, USER objects %ld -> %ld after %d full repaints and %d page switches\n", gdi0,
                testing::gdiObjectCount(), user0, testing::userObjectCount(), repaints, switches);
    runtime::closeForm(*form);
    runtime::runMessageLoop();
    return 0;
}
