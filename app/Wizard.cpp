#include "app/Wizard.h"

#include "app/Install.h"
#include "app/Texts.h"
#include "app/Tutorial.h"
#include "app/WizardForm.h"
#include "runtime/Services.h"

namespace app {

namespace {

using runtime::Event;
using runtime::Form;

void setPage(Form& form, int page) { form.control("选择夹1").setPage(page); }
int currentPage(Form& form) { return form.control("选择夹1").page(); }

// 按钮3 is enabled exactly while the licence is accepted.
void syncLicence(Form& form) { form.control("按钮3").setDisabled(!form.control("选择框1").checked()); }

void onCreated(Form& form) {
    if (auto& configure = skinHooks().configureWindow) configure(form);
    syncLicence(form);
}

void chooseDirectory(Form& form) { form.control("编辑框1").setText(runtime::browseForFolder(texts::browseTitle)); }

void checkDirectory(Form& form) {
    // Started by the first click, also when the check fails; later clicks leave it running.
    form.control("时钟1").setInterval(texts::cancelTimerMs);
    if (form.control("编辑框1").text().empty()) {
        runtime::messageBox(form.hwnd(), texts::emptyDirectoryMessage, MB_TOPMOST | MB_OK, texts::promptCaption);
        return;
    }
    setPage(form, kConfirmPage);
}

// Keeps the cancel button in step with the page; stops for good on the tutorial page.
void cancelButtonRule(Form& form) {
    const int page = currentPage(form);
    runtime::Control& cancel = form.control("按钮1");
    cancel.setVisible(page != kConfirmPage);
    if (page == kTutorialPage) {
        form.control("时钟1").setInterval(0);
        cancel.setVisible(false);
    }
}

void finish(Form& form) {
    if (form.control("选择框6").checked()) runtime::startProgram(applicationPath(form.control("编辑框1").text()));
    runtime::closeForm(form);
}

constexpr runtime::EventBinding kBindings[] = {
    {nullptr, Event::Created, onCreated},
    {"按钮2", Event::Click, [](Form& f) { setPage(f, kLicencePage); }},
    {"按钮9", Event::Click, [](Form& f) { setPage(f, kWelcomePage); }},
    {"选择框1", Event::Click, syncLicence},
    {"按钮3", Event::Click, [](Form& f) { setPage(f, kDirectoryPage); }},
    {"按钮10", Event::Click, [](Form& f) { setPage(f, kLicencePage); }},
    {"按钮4", Event::Click, chooseDirectory},
    {"按钮5", Event::Click, checkDirectory},
    {"按钮11", Event::Click, [](Form& f) { setPage(f, kDirectoryPage); }},
    {"按钮6", Event::Click, installProduct},
    {"按钮12", Event::Click, tutorialStep},
    {"按钮8", Event::Click, openContactLink},
    {"按钮7", Event::Click, finish},
    {"按钮1", Event::Click, [](Form& f) { runtime::closeForm(f); }},
    {"时钟1", Event::Tick, cancelButtonRule},
};

}  // namespace

SkinHooks& skinHooks() {
    static SkinHooks hooks;
    return hooks;
}

std::span<const runtime::EventBinding> wizardBindings() { return kBindings; }

std::string applicationPath(std::string_view directory) { return installPaths(directory, {}).application; }

int runInstaller() {
    runtime::Session session;
    if (auto& startUp = skinHooks().startUp) startUp();
    if (runtime::showForm(wizardForm(), wizardBindings()) != nullptr) runtime::runMessageLoop();
    return 0;
}

}  // namespace app
