// Walks the skinned wizard as a user would, for the screenshot script: clicks its way
// from page to page (ticking the licence box, confirming the installation into the
// default directory, stepping through the tutorial), and on the way opens the folder
// browser, the empty-directory prompt and an installation that fails. For each picture
// NAME it writes OUTDIR\NAME.ready holding the screen rectangle "x y w h" to photograph
// and waits (processing messages, or with the dialog open) until the script has taken
// the picture and deleted the file. The pictures, in order: page0 page1 page2 browser
// emptydir page3 failure page4 page5.
// Usage: velmora_page_tour.exe OUTDIR
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/SkinSetup.h"
#include "app/Wizard.h"
#include "app/WizardForm.h"
#include "runtime/Services.h"

namespace {

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool announce(const std::string& path, const RECT& r) {
    FILE* f = std::fopen(path.c_str(), "w");
    if (f == nullptr) return false;
    std::fprintf(f, "%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return std::fclose(f) == 0;
}

// Waits until the script has taken the picture; wait(ms) passes the time.
template <typename Wait>
bool photographed(const std::string& ready, Wait&& wait) {
    for (int waited = 0; fileExists(ready); waited += 50) {
        if (waited > 20000) return false;  // nobody is taking pictures
        wait(50);
    }
    return true;
}

BOOL CALLBACK findDialog(HWND hwnd, LPARAM found) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (!IsWindowVisible(hwnd) || lstrcmpA(cls, "#32770") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

struct Tour {
    std::string outDir;
    runtime::Form* form = nullptr;
    bool ok = true;

    std::string readyFile(const char* name) const { return outDir + "\\" + name + ".ready"; }

    void photographWindow(const char* name) {
        runtime::delayWithMessages(500);
        RECT r;
        GetWindowRect(form->hwnd(), &r);
        const std::string ready = readyFile(name);
        ok = ok && announce(ready, r) && photographed(ready, runtime::delayWithMessages);
    }

    // Clicks a button that opens a modal dialog; a helper thread photographs the dialog
    // over the wizard once it has faded in and then presses the dialog's button.
    void photographDialog(const char* name, const char* opener, int button) {
        std::atomic<bool> shot{false};
        const DWORD ui = GetCurrentThreadId();
        const HWND wizard = form->hwnd();
        std::thread helper([&, ui, wizard] {
            HWND dialog = nullptr;
            for (int waited = 0; !dialog && waited < 10000; waited += 50) {
                Sleep(50);
                EnumThreadWindows(ui, findDialog, reinterpret_cast<LPARAM>(&dialog));
            }
            if (!dialog) return;
            Sleep(600);  // faded in
            RECT a, b, both;
            GetWindowRect(wizard, &a);
            GetWindowRect(dialog, &b);
            UnionRect(&both, &a, &b);
            const std::string ready = readyFile(name);
            shot = announce(ready, both) && photographed(ready, Sleep);
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        });
        SendMessageA(form->control(opener).hwnd(), BM_CLICK, 0, 0);
        helper.join();
        ok = ok && shot;
    }

    void click(const char* name) { SendMessageA(form->control(name).hwnd(), BM_CLICK, 0, 0); }
    void expectPage(int page) { ok = ok && form->control("选择夹1").page() == page; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora_page_tour OUTDIR\n");
        return 2;
    }
    app::useInstallerSkin();
    runtime::Session session;
    app::skinHooks().startUp();
    Tour tour{argv[1], runtime::showForm(app::wizardForm(), app::wizardBindings())};
    if (tour.form == nullptr) return 1;
    runtime::Control& directory = tour.form->control("编辑框1");

    tour.photographWindow("page0");
    tour.click("按钮2");
    tour.expectPage(app::kLicencePage);
    SetFocus(tour.form->control("按钮9").hwnd());  // the focus look, as after Tab
    tour.photographWindow("page1");
    tour.click("选择框1");
    tour.click("按钮3");
    tour.expectPage(app::kDirectoryPage);
    tour.photographWindow("page2");
    tour.photographDialog("browser", "按钮4", IDCANCEL);
    directory.setText("");
    tour.photographDialog("emptydir", "按钮5", IDOK);
    directory.setText("D:\\");
    tour.click("按钮5");
    tour.expectPage(app::kConfirmPage);
    tour.photographWindow("page3");
    directory.setText("Q:\\");  // no such drive: the installation fails and page 3 stays
    tour.photographDialog("failure", "按钮6", IDOK);
    tour.expectPage(app::kConfirmPage);
    directory.setText("D:\\");
    tour.click("按钮6");
    tour.expectPage(app::kTutorialPage);
    tour.photographWindow("page4");
    for (int i = 0; i < 4; ++i) tour.click("按钮12");
    tour.expectPage(app::kFinishPage);
    tour.photographWindow("page5");

    runtime::closeForm(*tour.form);
    runtime::runMessageLoop();
    return tour.ok ? 0 : 1;
}
