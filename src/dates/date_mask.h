// What the host's masked date box holds before anything is typed into it.
#pragma once

#include "automation/text.h"

namespace orbek {

// Two blanks, "/", two blanks, "/", four blanks.
inline constexpr TextView EmptyDateMask = u"  /  /    ";

} // namespace orbek
