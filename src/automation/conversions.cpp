#include "automation/conversions.h"

#include "automation/date_text.h"
#include "automation/ole_date.h"
#include "automation/rounding.h"
#include "automation/vb_error.h"

#include <cmath>
#include <iterator>
#include <limits>
#include <string>

namespace orbek {

namespace {

using DateValue = Variant::DateValue;
using ErrorValue = Variant::ErrorValue;
using ObjectRef = Variant::ObjectRef;

[[noreturn]] void fail(int number) {
    throw VbError(number);
}

// Null where a value is needed. (An error value, among them a missing argument, and an object,
// whose default member is not followed, have no conversion at all: each conversion ends in a
// type mismatch for them.)
void require_plain_value(const Variant& value) {
    if (value.is_null())
        fail(vb::InvalidUseOfNull);
}

double number_from_text(TextView text) {
    std::optional<double> number = parse_number_text(text);
    if (!number)
        fail(vb::TypeMismatch);
    return *number;
}

// The whole value of an exactly whole source (Empty, Boolean, Byte, Integer, Long).
std::optional<std::int32_t> exact_whole(const Variant& value) {
    switch (value.type()) {
    case VarType::Empty:
        return 0;
    case VarType::Boolean:
        return value.as<bool>() ? -1 : 0;
    case VarType::Byte:
        return value.as<std::uint8_t>();
    case VarType::Integer:
        return value.as<std::int16_t>();
    case VarType::Long:
        return value.as<std::int32_t>();
    default:
        return std::nullopt;
    }
}

template <typename Whole> Whole checked_whole(std::int64_t value) {
    if (value < std::numeric_limits<Whole>::min() || value > std::numeric_limits<Whole>::max())
        fail(vb::Overflow);
    return static_cast<Whole>(value);
}

template <typename Whole> Whole whole_from_double(double value) {
    double rounded = round_half_even(value);
    // Comparing as doubles is exact for these narrow types; NaN fails both tests.
    if (!(rounded >= std::numeric_limits<Whole>::min() &&
          rounded <= std::numeric_limits<Whole>::max()))
        fail(vb::Overflow);
    return static_cast<Whole>(rounded);
}

// Currency to the nearest whole number, halves to even, without passing through a double.
std::int64_t rounded_currency(Currency value) {
    std::int64_t whole = value.scaled() / Currency::Scale;
    std::int64_t remainder = value.scaled() % Currency::Scale; // has the value's sign
    std::int64_t twice = 2 * (remainder < 0 ? -remainder : remainder);
    if (twice > Currency::Scale || (twice == Currency::Scale && whole % 2 != 0))
        whole += value.scaled() < 0 ? -1 : 1;
    return whole;
}

template <typename Whole> Whole to_whole(const Variant& value) {
    require_plain_value(value);
    if (std::optional<std::int32_t> whole = exact_whole(value))
        return checked_whole<Whole>(*whole);
    if (value.holds<Currency>())
        return checked_whole<Whole>(rounded_currency(value.as<Currency>()));
    return whole_from_double<Whole>(to_double(value));
}

TextView trim_blanks(TextView text) {
    auto is_blank = [](char16_t unit) { return unit == u' ' || unit == u'\t'; };
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

Text decimal_text(std::int32_t value) {
    char16_t digits[12];
    char16_t* end = digits + std::size(digits);
    char16_t* first = end;
    // Worked out on the magnitude in 64 bits, so the smallest Long has one too.
    std::int64_t magnitude = value < 0 ? -std::int64_t{value} : value;
    do {
        *--first = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--first = u'-';
    return Text(first, end);
}

} // namespace

std::int32_t double_to_long(double value) {
    return whole_from_double<std::int32_t>(value);
}

std::int16_t double_to_integer(double value) {
    return whole_from_double<std::int16_t>(value);
}

bool to_boolean(const Variant& value) {
    require_plain_value(value);
    if (std::optional<std::int32_t> whole = exact_whole(value))
        return *whole != 0;
    if (value.holds<Currency>())
        return value.as<Currency>().scaled() != 0;
    if (value.is_text()) {
        TextView text = trim_blanks(value.text());
        if (equals_ignoring_case(text, u"True"))
            return true;
        if (equals_ignoring_case(text, u"False"))
            return false;
    }
    return to_double(value) != 0;
}

std::uint8_t to_byte(const Variant& value) {
    return to_whole<std::uint8_t>(value);
}

std::int16_t to_integer(const Variant& value) {
    return to_whole<std::int16_t>(value);
}

std::int32_t to_long(const Variant& value) {
    return to_whole<std::int32_t>(value);
}

double to_double(const Variant& value) {
    require_plain_value(value);
    if (std::optional<std::int32_t> whole = exact_whole(value))
        return *whole;
    switch (value.type()) {
    case VarType::Single:
        return value.as<float>();
    case VarType::Double:
        return value.as<double>();
    case VarType::Currency:
        return value.as<Currency>().to_double();
    case VarType::Date:
        return value.as<DateValue>().serial;
    case VarType::String:
        return number_from_text(value.text());
    default:
        fail(vb::TypeMismatch);
    }
}

float to_single(const Variant& value) {
    if (value.holds<float>())
        return value.as<float>();
    double number = to_double(value);
    // Halfway between the largest float and the next power of two: from here on a float
    // would round to infinity.
    constexpr double FirstTooLarge = 0x1.ffffffp127;
    if (std::isfinite(number) && std::fabs(number) >= FirstTooLarge)
        fail(vb::Overflow);
    return static_cast<float>(number);
}

Currency to_currency(const Variant& value) {
    require_plain_value(value);
    if (std::optional<std::int32_t> whole = exact_whole(value))
        return Currency::from_whole(*whole);
    if (value.holds<Currency>())
        return value.as<Currency>();
    if (value.is_text()) {
        std::optional<Currency> number = parse_currency_text(value.text());
        if (!number)
            fail(vb::TypeMismatch);
        return *number;
    }
    return Currency::from_double(to_double(value));
}

double to_date(const Variant& value) {
    require_plain_value(value);
    if (value.holds<DateValue>())
        return value.as<DateValue>().serial;
    if (value.is_text()) {
        std::optional<double> date = parse_date_text(value.text());
        if (!date)
            fail(vb::TypeMismatch);
        return *date;
    }
    double serial = to_double(value);
    if (!is_valid_ole_date(serial))
        fail(vb::Overflow);
    return serial;
}

Text to_text(const Variant& value) {
    require_plain_value(value);
    switch (value.type()) {
    case VarType::Empty:
        return Text();
    case VarType::Boolean:
        return boolean_to_text(value.as<bool>());
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
        return decimal_text(*exact_whole(value));
    case VarType::Single:
        return single_to_text(value.as<float>());
    case VarType::Double:
        return double_to_text(value.as<double>());
    case VarType::Currency:
        return currency_to_text(value.as<Currency>());
    case VarType::Date:
        return format_date_value(value.as<DateValue>().serial);
    case VarType::String:
        return Text(value.text());
    default:
        fail(vb::TypeMismatch);
    }
}

TextView text_view_of(const Variant& value, Text& storage) {
    if (value.is_text())
        return value.text();
    storage = to_text(value);
    return storage;
}

Variant convert_to(const Variant& value, VarType type) {
    switch (type) {
    case VarType::Empty:
    case VarType::Null:
    case VarType::Error:
        if (value.type() != type)
            fail(vb::TypeMismatch);
        return value;
    case VarType::Object:
        // Empty becomes Nothing, as an unassigned object variable is.
        if (value.is_empty())
            return Variant(ObjectRef());
        if (value.type() != type)
            fail(vb::TypeMismatch);
        return value;
    case VarType::Boolean:
        return Variant(to_boolean(value));
    case VarType::Byte:
        return Variant(to_byte(value));
    case VarType::Integer:
        return Variant(to_integer(value));
    case VarType::Long:
        return Variant(to_long(value));
    case VarType::Single:
        return Variant(to_single(value));
    case VarType::Double:
        return Variant(to_double(value));
    case VarType::Currency:
        return Variant(to_currency(value));
    case VarType::Date:
        return Variant::date(to_date(value));
    case VarType::String:
        return Variant(to_text(value));
    }
    fail(vb::TypeMismatch); // a type number outside the enumeration
}

} // namespace orbek
