// Conversions between automation values with the host language's rules:
// rounding halves to even, out of range is error 6, unconvertible text or an
// object/error value is error 13, Null where a value is needed is error 94.
#pragma once

#include "automation/currency.h"
#include "automation/text.h"
#include "automation/variant.h"

#include <cstdint>
#include <optional>

namespace orbek {

bool to_boolean(const Variant& value);
std::uint8_t to_byte(const Variant& value);
std::int16_t to_integer(const Variant& value);
std::int32_t to_long(const Variant& value);
float to_single(const Variant& value);
double to_double(const Variant& value);
Currency to_currency(const Variant& value);
double to_date(const Variant& value); // numbers as serials, texts through the date parser
Text to_text(const Variant& value);

// The value converted to the given type (Empty and Null only to themselves; Error and
// Object only from themselves).
Variant convert_to(const Variant& value, VarType type);

// Whole-number conversions of a double, shared by the above.
std::int32_t double_to_long(double value);
std::int16_t double_to_integer(double value);

// Text forms as the host's language prints them.
Text double_to_text(double value);     // 15 significant digits: 0.1, 0.333333333333333, 1E+20
Text single_to_text(float value);      // 7 significant digits
Text currency_to_text(Currency value); // up to four decimals, no trailing zeros
Text boolean_to_text(bool value);      // True / False

// A whole text read as a number: blanks around it, a sign, digits with one decimal point,
// an exponent (E or D), or &H/&O whole numbers. Nullopt when the text is not a number;
// error 6 when it is one too large for a Double (or for 32 bits after &H/&O).
std::optional<double> parse_number_text(TextView text);

// The same texts read as Currency without passing through a Double: the decimal digits are
// scaled and rounded half to even exactly. Nullopt when the text is not a number; error 6
// when it is one outside the Currency range.
std::optional<Currency> parse_currency_text(TextView text);

// The text of a value without a copy when it is a String; otherwise its text form, kept in
// `storage`.
TextView text_view_of(const Variant& value, Text& storage);

// The number a piece of text starts with (blanks inside skipped, stops at the first
// character that cannot continue the number); 0 when it does not start with one; error 6
// when it is too large for a Double.
double leading_number(TextView text);

} // namespace orbek
