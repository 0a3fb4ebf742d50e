// The companion's reversible encoding of texts (the form in which the host stores a user's
// rights): every UTF-16 code unit masked with a key that changes with its position, written as
// four hexadecimal digits, followed by a two-digit check byte.
#pragma once

#include "automation/text.h"

namespace orbek {

Text encode_text(TextView plain);
// Upper- and lower-case digits are accepted; a text that is not the encoded form of any text
// (wrong length, a character that is not a hexadecimal digit, a check byte that does not match)
// is error 5.
Text decode_text(TextView encoded);

} // namespace orbek
