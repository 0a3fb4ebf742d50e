#include "automation/rounding.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace orbek {
namespace {

TEST(RoundHalfEven, TakesNearestAndHalvesToEven) {
    constexpr double Infinity = std::numeric_limits<double>::infinity();
    // clang-format off
    const std::pair<double, double> cases[] = {
        {0.0, 0.0}, {0.5, 0.0}, {1.5, 2.0}, {2.5, 2.0}, {3.5, 4.0}, {-0.5, 0.0}, {-1.5, -2.0},
        {-2.5, -2.0}, {-3.5, -4.0}, {1.25, 1.0}, {1.75, 2.0}, {-1.75, -2.0},
        {0.49999999999999994, 0.0}, {-0.49999999999999994, 0.0}, // the largest below one half
        {0.5000000000000001, 1.0}, {2.4999999999999996, 2.0}, {2.5000000000000004, 3.0},
        {86399.5, 86400.0}, {86400.5, 86400.0}, {2147483646.5, 2147483646.0},
        {2147483647.5, 2147483648.0},
        {4503599627370495.5, 4503599627370496.0}, // the last doubles with a fraction
        {4503599627370494.5, 4503599627370494.0},
        {4503599627370497.0, 4503599627370497.0}, // whole from 2^52 on
        {1e300, 1e300}, {-1e300, -1e300}, {Infinity, Infinity}, {-Infinity, -Infinity}};
    // clang-format on
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(round_half_even(value), expected) << value;
    EXPECT_TRUE(std::isnan(round_half_even(std::numeric_limits<double>::quiet_NaN())));
}

TEST(RoundHalfEven, AgreesWithTheRoundingOfTheFloatingPointUnitOnManyValues) {
    // Under the default rounding mode nearbyint rounds halves to even: a sweep over quarters
    // and odd fractions keeps the explicit arithmetic honest.
    for (int i = -40000; i <= 40000; ++i) {
        double value = i / 4.0 + (i % 7) * 1e-9;
        ASSERT_EQ(round_half_even(value), std::nearbyint(value)) << value;
    }
}

TEST(RoundHalfEvenInt32, MatchesTheGeneralRounding) {
    // clang-format off
    const double cases[] = {0.0, 0.5, 1.5, 2.5, -0.5, -1.5, -2.5, 152.5, 147.5, 255.5,
        0.49999999999999994, -0.49999999999999994, 2.4999999999999996, 2.5000000000000004,
        -2.5000000000000004, 1e-300, -1e-300, 2147483645.5, -2147483645.5, 2147483646.4};
    // clang-format on
    for (const double value : cases)
        EXPECT_EQ(round_half_even_int32(value), round_half_even(value)) << value;
    // Halves, quarters and values a hair either side of a half, over the range pixels use.
    for (int i = -4096; i <= 4096; ++i) {
        for (const double nudge : {0.0, 1e-12, -1e-12, 0.25}) {
            const double value = i / 2.0 + nudge;
            ASSERT_EQ(round_half_even_int32(value), round_half_even(value)) << value;
        }
    }
}

} // namespace
} // namespace orbek
