// Texts in the ANSI code page, as the file functions of the host's language pass them: a
// character the code page lacks becomes '?', never a look-alike.
#pragma once

#include "automation/text.h"

#include <string>
#include <string_view>

namespace orbek {

std::string to_ansi(TextView text);
// The same, appended to `bytes`.
void append_ansi(std::string& bytes, TextView text);
Text from_ansi(std::string_view bytes);

} // namespace orbek
