#include "platform/posix/profile_number.h"

namespace orbek::profile {
namespace {

// Windows reads the value into a buffer of 30 characters before it converts it.
constexpr std::size_t MaxNumberLength = 29;

int digit_value(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'Z') {
        return c - 'A' + 10;
    }
    return 99;
}

unsigned base_of_prefix(char c) {
    // The system takes the letter in lowercase only: "0X1F" reads as 0.
    switch (c) {
    case 'x':
        return 16;
    case 'o':
        return 8;
    case 'b':
        return 2;
    default:
        return 0;
    }
}

} // namespace

std::optional<std::uint32_t> profile_number(std::string_view value) {
    if (value.empty()) {
        return std::nullopt;
    }
    value = value.substr(0, MaxNumberLength);
    std::size_t at = 0;
    while (at < value.size() && static_cast<unsigned char>(value[at]) <= ' ') {
        ++at;
    }
    bool negative = false;
    if (at < value.size() && (value[at] == '+' || value[at] == '-')) {
        negative = value[at] == '-';
        ++at;
    }
    unsigned base = 10;
    if (at + 1 < value.size() && value[at] == '0') {
        if (const unsigned prefixed = base_of_prefix(value[at + 1]); prefixed != 0) {
            base = prefixed;
            at += 2;
        }
    }
    std::uint32_t number = 0;
    for (; at < value.size(); ++at) {
        const int digit = digit_value(value[at]);
        if (digit >= static_cast<int>(base)) {
            break;
        }
        number = number * base + static_cast<std::uint32_t>(digit);
    }
    return negative ? 0u - number : number;
}

} // namespace orbek::profile
