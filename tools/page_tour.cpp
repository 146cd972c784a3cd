// Walks the wizard as a user would, for the screenshot script: clicks its way from page
// to page (ticking the licence box, confirming the installation into the default
// directory, stepping through the tutorial). On each page N it writes OUTDIR\pageN.ready
// holding the window's screen rectangle "x y w h" and waits (processing messages) until
// the script has taken its picture and deleted the file.
// Usage: velmora_page_tour.exe OUTDIR
#include <windows.h>

#include <cstdio>
#include <string>
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora_page_tour OUTDIR\n");
        return 2;
    }
    const std::string outDir = argv[1];
    app::useInstallerSkin();
    runtime::Session session;
    if (auto& startUp = app::skinHooks().startUp) startUp();
    runtime::Form* form = runtime::showForm(app::wizardForm(), app::wizardBindings());
    if (form == nullptr) return 1;

    // What a user clicks on each page to reach the next one.
    const std::vector<std::vector<const char*>> clicksToNextPage = {
        {"按钮2"}, {"选择框1", "按钮3"}, {"按钮5"}, {"按钮6"}, {"按钮12", "按钮12", "按钮12", "按钮12"}, {}};
    int status = 0;
    runtime::Control& pages = form->control("选择夹1");
    for (int page = 0; page < pages.pageCount() && status == 0; ++page) {
        if (pages.page() != page) {
            status = 1;  // the clicks did not lead where they should
            break;
        }
        runtime::delayWithMessages(500);
        RECT r;
        GetWindowRect(form->hwnd(), &r);
        const std::string ready = outDir + "\\page" + std::to_string(page) + ".ready";
        if (!announce(ready, r)) {
            status = 1;
            break;
        }
        for (int waited = 0; fileExists(ready); waited += 50) {
            if (waited > 20000) status = 1;  // nobody is taking pictures
            if (status != 0) break;
            runtime::delayWithMessages(50);
        }
        for (const char* name : clicksToNextPage[page]) SendMessageA(form->control(name).hwnd(), BM_CLICK, 0, 0);
    }
    runtime::closeForm(*form);
    runtime::runMessageLoop();
    return status;
}
