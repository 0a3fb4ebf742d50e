#include "bit_text.h"

namespace orbek {

Text binary_digits(std::int32_t number) {
    constexpr int MinimumDigits = 16;
    const std::uint32_t bits = static_cast<std::uint32_t>(number);
    int width = MinimumDigits;
    while (width < 32 && (bits >> width) != 0) {
        ++width;
    }
    Text digits;
    for (int bit = width - 1; bit >= 0; --bit) {
        digits += ((bits >> bit) & 1u) != 0 ? u'1' : u'0';
    }
    return digits;
}

} // namespace orbek
