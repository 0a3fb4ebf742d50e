// The user's message as a real modal message box of the system.
#pragma once

#include "platform/message_box.h"

namespace orbek {

class Win32MessageBox final : public UserMessageBox {
  public:
    void show_information(TextView message, TextView title) override;
};

} // namespace orbek
