#include "automation/text.h"

#include "automation/vb_error.h"

#include <algorithm>

namespace orbek {

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

bool is_high_surrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void append_utf8(std::string& out, char32_t code) {
    auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (code < 0x80) {
        out += byte(code);
    } else if (code < 0x800) {
        out += byte(0xC0 | (code >> 6));
        out += byte(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += byte(0xE0 | (code >> 12));
        out += byte(0x80 | ((code >> 6) & 0x3F));
        out += byte(0x80 | (code & 0x3F));
    } else {
        out += byte(0xF0 | (code >> 18));
        out += byte(0x80 | ((code >> 12) & 0x3F));
        out += byte(0x80 | ((code >> 6) & 0x3F));
        out += byte(0x80 | (code & 0x3F));
    }
}

void append_utf16(Text& out, char32_t code) {
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
        return;
    }
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code >> 10));
    out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
}

// One UTF-8 sequence starting at `pos`. A malformed sequence gives U+FFFD and consumes its
// longest valid beginning (at least one byte), the usual practice for replacement.
char32_t decode_utf8(std::string_view utf8, std::size_t& pos) {
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    unsigned char lead = at(pos++);
    if (lead < 0x80)
        return lead;

    int continuation_count = 0;
    char32_t code = 0;
    // The allowed range of the second byte excludes overlong forms, surrogates and values
    // beyond U+10FFFF.
    unsigned char second_low = 0x80;
    unsigned char second_high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuation_count = 1;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuation_count = 2;
        code = lead & 0x0F;
        if (lead == 0xE0)
            second_low = 0xA0;
        if (lead == 0xED)
            second_high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuation_count = 3;
        code = lead & 0x07;
        if (lead == 0xF0)
            second_low = 0x90;
        if (lead == 0xF4)
            second_high = 0x8F;
    } else {
        return ReplacementCharacter;
    }

    for (int i = 0; i < continuation_count; ++i) {
        if (pos >= utf8.size())
            return ReplacementCharacter;
        unsigned char next = at(pos);
        unsigned char low = i == 0 ? second_low : 0x80;
        unsigned char high = i == 0 ? second_high : 0xBF;
        if (next < low || next > high)
            return ReplacementCharacter;
        code = (code << 6) | (next & 0x3F);
        ++pos;
    }
    return code;
}

// UCase of the host's language: ASCII and Latin-1 letters; the rest stays as it is.
char16_t upper_unit(char16_t unit) {
    if (unit >= u'a' && unit <= u'z')
        return static_cast<char16_t>(unit - (u'a' - u'A'));
    if (unit >= 0xE0 && unit <= 0xFE && unit != 0xF7) // à..þ except the division sign
        return static_cast<char16_t>(unit - 0x20);
    if (unit == 0xFF) // ÿ has its capital outside Latin-1
        return 0x178;
    return unit;
}

} // namespace

std::string to_utf8(TextView text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        if (is_high_surrogate(unit) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
            char32_t code = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            append_utf8(out, code);
            ++i;
        } else if (is_high_surrogate(unit) || is_low_surrogate(unit)) {
            append_utf8(out, ReplacementCharacter);
        } else {
            append_utf8(out, unit);
        }
    }
    return out;
}

Text from_utf8(std::string_view utf8) {
    Text out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size())
        append_utf16(out, decode_utf8(utf8, pos));
    return out;
}

TextView trim_spaces(TextView text) {
    std::size_t first = text.find_first_not_of(u' ');
    if (first == TextView::npos)
        return {};
    std::size_t last = text.find_last_not_of(u' ');
    return text.substr(first, last - first + 1);
}

TextView left(TextView text, std::size_t count) {
    return text.substr(0, count);
}

TextView mid(TextView text, long start, std::size_t count) {
    if (start < 1)
        throw VbError(vb::InvalidProcedureCall);
    std::size_t offset = static_cast<std::size_t>(start) - 1;
    if (offset >= text.size())
        return {};
    return text.substr(offset, count);
}

Text to_upper(TextView text) {
    Text out(text);
    std::transform(out.begin(), out.end(), out.begin(), upper_unit);
    return out;
}

bool equals_ignoring_case(TextView a, TextView b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return upper_unit(x) == upper_unit(y); });
}

} // namespace orbek
