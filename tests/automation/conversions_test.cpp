#include "automation/conversions.h"
#include "automation/date_text.h"
#include "automation/vb_error.h"
#include "support/error_number.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>

namespace orbek {
namespace {

using testing::error_number;
using V = VarType;

const auto L = [](std::int32_t value) { return Variant(value); };
const auto I = [](std::int16_t value) { return Variant(value); };
const auto B = [](std::uint8_t value) { return Variant(value); };
const auto Cy = [](std::int64_t scaled) { return Variant(Currency::from_scaled(scaled)); };
const auto D = [](double serial) { return Variant::date(serial); };
const auto S = [](const char16_t* text) { return Variant(text); };
const auto R = [](double value) { return Variant(value); };
const Variant Nothing = Variant(Variant::ObjectRef());
const Variant ErrorFive = Variant(Variant::ErrorValue{5});
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::int64_t MaxCy = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t MinCy = std::numeric_limits<std::int64_t>::min();
constexpr std::int32_t MaxLong = std::numeric_limits<std::int32_t>::max();

std::string describe(const Variant& value, VarType target) {
    std::string text = "type " + std::to_string(static_cast<int>(value.type()));
    if (value.holds<Text>())
        text += " \"" + to_utf8(value.as<Text>()) + "\"";
    return text + " to type " + std::to_string(static_cast<int>(target));
}

TEST(Variant, TypeOfEachAlternative) {
    // clang-format off
    const std::pair<Variant, VarType> cases[] = {
        {Variant(), V::Empty}, {Variant::null(), V::Null}, {I(1), V::Integer}, {L(1), V::Long},
        {Variant(1.0f), V::Single}, {Variant(1.0), V::Double}, {Cy(1), V::Currency},
        {D(1.0), V::Date}, {Variant(u"1"), V::String}, {Nothing, V::Object}, {B(1), V::Byte},
        {ErrorFive, V::Error}, {Variant(true), V::Boolean}, {Variant::missing(), V::Error}};
    // clang-format on
    for (const auto& [value, type] : cases) {
        EXPECT_EQ(value.type(), type);
        EXPECT_EQ(value.is_empty(), type == V::Empty);
        EXPECT_EQ(value.is_null(), type == V::Null);
    }
    EXPECT_TRUE(Variant::missing().is_missing());
    EXPECT_FALSE(ErrorFive.is_missing() || Variant().is_missing());
    EXPECT_FALSE(L(MissingArgumentCode).is_missing());
}

TEST(Conversions, ValuesByTargetType) {
    // clang-format off
    const std::tuple<Variant, VarType, Variant> cases[] = {
        // Whole targets round halves to even.
        {R(2.5), V::Long, L(2)}, {R(3.5), V::Long, L(4)}, {R(-2.5), V::Long, L(-2)},
        {R(-2.6), V::Long, L(-3)}, {R(0.5), V::Integer, I(0)}, {R(1.5), V::Byte, B(2)},
        {R(255.4), V::Byte, B(255)}, {R(-0.5), V::Byte, B(0)}, {R(-32768.5), V::Integer, I(-32768)},
        {Variant(2.5f), V::Integer, I(2)}, {Cy(25000), V::Long, L(2)}, {Cy(35000), V::Long, L(4)},
        {Cy(-25000), V::Long, L(-2)}, {Cy(-35000), V::Long, L(-4)}, {Cy(25001), V::Long, L(3)},
        {Cy(-24999), V::Long, L(-2)}, {D(45000.75), V::Long, L(45001)}, {D(0.5), V::Long, L(0)},
        {L(200), V::Byte, B(200)}, {L(-32768), V::Integer, I(-32768)}, {B(255), V::Integer, I(255)},
        // Booleans are -1 and 0.
        {Variant(true), V::Integer, I(-1)}, {Variant(true), V::Long, L(-1)},
        {Variant(true), V::Double, R(-1.0)}, {Variant(true), V::Currency, Cy(-10000)},
        {Variant(true), V::Date, D(-1.0)}, {Variant(true), V::String, S(u"True")},
        {Variant(false), V::Byte, B(0)}, {Variant(false), V::String, S(u"False")},
        // Empty is zero, the empty text, false.
        {Variant(), V::Long, L(0)}, {Variant(), V::Byte, B(0)}, {Variant(), V::Double, R(0.0)},
        {Variant(), V::Currency, Cy(0)}, {Variant(), V::Date, D(0.0)},
        {Variant(), V::Boolean, Variant(false)}, {Variant(), V::String, S(u"")},
        // Texts are read as whole numbers.
        {S(u" 12 "), V::Integer, I(12)}, {S(u"2.5"), V::Integer, I(2)},
        {S(u"1E3"), V::Long, L(1000)}, {S(u"&HFFFF"), V::Long, L(-1)},
        {S(u"&H10000"), V::Long, L(65536)}, {S(u"-8.5"), V::Double, R(-8.5)},
        {S(u"0.1"), V::Single, Variant(0.1f)},
        // A text becomes Currency digit by digit, never through a Double.
        {S(u"0.00015"), V::Currency, Cy(2)}, {S(u"0.00025"), V::Currency, Cy(2)},
        {S(u"-0.000250001"), V::Currency, Cy(-3)},
        {S(u"922337203685477.5807"), V::Currency, Cy(MaxCy)},
        {S(u"-922337203685477.5808"), V::Currency, Cy(MinCy)},
        {S(u"-922337203685477.58085"), V::Currency, Cy(MinCy)}, // half-way: to the even end
        {S(u"1.5E-4"), V::Currency, Cy(2)}, {S(u"12345E-8"), V::Currency, Cy(1)},
        {S(u"0.00004999"), V::Currency, Cy(0)}, {S(u"0.00006"), V::Currency, Cy(1)},
        {S(u"&HFF"), V::Currency, Cy(2550000)}, {S(u"8.5"), V::Currency, Cy(85000)},
        {S(u"true"), V::Boolean, Variant(true)}, {S(u" FALSE "), V::Boolean, Variant(false)},
        {S(u"0"), V::Boolean, Variant(false)}, {S(u"-2"), V::Boolean, Variant(true)},
        {S(u"0.0001"), V::Boolean, Variant(true)}, {S(u"10/03/2025"), V::Date, D(45726.0)},
        {S(u"10/03/2025 18:00"), V::Date, D(45726.75)}, {S(u"abc"), V::String, S(u"abc")},
        // Numbers between themselves.
        {Variant(0.1f), V::Double, Variant(static_cast<double>(0.1f))},
        {R(0.1), V::Single, Variant(0.1f)}, {R(0.00015), V::Currency, Cy(1)},
        {L(123), V::Currency, Cy(1230000)}, {L(MaxLong), V::Currency, Cy(MaxLong * 10000LL)},
        {Cy(85000), V::Double, R(8.5)}, {Cy(1), V::Boolean, Variant(true)},
        {R(0.0), V::Boolean, Variant(false)}, {D(0.0), V::Boolean, Variant(false)},
        {R(45000.5), V::Date, D(45000.5)}, {L(45000), V::Date, D(45000.0)},
        {Cy(15000), V::Date, D(1.5)}, {R(-657434.5), V::Date, D(-657434.5)},
        {D(45000.75), V::Double, R(45000.75)},
        // Text forms.
        {B(200), V::String, S(u"200")}, {I(-5), V::String, S(u"-5")},
        {L(std::numeric_limits<std::int32_t>::min()), V::String, S(u"-2147483648")},
        {R(0.1), V::String, S(u"0.1")}, {R(1e20), V::String, S(u"1E+20")},
        {Variant(0.1f), V::String, S(u"0.1")}, {Cy(85000), V::String, S(u"8.5")},
        {D(45000.75), V::String, S(u"15/03/2023 18:00:00")},
        {D(45000.0), V::String, S(u"15/03/2023")}, {D(0.75), V::String, S(u"18:00:00")},
        // The types that convert only to themselves.
        {Variant(), V::Empty, Variant()}, {Variant::null(), V::Null, Variant::null()},
        {Variant::missing(), V::Error, Variant::missing()}, {Nothing, V::Object, Nothing},
        {Variant(), V::Object, Nothing}};
    // clang-format on
    for (const auto& [source, target, expected] : cases) {
        SCOPED_TRACE(describe(source, target));
        Variant converted = convert_to(source, target);
        EXPECT_EQ(converted.type(), expected.type());
        EXPECT_TRUE(converted == expected);
    }
}

TEST(Conversions, FailuresByTargetType) {
    const VarType values[] = {V::Boolean, V::Byte,     V::Integer, V::Long,  V::Single,
                              V::Double,  V::Currency, V::Date,    V::String};
    for (VarType target : values) {
        SCOPED_TRACE(static_cast<int>(target));
        EXPECT_EQ(error_number([&] { convert_to(Variant::null(), target); }), vb::InvalidUseOfNull);
        for (const Variant& source : {Variant::missing(), ErrorFive, Nothing})
            EXPECT_EQ(error_number([&] { convert_to(source, target); }), vb::TypeMismatch);
        EXPECT_EQ(error_number([&] { convert_to(S(u"abc"), target); }),
                  target == V::String ? 0 : vb::TypeMismatch);
    }
    constexpr int Mismatch = vb::TypeMismatch;
    constexpr int Overflow = vb::Overflow;
    // clang-format off
    const std::tuple<Variant, VarType, int> cases[] = {
        // Texts that are not numbers (or not dates).
        {S(u""), V::Long, Mismatch}, {S(u""), V::Boolean, Mismatch}, {S(u""), V::Date, Mismatch},
        {S(u"True"), V::Long, Mismatch}, {S(u"False"), V::Double, Mismatch},
        {S(u"True"), V::Boolean, 0}, {S(u"True"), V::Date, Mismatch},
        {S(u"1,5"), V::Double, Mismatch}, {S(u"45000"), V::Date, Mismatch},
        {S(u"31/04/2025"), V::Date, Mismatch},
        // Values out of the target's range.
        {L(256), V::Byte, Overflow}, {L(-1), V::Byte, Overflow}, {I(-1), V::Byte, Overflow},
        {Variant(true), V::Byte, Overflow}, {R(255.5), V::Byte, Overflow},
        {R(-0.6), V::Byte, Overflow}, {L(32768), V::Integer, Overflow},
        {R(32767.5), V::Integer, Overflow}, {R(-32768.6), V::Integer, Overflow},
        {D(45000.0), V::Integer, Overflow}, {R(2147483647.5), V::Long, Overflow},
        {R(-2147483649.0), V::Long, Overflow}, {R(1e300), V::Long, Overflow},
        {Variant(NaN), V::Long, Overflow},
        {Variant(std::numeric_limits<double>::infinity()), V::Integer, Overflow},
        {Cy(MaxCy), V::Long, Overflow}, {Cy(21474836475000), V::Long, Overflow}, // rounds up
        {S(u"1E10"), V::Long, Overflow}, {S(u"&H100000000"), V::Long, Overflow},
        {S(u"1E400"), V::Double, Overflow}, {R(1e39), V::Single, Overflow},
        {R(-1e39), V::Single, Overflow}, {S(u"1E39"), V::Single, Overflow},
        // rounds past the largest
        {R(1e16), V::Currency, Overflow}, {S(u"922337203685477.58075"), V::Currency, Overflow},
        {S(u"-922337203685477.58086"), V::Currency, Overflow}, {S(u"1E15"), V::Currency, Overflow},
        {Variant(NaN), V::Currency, Overflow}, {R(3e6), V::Date, Overflow},
        {R(-657435.0), V::Date, Overflow}, {R(2958466.0), V::Date, Overflow},
        {Variant(NaN), V::Date, Overflow}, {L(MaxLong), V::Date, Overflow},
        {D(3e6), V::String, vb::InvalidProcedureCall}, // a date out of range when written
        // Only the same type converts to Empty, Null, Error or Object.
        {L(1), V::Empty, Mismatch}, {Variant::null(), V::Empty, Mismatch},
        {L(1), V::Null, Mismatch}, {Variant(), V::Null, Mismatch}, {L(5), V::Error, Mismatch},
        {Variant(), V::Error, Mismatch}, {L(1), V::Object, Mismatch},
        {Variant::null(), V::Object, Mismatch}, {S(u""), V::Object, Mismatch},
        {L(1), static_cast<VarType>(99), Mismatch}};
    // clang-format on
    for (const auto& [source, target, error] : cases) {
        SCOPED_TRACE(describe(source, target));
        EXPECT_EQ(error_number([&] { convert_to(source, target); }), error);
    }
}

TEST(Conversions, SingleKeepsValuesThatRoundToItsLargestFinite) {
    constexpr float Largest = std::numeric_limits<float>::max();
    EXPECT_EQ(to_single(Variant(static_cast<double>(Largest))), Largest);
    EXPECT_EQ(to_single(Variant(0x1.fffffefffffffp127)), Largest); // just below the midpoint
    EXPECT_EQ(error_number([] { to_single(Variant(0x1.ffffffp127)); }), vb::Overflow);
    EXPECT_TRUE(std::isinf(to_single(Variant(std::numeric_limits<double>::infinity()))));
}

TEST(Conversions, DoubleToWholeNumbers) {
    constexpr std::nullopt_t Overflow = std::nullopt;
    // clang-format off
    const std::tuple<double, std::optional<int>, std::optional<int>> cases[] = {
        {0.5, 0, 0}, {1.5, 2, 2}, {2.5, 2, 2}, {-2.5, -2, -2}, {32767.4, 32767, 32767},
        {32767.5, 32768, Overflow}, {-32768.5, -32768, -32768}, {-32768.6, -32769, Overflow},
        {2147483647.4, 2147483647, Overflow}, {2147483647.5, Overflow, Overflow},
        {-2147483648.5, -2147483647 - 1, Overflow}, {-2147483648.6, Overflow, Overflow},
        {NaN, Overflow, Overflow}, {-std::numeric_limits<double>::infinity(), Overflow, Overflow}};
    // clang-format on
    for (const auto& [value, as_long, as_integer] : cases) {
        int whole = 0, small = 0;
        EXPECT_EQ(error_number([&] { whole = double_to_long(value); }), as_long ? 0 : vb::Overflow);
        EXPECT_EQ(whole, as_long.value_or(0)) << value;
        EXPECT_EQ(error_number([&] { small = double_to_integer(value); }),
                  as_integer ? 0 : vb::Overflow);
        EXPECT_EQ(small, as_integer.value_or(0)) << value;
    }
}

} // namespace
} // namespace orbek
