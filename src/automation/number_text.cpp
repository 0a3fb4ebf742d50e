// Reading numbers from text: whole texts (the conversions) and leading numbers (Val).
#include "automation/conversions.h"
#include "automation/vb_error.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace orbek {

namespace {

bool is_digit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}
bool is_exponent_marker(char16_t unit) {
    return unit == u'E' || unit == u'e' || unit == u'D' || unit == u'd';
}

// A decimal number as read: the digits without the point, how many of them stand before the
// point, and the written exponent.
struct DecimalNumber {
    bool negative = false;
    std::string digits;
    long long point_position = 0;
    long long exponent = 0;

    void add_exponent_digit(char16_t unit) {
        // Saturates far beyond any double so that a long exponent cannot overflow.
        if (exponent < 100000000)
            exponent = exponent * 10 + (unit - u'0');
    }
};

// The nearest double; a magnitude too large for a double is error 6, one too small is 0.
double value_of(const DecimalNumber& number) {
    std::size_t first = number.digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0.0;
    std::size_t last = number.digits.find_last_not_of('0');
    std::string significant = number.digits.substr(first, last - first + 1);
    // The value is 0.<significant> x 10^scale.
    long long scale = number.exponent + number.point_position - static_cast<long long>(first);
    if (scale > 400)
        throw VbError(vb::Overflow);
    if (scale < -400)
        return 0.0;

    std::string text = "0." + significant + "e" + std::to_string(scale);
    double value = 0.0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (scale > 0)
            throw VbError(vb::Overflow);
        return 0.0;
    }
    return number.negative ? -value : value;
}

// &H and &O numbers: whole numbers that wrap into the smallest signed type of the host's
// language that holds their bits (&HFFFF is -1, &H10000 is 65536, &HFFFFFFFF is -1).
std::optional<double> radix_number(TextView digits, int radix) {
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char16_t unit : digits) {
        int digit = -1;
        if (is_digit(unit))
            digit = unit - u'0';
        else if (unit >= u'A' && unit <= u'F')
            digit = unit - u'A' + 10;
        else if (unit >= u'a' && unit <= u'f')
            digit = unit - u'a' + 10;
        if (digit < 0 || digit >= radix)
            return std::nullopt;
        value = value * radix + digit;
        if (value > 0xFFFFFFFFu)
            throw VbError(vb::Overflow);
    }
    if (value <= 0xFFFFu)
        return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

} // namespace

namespace {

// A whole text read as a number: a decimal one, or the value of an &H/&O one.
struct NumberText {
    DecimalNumber decimal;
    std::optional<double> radix_value;
};

std::optional<NumberText> read_number_text(TextView text) {
    auto is_blank = [](char16_t unit) { return unit == u' ' || unit == u'\t'; };
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;

    NumberText read;
    if (text.size() >= 2 && text[0] == u'&') {
        if (text[1] == u'H' || text[1] == u'h')
            read.radix_value = radix_number(text.substr(2), 16);
        else if (text[1] == u'O' || text[1] == u'o')
            read.radix_value = radix_number(text.substr(2), 8);
        if (!read.radix_value)
            return std::nullopt;
        return read;
    }

    DecimalNumber& number = read.decimal;
    std::size_t pos = 0;
    if (text[pos] == u'+' || text[pos] == u'-')
        number.negative = text[pos++] == u'-';
    for (; pos < text.size() && is_digit(text[pos]); ++pos)
        number.digits += static_cast<char>(text[pos]);
    number.point_position = static_cast<long long>(number.digits.size());
    if (pos < text.size() && text[pos] == u'.') {
        for (++pos; pos < text.size() && is_digit(text[pos]); ++pos)
            number.digits += static_cast<char>(text[pos]);
    }
    if (number.digits.empty())
        return std::nullopt;

    if (pos < text.size() && is_exponent_marker(text[pos])) {
        ++pos;
        bool negative_exponent = false;
        if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
            negative_exponent = text[pos++] == u'-';
        if (pos == text.size() || !is_digit(text[pos]))
            return std::nullopt;
        for (; pos < text.size() && is_digit(text[pos]); ++pos)
            number.add_exponent_digit(text[pos]);
        if (negative_exponent)
            number.exponent = -number.exponent;
    }
    if (pos != text.size())
        return std::nullopt;
    return read;
}

// The decimal number times 10,000, rounded half to even, computed on its digits so that no
// binary fraction takes part; nullopt when it does not fit in 64 bits.
std::optional<Currency> scaled_exactly(const DecimalNumber& number) {
    std::size_t first = number.digits.find_first_not_of('0');
    if (first == std::string::npos)
        return Currency();
    // Digits standing before the point of value x 10,000.
    const long long whole_count =
        number.point_position + number.exponent + 4 - static_cast<long long>(first);
    if (whole_count > 19)
        return std::nullopt;
    const std::string_view digits = std::string_view(number.digits).substr(first);
    std::uint64_t whole = 0; // at most 19 digits: no overflow
    int first_dropped = 0;   // decides the rounding; the digits after it only break a tie
    bool more = false;
    // With no digit before the point the value is below a tenth and rounds to 0.
    if (whole_count >= 0) {
        const auto kept = static_cast<std::size_t>(whole_count);
        for (std::size_t i = 0; i < kept; ++i)
            whole =
                whole * 10 + static_cast<std::uint64_t>(i < digits.size() ? digits[i] - '0' : 0);
        if (kept < digits.size()) {
            first_dropped = digits[kept] - '0';
            more = digits.find_first_not_of('0', kept + 1) != std::string_view::npos;
        }
    }
    if (first_dropped > 5 || (first_dropped == 5 && (more || (whole & 1u) != 0)))
        ++whole;
    constexpr std::uint64_t Largest = std::numeric_limits<std::int64_t>::max();
    if (whole > Largest + (number.negative ? 1 : 0))
        return std::nullopt;
    const std::int64_t scaled =
        number.negative ? static_cast<std::int64_t>(0 - whole) : static_cast<std::int64_t>(whole);
    return Currency::from_scaled(scaled);
}

} // namespace

std::optional<double> parse_number_text(TextView text) {
    std::optional<NumberText> read = read_number_text(text);
    if (!read)
        return std::nullopt;
    if (read->radix_value)
        return read->radix_value;
    return value_of(read->decimal);
}

std::optional<Currency> parse_currency_text(TextView text) {
    std::optional<NumberText> read = read_number_text(text);
    if (!read)
        return std::nullopt;
    if (read->radix_value)
        return Currency::from_scaled(static_cast<std::int64_t>(*read->radix_value) *
                                     Currency::Scale);
    std::optional<Currency> scaled = scaled_exactly(read->decimal);
    if (!scaled)
        throw VbError(vb::Overflow);
    return scaled;
}

namespace {

bool is_passed_over(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == u'\n' || unit == u'\r';
}

// The usual case, a piece that is a plain whole number of up to 15 digits (exact as a double),
// read without building anything; nullopt for every other piece.
std::optional<double> leading_whole_number(TextView text) {
    std::size_t pos = 0;
    auto peek = [&]() -> char16_t {
        while (pos < text.size() && is_passed_over(text[pos]))
            ++pos;
        return pos < text.size() ? text[pos] : u'\0';
    };
    bool negative = false;
    if (peek() == u'+' || peek() == u'-')
        negative = text[pos++] == u'-';
    std::int64_t whole = 0;
    int count = 0;
    for (; is_digit(peek()); ++pos) {
        if (++count > 15)
            return std::nullopt;
        whole = whole * 10 + (text[pos] - u'0');
    }
    if (count == 0 || peek() == u'.' || is_exponent_marker(peek()))
        return std::nullopt;
    return negative && whole != 0 ? -static_cast<double>(whole) : static_cast<double>(whole);
}

} // namespace

double leading_number(TextView text) {
    if (std::optional<double> whole = leading_whole_number(text))
        return *whole;
    std::size_t pos = 0;
    // The next character that counts: blanks anywhere are passed over.
    auto peek = [&]() -> char16_t {
        while (pos < text.size() && is_passed_over(text[pos]))
            ++pos;
        return pos < text.size() ? text[pos] : u'\0';
    };

    DecimalNumber number;
    if (peek() == u'+' || peek() == u'-')
        number.negative = text[pos++] == u'-';
    for (; is_digit(peek()); ++pos)
        number.digits += static_cast<char>(text[pos]);
    number.point_position = static_cast<long long>(number.digits.size());
    if (peek() == u'.') {
        for (++pos; is_digit(peek()); ++pos)
            number.digits += static_cast<char>(text[pos]);
    }
    if (number.digits.empty())
        return 0.0;

    // An exponent marker without digits after it ends the number before the marker.
    if (is_exponent_marker(peek())) {
        ++pos;
        bool negative_exponent = false;
        if (peek() == u'+' || peek() == u'-')
            negative_exponent = text[pos++] == u'-';
        for (; is_digit(peek()); ++pos)
            number.add_exponent_digit(text[pos]);
        if (negative_exponent)
            number.exponent = -number.exponent;
    }
    return value_of(number);
}

} // namespace orbek
