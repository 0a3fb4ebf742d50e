// Texts as automation strings hold them: UTF-16 code units, like a BSTR.
#pragma once

#include <string>
#include <string_view>

namespace orbek {

using Text = std::u16string;
using TextView = std::u16string_view;

// UTF-8 at the edges (command line, test output); unpaired surrogates become U+FFFD.
std::string to_utf8(TextView text);
Text from_utf8(std::string_view utf8);

// The string functions of the host's language, on code units.
TextView trim_spaces(TextView text); // Trim: blanks (code 32) only, tabs stay
TextView left(TextView text, std::size_t count);
// Mid(text, start, count) with a 1-based start; start < 1 is error 5.
TextView mid(TextView text, long start, std::size_t count = TextView::npos);
Text to_upper(TextView text); // UCase, for the Latin-1 range
bool equals_ignoring_case(TextView a, TextView b);

} // namespace orbek
