#include "automation/conversions.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace orbek {
namespace {

template <typename T> using Limits = std::numeric_limits<T>;

TEST(NumberText, TextFormsOfEachNumberType) {
    // Doubles with fifteen significant digits, Singles with seven, Currency with up to four
    // decimals.
    // clang-format off
    const std::pair<double, const char*> doubles[] = {
        {0.0, "0"}, {-0.0, "0"}, {0.1, "0.1"}, {0.1 + 0.2, "0.3"}, {-0.5, "-0.5"}, {8.5, "8.5"},
        {100.0, "100"}, {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"},
        {12345.678901234567, "12345.6789012346"}, {0.0001, "0.0001"}, {0.00001, "1E-05"},
        {0.00001234, "1.234E-05"}, {1.5e-10, "1.5E-10"}, {123456789012345.0, "123456789012345"},
        {1e14, "100000000000000"}, {99999999999999.95, "100000000000000"}, {1e15, "1E+15"},
        {999999999999999.9, "1E+15"}, {123456789012345678.0, "1.23456789012346E+17"},
        {-123456789012345678.0, "-1.23456789012346E+17"}, {1e20, "1E+20"}, {1e100, "1E+100"},
        {Limits<double>::max(), "1.79769313486232E+308"}, {Limits<double>::quiet_NaN(), "NaN"},
        {Limits<double>::denorm_min(), "4.94065645841247E-324"},
        {Limits<double>::infinity(), "Inf"}, {-Limits<double>::infinity(), "-Inf"}};
    const std::pair<float, const char*> singles[] = {
        {0.0f, "0"}, {0.1f, "0.1"}, {0.5f, "0.5"}, {-2.25f, "-2.25"}, {10.0f / 3, "3.333333"},
        {1.0f / 3, "0.3333333"}, {1234567.0f, "1234567"}, {1e7f, "1E+07"},
        {12345678.0f, "1.234568E+07"}, {16777216.0f, "1.677722E+07"}, {1e-5f, "1E-05"},
        {2.5e-8f, "2.5E-08"}, {Limits<float>::max(), "3.402823E+38"},
        {Limits<float>::infinity(), "Inf"}};
    const std::pair<std::int64_t, const char*> currencies[] = {
        {0, "0"}, {85000, "8.5"}, {3333, "0.3333"}, {-20000, "-2"}, {-5000, "-0.5"}, {1, "0.0001"},
        {-1, "-0.0001"}, {10010, "1.001"}, {123456789, "12345.6789"},
        {Limits<std::int64_t>::max(), "922337203685477.5807"},
        {Limits<std::int64_t>::min(), "-922337203685477.5808"}};
    // clang-format on
    for (const auto& [value, text] : doubles)
        EXPECT_EQ(to_utf8(double_to_text(value)), text) << value;
    for (const auto& [value, text] : singles)
        EXPECT_EQ(to_utf8(single_to_text(value)), text) << value;
    for (const auto& [scaled, text] : currencies)
        EXPECT_EQ(to_utf8(currency_to_text(Currency::from_scaled(scaled))), text) << scaled;
    EXPECT_EQ(boolean_to_text(true), u"True");
    EXPECT_EQ(boolean_to_text(false), u"False");
}

} // namespace
} // namespace orbek
