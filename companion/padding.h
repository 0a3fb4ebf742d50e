// Right alignment of a number's text with a fill character, as the host's time and date texts
// need it ("7" to "07").
#pragma once

#include "automation/text.h"

#include <cstdint>

namespace orbek {

// A text at least as long as the width, or a width below 1, comes back unchanged. When the fill
// is '0' a leading minus sign stays in front of the zeros ("-5" to "-005"), so the result still
// reads as the same number; any other fill character simply goes before the whole text.
Text pad_to_width(TextView text, std::int16_t width, char16_t fill);

} // namespace orbek
