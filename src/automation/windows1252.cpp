#include "automation/windows1252.h"

namespace orbek {

namespace {

// The code page's characters for 0x80-0x9F. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same number, as
// Windows converts them.
constexpr char16_t HighControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

char16_t unit_from_byte(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return HighControlRange[byte - 0x80];
    return byte;
}

bool is_high_surrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

char byte_from_unit(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (int i = 0; i < 32; ++i) {
        if (HighControlRange[i] == unit)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

std::string to_windows1252(TextView text) {
    std::string bytes;
    append_windows1252(bytes, text);
    return bytes;
}

void append_windows1252(std::string& bytes, TextView text) {
    std::size_t end = bytes.size();
    bytes.resize(end + text.size()); // at most one byte a unit
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] < 0x80) { // most texts are plain ASCII
            bytes[end++] = static_cast<char>(text[i]);
            continue;
        }
        // A character outside the basic plane is one unmappable character, not two.
        if (is_high_surrogate(text[i]) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
            bytes[end++] = '?';
            ++i;
            continue;
        }
        bytes[end++] = byte_from_unit(text[i]);
    }
    bytes.resize(end);
}

Text from_windows1252(std::string_view bytes) {
    Text text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        text += unit_from_byte(static_cast<unsigned char>(byte));
    return text;
}

} // namespace orbek
