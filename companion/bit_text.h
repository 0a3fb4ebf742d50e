// A whole number's binary digits, as the host reads its module flags from them.
#pragma once

#include "automation/text.h"

#include <cstdint>

namespace orbek {

// Most significant digit first, at least 16 digits; a negative number gives the 32 digits of
// its two's complement.
Text binary_digits(std::int32_t number);

} // namespace orbek
