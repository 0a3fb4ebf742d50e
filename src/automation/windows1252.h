// The 8-bit code page of the host's files.
#pragma once

#include "automation/text.h"

#include <string>
#include <string_view>

namespace orbek {

// Characters without a Windows-1252 form become '?'.
std::string to_windows1252(TextView text);
// The same, appended to `bytes`.
void append_windows1252(std::string& bytes, TextView text);
Text from_windows1252(std::string_view bytes);

} // namespace orbek
