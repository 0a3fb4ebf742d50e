#include "text_encoding.h"

#include "automation/vb_error.h"

#include <cstdint>
#include <string>

namespace orbek {
namespace {

constexpr std::size_t DigitsPerUnit = 4;
constexpr std::size_t CheckDigits = 2;

std::uint16_t key_at(std::size_t index) {
    return static_cast<std::uint16_t>(0x5A3Cu + 0x1Fu * static_cast<std::uint32_t>(index));
}

// The check byte adds up both bytes of every plain unit, not the units themselves: a sum of
// whole units modulo 256 would not notice a change in a unit's high byte, and one mistyped
// digit anywhere in the text must be caught.
std::uint8_t check_byte(TextView plain) {
    std::uint32_t sum = 0;
    for (char16_t unit : plain) {
        sum += (unit & 0xFFu) + (unit >> 8);
    }
    return static_cast<std::uint8_t>(sum);
}

void append_hex(Text& out, std::uint32_t value, std::size_t digits) {
    static constexpr char16_t Hex[] = u"0123456789ABCDEF";
    for (std::size_t shift = digits * 4; shift > 0; shift -= 4) {
        out += Hex[(value >> (shift - 4)) & 0xFu];
    }
}

[[noreturn]] void reject(const char* what) {
    throw VbError(vb::InvalidProcedureCall,
                  std::string(vb_error_description(vb::InvalidProcedureCall)) + " (" + what + ")");
}

std::uint32_t read_hex(TextView digits) {
    std::uint32_t value = 0;
    for (char16_t digit : digits) {
        std::uint32_t nibble;
        if (digit >= u'0' && digit <= u'9') {
            nibble = digit - u'0';
        } else if (digit >= u'A' && digit <= u'F') {
            nibble = digit - u'A' + 10;
        } else if (digit >= u'a' && digit <= u'f') {
            nibble = digit - u'a' + 10;
        } else {
            reject("the encoded text holds a character that is not a hexadecimal digit");
        }
        value = value * 16 + nibble;
    }
    return value;
}

} // namespace

Text encode_text(TextView plain) {
    Text encoded;
    encoded.reserve(plain.size() * DigitsPerUnit + CheckDigits);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        append_hex(encoded, plain[i] ^ key_at(i), DigitsPerUnit);
    }
    append_hex(encoded, check_byte(plain), CheckDigits);
    return encoded;
}

Text decode_text(TextView encoded) {
    if (encoded.size() < CheckDigits || (encoded.size() - CheckDigits) % DigitsPerUnit != 0) {
        reject("the encoded text has a wrong length");
    }
    const std::size_t units = (encoded.size() - CheckDigits) / DigitsPerUnit;
    Text plain;
    plain.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t masked = read_hex(encoded.substr(i * DigitsPerUnit, DigitsPerUnit));
        plain += static_cast<char16_t>(masked ^ key_at(i));
    }
    if (read_hex(encoded.substr(units * DigitsPerUnit)) != check_byte(plain)) {
        reject("the encoded text's check byte does not match");
    }
    return plain;
}

} // namespace orbek
