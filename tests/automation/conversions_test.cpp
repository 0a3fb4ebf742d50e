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
    using enum VarType;
    // clang-format off
    const std::tuple<Variant, VarType, Variant> cases[] = {
        // Whole targets round halves to even.
        {R(2.5), Long, L(2)}, {R(3.5), Long, L(4)}, {R(-2.5), Long, L(-2)}, {R(-2.6), Long, L(-3)},
        {R(0.5), Integer, I(0)}, {R(1.5), Byte, B(2)}, {R(255.4), Byte, B(255)},
        {R(-0.5), Byte, B(0)}, {R(-32768.5), Integer, I(-32768)}, {Variant(2.5f), Integer, I(2)},
        {Cy(25000), Long, L(2)}, {Cy(35000), Long, L(4)}, {Cy(-25000), Long, L(-2)},
        {Cy(-35000), Long, L(-4)}, {Cy(25001), Long, L(3)}, {Cy(-24999), Long, L(-2)},
        {D(45000.75), Long, L(45001)}, {D(0.5), Long, L(0)}, {L(200), Byte, B(200)},
        {L(-32768), Integer, I(-32768)}, {B(255), Integer, I(255)},
        // Booleans are -1 and 0.
        {Variant(true), Integer, I(-1)}, {Variant(true), Long, L(-1)},
        {Variant(true), Double, R(-1.0)}, {Variant(true), Currency, Cy(-10000)},
        {Variant(true), Date, D(-1.0)}, {Variant(true), String, S(u"True")},
        {Variant(false), Byte, B(0)}, {Variant(false), String, S(u"False")},
        // Empty is zero, the empty text, false.
        {Variant(), Long, L(0)}, {Variant(), Byte, B(0)}, {Variant(), Double, R(0.0)},
        {Variant(), Currency, Cy(0)}, {Variant(), Date, D(0.0)},
        {Variant(), Boolean, Variant(false)}, {Variant(), String, S(u"")},
        // Texts are read as whole numbers.
        {S(u" 12 "), Integer, I(12)}, {S(u"2.5"), Integer, I(2)}, {S(u"1E3"), Long, L(1000)},
        {S(u"&HFFFF"), Long, L(-1)}, {S(u"&H10000"), Long, L(65536)}, {S(u"-8.5"), Double, R(-8.5)},
        {S(u"0.1"), Single, Variant(0.1f)},
        // A text becomes Currency digit by digit, never through a Double.
        {S(u"0.00015"), Currency, Cy(2)}, {S(u"0.00025"), Currency, Cy(2)},
        {S(u"-0.000250001"), Currency, Cy(-3)}, {S(u"922337203685477.5807"), Currency, Cy(MaxCy)},
        {S(u"-922337203685477.5808"), Currency, Cy(MinCy)},
        {S(u"-922337203685477.58085"), Currency, Cy(MinCy)}, // half-way: to the even end
        {S(u"1.5E-4"), Currency, Cy(2)}, {S(u"12345E-8"), Currency, Cy(1)},
        {S(u"0.00004999"), Currency, Cy(0)}, {S(u"0.00006"), Currency, Cy(1)},
        {S(u"&HFF"), Currency, Cy(2550000)}, {S(u"8.5"), Currency, Cy(85000)},
        {S(u"true"), Boolean, Variant(true)}, {S(u" FALSE "), Boolean, Variant(false)},
        {S(u"0"), Boolean, Variant(false)}, {S(u"-2"), Boolean, Variant(true)},
        {S(u"0.0001"), Boolean, Variant(true)}, {S(u"10/03/2025"), Date, D(45726.0)},
        {S(u"10/03/2025 18:00"), Date, D(45726.75)}, {S(u"abc"), String, S(u"abc")},
        // Numbers between themselves.
        {Variant(0.1f), Double, Variant(static_cast<double>(0.1f))},
        {R(0.1), Single, Variant(0.1f)}, {R(0.00015), Currency, Cy(1)},
        {L(123), Currency, Cy(1230000)}, {L(MaxLong), Currency, Cy(MaxLong * 10000LL)},
        {Cy(85000), Double, R(8.5)}, {Cy(1), Boolean, Variant(true)},
        {R(0.0), Boolean, Variant(false)}, {D(0.0), Boolean, Variant(false)},
        {R(45000.5), Date, D(45000.5)}, {L(45000), Date, D(45000.0)}, {Cy(15000), Date, D(1.5)},
        {R(-657434.5), Date, D(-657434.5)}, {D(45000.75), Double, R(45000.75)},
        // Text forms.
        {B(200), String, S(u"200")}, {I(-5), String, S(u"-5")},
        {L(std::numeric_limits<std::int32_t>::min()), String, S(u"-2147483648")},
        {R(0.1), String, S(u"0.1")}, {R(1e20), String, S(u"1E+20")},
        {Variant(0.1f), String, S(u"0.1")}, {Cy(85000), String, S(u"8.5")},
        {D(45000.75), String, S(u"15/03/2023 18:00:00")}, {D(45000.0), String, S(u"15/03/2023")},
        {D(0.75), String, S(u"18:00:00")},
        // The types that convert only to themselves.
        {Variant(), Empty, Variant()}, {Variant::null(), Null, Variant::null()},
        {Variant::missing(), Error, Variant::missing()}, {Nothing, Object, Nothing},
        {Variant(), Object, Nothing}};
    // clang-format on
    for (const auto& [source, target, expected] : cases) {
        SCOPED_TRACE(describe(source, target));
        Variant converted = convert_to(source, target);
        EXPECT_EQ(converted.type(), expected.type());
        EXPECT_TRUE(converted == expected);
    }
}

TEST(Conversions, FailuresByTargetType) {
    using enum VarType;
    const VarType values[] = {Boolean, Byte, Integer, Long, Single, Double, Currency, Date, String};
    for (VarType target : values) {
        SCOPED_TRACE(static_cast<int>(target));
        EXPECT_EQ(error_number([&] { convert_to(Variant::null(), target); }), vb::InvalidUseOfNull);
        for (const Variant& source : {Variant::missing(), ErrorFive, Nothing})
            EXPECT_EQ(error_number([&] { convert_to(source, target); }), vb::TypeMismatch);
        EXPECT_EQ(error_number([&] { convert_to(S(u"abc"), target); }),
                  target == String ? 0 : vb::TypeMismatch);
    }
    constexpr int Mismatch = vb::TypeMismatch;
    constexpr int Overflow = vb::Overflow;
    // clang-format off
    const std::tuple<Variant, VarType, int> cases[] = {
        // Texts that are not numbers (or not dates).
        {S(u""), Long, Mismatch}, {S(u""), Boolean, Mismatch}, {S(u""), Date, Mismatch},
        {S(u"True"), Long, Mismatch}, {S(u"False"), Double, Mismatch}, {S(u"True"), Boolean, 0},
        {S(u"True"), Date, Mismatch}, {S(u"1,5"), Double, Mismatch}, {S(u"45000"), Date, Mismatch},
        {S(u"31/04/2025"), Date, Mismatch},
        // Values out of the target's range.
        {L(256), Byte, Overflow}, {L(-1), Byte, Overflow}, {I(-1), Byte, Overflow},
        {Variant(true), Byte, Overflow}, {R(255.5), Byte, Overflow}, {R(-0.6), Byte, Overflow},
        {L(32768), Integer, Overflow}, {R(32767.5), Integer, Overflow},
        {R(-32768.6), Integer, Overflow}, {D(45000.0), Integer, Overflow},
        {R(2147483647.5), Long, Overflow}, {R(-2147483649.0), Long, Overflow},
        {R(1e300), Long, Overflow}, {Variant(NaN), Long, Overflow},
        {Variant(std::numeric_limits<double>::infinity()), Integer, Overflow},
        {Cy(MaxCy), Long, Overflow}, {Cy(21474836475000), Long, Overflow}, // rounds up
        {S(u"1E10"), Long, Overflow}, {S(u"&H100000000"), Long, Overflow},
        {S(u"1E400"), Double, Overflow}, {R(1e39), Single, Overflow}, {R(-1e39), Single, Overflow},
        {S(u"1E39"), Single, Overflow}, {R(1e16), Currency, Overflow},
        {S(u"922337203685477.58075"), Currency, Overflow}, // rounds past the largest
        {S(u"-922337203685477.58086"), Currency, Overflow}, {S(u"1E15"), Currency, Overflow},
        {Variant(NaN), Currency, Overflow}, {R(3e6), Date, Overflow},
        {R(-657435.0), Date, Overflow}, {R(2958466.0), Date, Overflow},
        {Variant(NaN), Date, Overflow}, {L(MaxLong), Date, Overflow},
        {D(3e6), String, vb::InvalidProcedureCall}, // a date out of range when written
        // Only the same type converts to Empty, Null, Error or Object.
        {L(1), Empty, Mismatch}, {Variant::null(), Empty, Mismatch}, {L(1), Null, Mismatch},
        {Variant(), Null, Mismatch}, {L(5), Error, Mismatch}, {Variant(), Error, Mismatch},
        {L(1), Object, Mismatch}, {Variant::null(), Object, Mismatch}, {S(u""), Object, Mismatch},
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
