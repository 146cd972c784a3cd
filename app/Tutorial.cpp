#include "app/Tutorial.h"

#include <cstdlib>
#include <string>

#include "app/Texts.h"
#include "assets/Assets.h"
#include "runtime/Form.h"
#include "runtime/Shell.h"

namespace app {

void tutorialStep(runtime::Form& wizard) {
    // The counter lives only in the hidden label's text.
    runtime::Control& counter = wizard.control("标签2");
    const int done = std::atoi(counter.text().c_str());
    counter.setText(std::to_string(static_cast<long long>(done + texts::tutorialStep)));

    static const ByteSet* const pictures[] = {&ImgTutorial1, &ImgTutorial2, &ImgTutorial3};
    const int step = std::atoi(counter.text().c_str());
    if (step >= 1 && step <= 3) wizard.control("图片框1").setPicture(pictures[step - 1]->bytes());
    if (step > 3) wizard.control("选择夹1").setPage(5);
}

void openContactLink(runtime::Form&) {
    runtime::openUrl(texts::contactUrl);
}

}  // namespace app
