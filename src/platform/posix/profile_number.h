// How Windows reads an INI value as a number for GetPrivateProfileInt.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orbek::profile {

// The number a stored value reads as; nullopt for an empty value, which gives the caller's
// default. Only the first 29 characters count. After leading blanks (any control character
// or space): one optional sign, then "0x" hexadecimal, "0o" octal, "0b" binary (the letter in
// lowercase only) or decimal digits up to the first character that is not one; no digit
// reads as 0. The digits wrap around modulo 2^32 and a minus sign negates the result, so
// "4294967295" and "-1" are the same 32 bits.
std::optional<std::uint32_t> profile_number(std::string_view value);

} // namespace orbek::profile
