// The text forms of numbers as the host's language prints them.
#include "automation/conversions.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace orbek {

namespace {

Text ascii_text(const char* first, const char* last) {
    return Text(first, last);
}

// General format with the given significant digits (as C's %G: exponent form below 1E-04
// and from 1E+<digits> on, no trailing zeros), written with a capital E.
template <typename Floating> Text general_text(Floating value, int significant_digits) {
    if (std::isnan(value))
        return u"NaN";
    if (std::isinf(value))
        return value < 0 ? u"-Inf" : u"Inf";
    if (value == 0) // also negative zero
        return u"0";
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, significant_digits);
    Text text = ascii_text(buffer, end);
    for (char16_t& unit : text) {
        if (unit == u'e')
            unit = u'E';
    }
    return text;
}

} // namespace

Text double_to_text(double value) {
    return general_text(value, 15);
}

Text single_to_text(float value) {
    return general_text(value, 7);
}

Text currency_to_text(Currency value) {
    std::int64_t scaled = value.scaled();
    std::uint64_t magnitude =
        scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    std::uint64_t whole = magnitude / Currency::Scale;
    std::uint64_t fraction = magnitude % Currency::Scale;

    char buffer[32];
    char* end = std::to_chars(buffer, buffer + sizeof buffer, whole).ptr;
    if (fraction != 0) {
        *end++ = '.';
        for (std::uint64_t unit = Currency::Scale / 10; fraction != 0; unit /= 10) {
            *end++ = static_cast<char>('0' + fraction / unit);
            fraction %= unit;
        }
    }
    Text text = ascii_text(buffer, end);
    return scaled < 0 ? u"-" + text : text;
}

Text boolean_to_text(bool value) {
    return value ? u"True" : u"False";
}

} // namespace orbek
