// Page 4's tutorial and page 0's contact button.
#pragma once

namespace runtime {
class Form;
}

namespace app {

// Click of "我知道了": counts the step in 标签2, shows the next tutorial picture, and
// after the third picture moves to page 5.
void tutorialStep(runtime::Form& wizard);

// Click of "与作者qq会话": hands the author's chat link to the shell.
void openContactLink(runtime::Form& wizard);

}  // namespace app
