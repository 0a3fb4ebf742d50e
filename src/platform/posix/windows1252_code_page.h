// The native build's ANSI code page: Windows-1252, the code page of the host's files.
#pragma once

#include "platform/ansi_code_page.h"

namespace orbek {

class Windows1252CodePage final : public AnsiCodePage {
  public:
    std::string encode(TextView text) const override;
    Text decode(std::string_view bytes) const override;
};

} // namespace orbek
