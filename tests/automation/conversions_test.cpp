#include "automation/conversions.h"
#include "automation/date_text.h"
#include "automation/vb_error.h"
#include "support/error_number.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace orbek {
namespace {

using testing::error_number;

Variant long_value(std::int32_t value) {
    return Variant(value);
}
Variant integer_value(std::int16_t value) {
    return Variant(value);
}
Variant byte_value(std::uint8_t value) {
    return Variant(value);
}
Variant currency_value(std::int64_t scaled) {
    return Variant(Currency::from_scaled(scaled));
}
Variant nothing() {
    return Variant(Variant::ObjectRef());
}
Variant error_value(std::int32_t code) {
    return Variant(Variant::ErrorValue{code});
}

std::string describe(const Variant& value) {
    std::string text = "type " + std::to_string(static_cast<int>(value.type()));
    if (value.holds<Text>())
        text += " \"" + to_utf8(value.as<Text>()) + "\"";
    return text;
}

TEST(Variant, TypeOfEachAlternative) {
    struct Case {
        Variant value;
        VarType type;
    };
    const Case cases[] = {
        {Variant(), VarType::Empty},
        {Variant::null(), VarType::Null},
        {integer_value(1), VarType::Integer},
        {long_value(1), VarType::Long},
        {Variant(1.0f), VarType::Single},
        {Variant(1.0), VarType::Double},
        {currency_value(1), VarType::Currency},
        {Variant::date(1.0), VarType::Date},
        {Variant(u"1"), VarType::String},
        {nothing(), VarType::Object},
        {error_value(5), VarType::Error},
        {Variant::missing(), VarType::Error},
        {Variant(true), VarType::Boolean},
        {byte_value(1), VarType::Byte},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value.type(), c.type);
        EXPECT_EQ(c.value.is_empty(), c.type == VarType::Empty);
        EXPECT_EQ(c.value.is_null(), c.type == VarType::Null);
    }
    EXPECT_TRUE(Variant::missing().is_missing());
    EXPECT_FALSE(error_value(5).is_missing());
    EXPECT_FALSE(long_value(MissingArgumentCode).is_missing());
    EXPECT_FALSE(Variant().is_missing());
}

TEST(Conversions, ValuesByTargetType) {
    struct Case {
        Variant source;
        VarType target;
        Variant expected;
    };
    const Case cases[] = {
        // Whole targets round halves to even.
        {Variant(2.5), VarType::Long, long_value(2)},
        {Variant(3.5), VarType::Long, long_value(4)},
        {Variant(-2.5), VarType::Long, long_value(-2)},
        {Variant(-2.6), VarType::Long, long_value(-3)},
        {Variant(0.5), VarType::Integer, integer_value(0)},
        {Variant(1.5), VarType::Byte, byte_value(2)},
        {Variant(255.4), VarType::Byte, byte_value(255)},
        {Variant(-0.5), VarType::Byte, byte_value(0)},
        {Variant(-32768.5), VarType::Integer, integer_value(-32768)},
        {Variant(2.5f), VarType::Integer, integer_value(2)},
        {currency_value(25000), VarType::Long, long_value(2)},
        {currency_value(35000), VarType::Long, long_value(4)},
        {currency_value(-25000), VarType::Long, long_value(-2)},
        {currency_value(-35000), VarType::Long, long_value(-4)},
        {currency_value(25001), VarType::Long, long_value(3)},
        {currency_value(-24999), VarType::Long, long_value(-2)},
        {Variant::date(45000.75), VarType::Long, long_value(45001)},
        {Variant::date(0.5), VarType::Long, long_value(0)},
        {long_value(200), VarType::Byte, byte_value(200)},
        {long_value(-32768), VarType::Integer, integer_value(-32768)},
        {byte_value(255), VarType::Integer, integer_value(255)},
        // Booleans are -1 and 0.
        {Variant(true), VarType::Integer, integer_value(-1)},
        {Variant(true), VarType::Long, long_value(-1)},
        {Variant(true), VarType::Double, Variant(-1.0)},
        {Variant(true), VarType::Currency, currency_value(-10000)},
        {Variant(true), VarType::Date, Variant::date(-1.0)},
        {Variant(true), VarType::String, Variant(u"True")},
        {Variant(false), VarType::Byte, byte_value(0)},
        {Variant(false), VarType::String, Variant(u"False")},
        // Empty is zero, the empty text, false.
        {Variant(), VarType::Long, long_value(0)},
        {Variant(), VarType::Byte, byte_value(0)},
        {Variant(), VarType::Double, Variant(0.0)},
        {Variant(), VarType::Currency, currency_value(0)},
        {Variant(), VarType::Date, Variant::date(0.0)},
        {Variant(), VarType::Boolean, Variant(false)},
        {Variant(), VarType::String, Variant(u"")},
        // Texts are read as whole numbers.
        {Variant(u" 12 "), VarType::Integer, integer_value(12)},
        {Variant(u"2.5"), VarType::Integer, integer_value(2)},
        {Variant(u"1E3"), VarType::Long, long_value(1000)},
        {Variant(u"&HFFFF"), VarType::Long, long_value(-1)},
        {Variant(u"&H10000"), VarType::Long, long_value(65536)},
        {Variant(u"-8.5"), VarType::Double, Variant(-8.5)},
        {Variant(u"0.1"), VarType::Single, Variant(0.1f)},
        // A text becomes Currency digit by digit, never through a Double.
        {Variant(u"0.00015"), VarType::Currency, currency_value(2)},
        {Variant(u"0.00025"), VarType::Currency, currency_value(2)},
        {Variant(u"-0.000250001"), VarType::Currency, currency_value(-3)},
        {Variant(u"922337203685477.5807"), VarType::Currency,
         currency_value(std::numeric_limits<std::int64_t>::max())},
        {Variant(u"-922337203685477.5808"), VarType::Currency,
         currency_value(std::numeric_limits<std::int64_t>::min())},
        {Variant(u"-922337203685477.58085"), VarType::Currency, // half-way: to the even end
         currency_value(std::numeric_limits<std::int64_t>::min())},
        {Variant(u"1.5E-4"), VarType::Currency, currency_value(2)},
        {Variant(u"12345E-8"), VarType::Currency, currency_value(1)},
        {Variant(u"0.00004999"), VarType::Currency, currency_value(0)},
        {Variant(u"0.00006"), VarType::Currency, currency_value(1)}, // nothing before the point
        {Variant(u"&HFF"), VarType::Currency, currency_value(2550000)},
        {Variant(u"8.5"), VarType::Currency, currency_value(85000)},
        {Variant(u"true"), VarType::Boolean, Variant(true)},
        {Variant(u" FALSE "), VarType::Boolean, Variant(false)},
        {Variant(u"0"), VarType::Boolean, Variant(false)},
        {Variant(u"-2"), VarType::Boolean, Variant(true)},
        {Variant(u"0.0001"), VarType::Boolean, Variant(true)},
        {Variant(u"10/03/2025"), VarType::Date, Variant::date(45726.0)},
        {Variant(u"10/03/2025 18:00"), VarType::Date, Variant::date(45726.75)},
        {Variant(u"abc"), VarType::String, Variant(u"abc")},
        // Numbers between themselves.
        {Variant(0.1f), VarType::Double, Variant(static_cast<double>(0.1f))},
        {Variant(0.1), VarType::Single, Variant(0.1f)},
        {Variant(0.00015), VarType::Currency, currency_value(1)},
        {long_value(123), VarType::Currency, currency_value(1230000)},
        {long_value(std::numeric_limits<std::int32_t>::max()), VarType::Currency,
         currency_value(std::int64_t{std::numeric_limits<std::int32_t>::max()} * 10000)},
        {currency_value(85000), VarType::Double, Variant(8.5)},
        {currency_value(1), VarType::Boolean, Variant(true)},
        {Variant(0.0), VarType::Boolean, Variant(false)},
        {Variant::date(0.0), VarType::Boolean, Variant(false)},
        {Variant(45000.5), VarType::Date, Variant::date(45000.5)},
        {long_value(45000), VarType::Date, Variant::date(45000.0)},
        {currency_value(15000), VarType::Date, Variant::date(1.5)},
        {Variant(-657434.5), VarType::Date, Variant::date(-657434.5)},
        {Variant::date(45000.75), VarType::Double, Variant(45000.75)},
        // Text forms.
        {byte_value(200), VarType::String, Variant(u"200")},
        {integer_value(-5), VarType::String, Variant(u"-5")},
        {long_value(std::numeric_limits<std::int32_t>::min()), VarType::String,
         Variant(u"-2147483648")},
        {Variant(0.1), VarType::String, Variant(u"0.1")},
        {Variant(1e20), VarType::String, Variant(u"1E+20")},
        {Variant(0.1f), VarType::String, Variant(u"0.1")},
        {currency_value(85000), VarType::String, Variant(u"8.5")},
        {Variant::date(45000.75), VarType::String, Variant(u"15/03/2023 18:00:00")},
        {Variant::date(45000.0), VarType::String, Variant(u"15/03/2023")},
        {Variant::date(0.75), VarType::String, Variant(u"18:00:00")},
        // The types that convert only to themselves.
        {Variant(), VarType::Empty, Variant()},
        {Variant::null(), VarType::Null, Variant::null()},
        {Variant::missing(), VarType::Error, Variant::missing()},
        {nothing(), VarType::Object, nothing()},
        {Variant(), VarType::Object, nothing()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << describe(c.source) << " to type " << static_cast<int>(c.target));
        Variant converted = convert_to(c.source, c.target);
        EXPECT_EQ(converted.type(), c.expected.type());
        EXPECT_TRUE(converted == c.expected) << describe(converted);
    }
}

struct Target {
    const char* name;
    std::function<void(const Variant&)> convert;
};

const Target AllTargets[] = {
    {"Boolean", [](const Variant& v) { to_boolean(v); }},
    {"Byte", [](const Variant& v) { to_byte(v); }},
    {"Integer", [](const Variant& v) { to_integer(v); }},
    {"Long", [](const Variant& v) { to_long(v); }},
    {"Single", [](const Variant& v) { to_single(v); }},
    {"Double", [](const Variant& v) { to_double(v); }},
    {"Currency", [](const Variant& v) { to_currency(v); }},
    {"Date", [](const Variant& v) { to_date(v); }},
    {"String", [](const Variant& v) { to_text(v); }},
};

TEST(Conversions, NullIsInvalidUseOfNullForEveryTarget) {
    for (const Target& target : AllTargets) {
        SCOPED_TRACE(target.name);
        EXPECT_EQ(error_number([&] { target.convert(Variant::null()); }), vb::InvalidUseOfNull);
    }
}

TEST(Conversions, ErrorValuesAndObjectsAreTypeMismatchForEveryTarget) {
    const Variant sources[] = {Variant::missing(), error_value(5), nothing()};
    for (const Variant& source : sources) {
        for (const Target& target : AllTargets) {
            SCOPED_TRACE(::testing::Message() << describe(source) << " to " << target.name);
            EXPECT_EQ(error_number([&] { target.convert(source); }), vb::TypeMismatch);
        }
    }
}

TEST(Conversions, TextsThatAreNotNumbersAreTypeMismatch) {
    struct Case {
        const char16_t* text;
        const char* target;
        int error;
    };
    const Case cases[] = {
        {u"abc", "Boolean", vb::TypeMismatch},
        {u"abc", "Byte", vb::TypeMismatch},
        {u"abc", "Integer", vb::TypeMismatch},
        {u"abc", "Long", vb::TypeMismatch},
        {u"abc", "Single", vb::TypeMismatch},
        {u"abc", "Double", vb::TypeMismatch},
        {u"abc", "Currency", vb::TypeMismatch},
        {u"abc", "Date", vb::TypeMismatch},
        {u"abc", "String", 0},
        {u"", "Long", vb::TypeMismatch},
        {u"", "Boolean", vb::TypeMismatch},
        {u"", "Date", vb::TypeMismatch},
        {u"True", "Long", vb::TypeMismatch},
        {u"False", "Double", vb::TypeMismatch},
        {u"True", "Boolean", 0},
        {u"True", "Date", vb::TypeMismatch},
        {u"1,5", "Double", vb::TypeMismatch},
        {u"45000", "Date", vb::TypeMismatch},
        {u"31/04/2025", "Date", vb::TypeMismatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << to_utf8(c.text) << " to " << c.target);
        const Target* target = nullptr;
        for (const Target& candidate : AllTargets) {
            if (std::string(candidate.name) == c.target)
                target = &candidate;
        }
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(error_number([&] { target->convert(Variant(c.text)); }), c.error);
    }
}

TEST(Conversions, ValuesOutOfTheTargetRangeAreOverflow) {
    struct Case {
        Variant source;
        VarType target;
    };
    const Case cases[] = {
        {long_value(256), VarType::Byte},
        {long_value(-1), VarType::Byte},
        {integer_value(-1), VarType::Byte},
        {Variant(true), VarType::Byte},
        {Variant(255.5), VarType::Byte}, // rounds to 256
        {Variant(-0.6), VarType::Byte},
        {long_value(32768), VarType::Integer},
        {Variant(32767.5), VarType::Integer},
        {Variant(-32768.6), VarType::Integer},
        {Variant::date(45000.0), VarType::Integer},
        {Variant(2147483647.5), VarType::Long},
        {Variant(-2147483649.0), VarType::Long},
        {Variant(1e300), VarType::Long},
        {Variant(std::numeric_limits<double>::quiet_NaN()), VarType::Long},
        {Variant(std::numeric_limits<double>::infinity()), VarType::Integer},
        {currency_value(std::numeric_limits<std::int64_t>::max()), VarType::Long},
        {currency_value(21474836475000), VarType::Long}, // 2147483647.5 rounds up
        {Variant(u"1E10"), VarType::Long},
        {Variant(u"&H100000000"), VarType::Long},
        {Variant(u"1E400"), VarType::Double},
        {Variant(1e39), VarType::Single},
        {Variant(-1e39), VarType::Single},
        {Variant(u"1E39"), VarType::Single},
        {Variant(1e16), VarType::Currency},
        {Variant(u"922337203685477.58075"), VarType::Currency}, // rounds past the largest
        {Variant(u"-922337203685477.58086"), VarType::Currency},
        {Variant(u"1E15"), VarType::Currency},
        {Variant(std::numeric_limits<double>::quiet_NaN()), VarType::Currency},
        {Variant(3e6), VarType::Date},
        {Variant(-657435.0), VarType::Date},
        {Variant(2958466.0), VarType::Date},
        {Variant(std::numeric_limits<double>::quiet_NaN()), VarType::Date},
        {long_value(std::numeric_limits<std::int32_t>::max()), VarType::Date},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << describe(c.source) << " to type " << static_cast<int>(c.target));
        EXPECT_EQ(error_number([&] { convert_to(c.source, c.target); }), vb::Overflow);
    }
}

TEST(Conversions, SingleKeepsValuesThatRoundToItsLargestFinite) {
    constexpr float Largest = std::numeric_limits<float>::max();
    EXPECT_EQ(to_single(Variant(static_cast<double>(Largest))), Largest);
    EXPECT_EQ(to_single(Variant(0x1.fffffefffffffp127)), Largest); // just below the midpoint
    EXPECT_EQ(error_number([] { to_single(Variant(0x1.ffffffp127)); }), vb::Overflow);
    EXPECT_TRUE(std::isinf(to_single(Variant(std::numeric_limits<double>::infinity()))));
}

TEST(Conversions, OnlyTheSameTypeConvertsToEmptyNullErrorOrObject) {
    struct Case {
        Variant source;
        VarType target;
        int error;
    };
    const Case cases[] = {
        {long_value(1), VarType::Empty, vb::TypeMismatch},
        {Variant::null(), VarType::Empty, vb::TypeMismatch},
        {long_value(1), VarType::Null, vb::TypeMismatch},
        {Variant(), VarType::Null, vb::TypeMismatch},
        {long_value(5), VarType::Error, vb::TypeMismatch},
        {Variant(), VarType::Error, vb::TypeMismatch},
        {long_value(1), VarType::Object, vb::TypeMismatch},
        {Variant::null(), VarType::Object, vb::TypeMismatch},
        {Variant(u""), VarType::Object, vb::TypeMismatch},
        {Variant::null(), VarType::Long, vb::InvalidUseOfNull},
        {Variant::missing(), VarType::String, vb::TypeMismatch},
        {long_value(1), static_cast<VarType>(99), vb::TypeMismatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << describe(c.source) << " to type " << static_cast<int>(c.target));
        EXPECT_EQ(error_number([&] { convert_to(c.source, c.target); }), c.error);
    }
}

TEST(Conversions, DateOutOfRangeIsInvalidArgumentWhenWritten) {
    EXPECT_EQ(error_number([] { to_text(Variant::date(3e6)); }), vb::InvalidProcedureCall);
}

TEST(Conversions, DoubleToWholeNumbers) {
    struct Case {
        double value;
        std::int32_t as_long; // 0 with overflow set below when it does not fit
        bool long_overflows;
        bool integer_overflows;
    };
    const Case cases[] = {
        {0.5, 0, false, false},
        {1.5, 2, false, false},
        {2.5, 2, false, false},
        {-2.5, -2, false, false},
        {32767.4, 32767, false, false},
        {32767.5, 32768, false, true},
        {-32768.5, -32768, false, false},
        {-32768.6, -32769, false, true},
        {2147483647.4, 2147483647, false, true},
        {2147483647.5, 0, true, true},
        {-2147483648.5, -2147483648, false, true},
        {-2147483648.6, 0, true, true},
        {std::numeric_limits<double>::quiet_NaN(), 0, true, true},
        {-std::numeric_limits<double>::infinity(), 0, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.long_overflows)
            EXPECT_EQ(error_number([&] { double_to_long(c.value); }), vb::Overflow);
        else
            EXPECT_EQ(double_to_long(c.value), c.as_long);
        if (c.integer_overflows)
            EXPECT_EQ(error_number([&] { double_to_integer(c.value); }), vb::Overflow);
        else
            EXPECT_EQ(double_to_integer(c.value), c.as_long);
    }
}

} // namespace
} // namespace orbek
