// The system's ANSI code page, as the host's language converts texts for ANSI functions.
#pragma once

#include "platform/ansi_code_page.h"

namespace orbek {

class Win32AnsiCodePage final : public AnsiCodePage {
  public:
    std::string encode(TextView text) const override;
    Text decode(std::string_view bytes) const override;
};

} // namespace orbek
