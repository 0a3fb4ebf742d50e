// The one modal message the component shows. (Not called MessageBox: <windows.h> turns that
// name into MessageBoxA or MessageBoxW wherever it is included.)
#pragma once

#include "automation/text.h"

namespace orbek {

class UserMessageBox {
  public:
    virtual ~UserMessageBox() = default;
    // Information icon and a single OK button; returns when the user closes it.
    virtual void show_information(TextView message, TextView title) = 0;
};

} // namespace orbek
