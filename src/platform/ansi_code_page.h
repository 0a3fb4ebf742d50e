// The 8-bit code page in which texts cross to the platform's ANSI operations and files.
#pragma once

#include "automation/text.h"

#include <string>
#include <string_view>

namespace orbek {

class AnsiCodePage {
  public:
    virtual ~AnsiCodePage() = default;
    // Characters without a form in the code page come out as the platform's substitute.
    virtual std::string encode(TextView text) const = 0;
    virtual Text decode(std::string_view bytes) const = 0;
};

} // namespace orbek
