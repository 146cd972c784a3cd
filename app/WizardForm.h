// The description of the installer's only window, WizardWindow.
#pragma once

#include "runtime/FormDesc.h"

namespace app {

// Pages of 选择夹1, in order.
enum WizardPage : int { kWelcomePage, kLicencePage, kDirectoryPage, kConfirmPage, kTutorialPage, kFinishPage };

const runtime::FormDesc& wizardForm();

}  // namespace app
