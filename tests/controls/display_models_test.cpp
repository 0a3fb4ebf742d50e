#include "model/bar_model.h"
#include "model/dial_model.h"

#include <gtest/gtest.h>
#include <limits>

namespace orbek::controls {
namespace {

TEST(BarModel, FillsItsShareOfTheInsideToTheNearestPixelBetween0And100) {
    // {value, inner width, fill}; the comments give the exact share.
    // clang-format off
    const std::tuple<std::int32_t, int, int> cases[] = {
        {0, 100, 0}, {25, 100, 25}, {100, 100, 100}, {50, 293, 147}, // 146.5
        {1, 293, 3}, {49, 293, 144}, {99, 293, 290}, {25, 589, 147}, // 2.93, 143.57, 290.07, 147.25
        {101, 293, 293}, {-5, 293, 0}, // drawn as 100 and as 0
        {std::numeric_limits<std::int32_t>::max(), 293, 293},
        {std::numeric_limits<std::int32_t>::min(), 293, 0}, {1, 49, 0}, {100, 1, 1}, {50, 0, 0},
        {50, -4, 0}}; // 0.49 of a pixel is none
    // clang-format on
    for (const auto& [value, inner_width, fill] : cases)
        EXPECT_EQ(bar_fill_width(value, inner_width), fill) << value << " of " << inner_width;
}

TEST(DialModel, TurnsTheNeedleOver240DegreesOfItsFullScale) {
    // {value, stored max, degrees}: drawn at the ends whatever is stored; a positive max is
    // the full scale, 0 or less selects the usual 100.
    const std::tuple<double, float, double> cases[] = {
        {0, 0, 210},     {100, 0, -30},           {50, 0, 90},  {25, 0, 150},
        {50.5, 0, 88.8}, {99.9999, 0, -29.99976}, {-5, 0, 210}, {150, 0, -30},
        {100, 200, 90},  {200, 200, -30},         {50, -1, 90}};
    for (const auto& [value, stored_max, degrees] : cases)
        EXPECT_NEAR(dial_needle_degrees(Currency::from_double(value), stored_max), degrees, 1e-9)
            << value << " on " << stored_max;
    const std::pair<float, double> scales[] = {{0, 100}, {-3, 100}, {250, 250}, {0.5f, 0.5}};
    for (const auto& [stored_max, full_scale] : scales)
        EXPECT_EQ(dial_full_scale(stored_max), full_scale) << stored_max;
}

TEST(DialModel, ReadsOutTheStoredValueWithUpToFourDecimals) {
    const std::pair<std::int64_t, Text> cases[] = {
        {250000, u"25%"}, {505000, u"50.5%"}, {999999, u"99.9999%"}, {0, u"0%"},
        {-50000, u"-5%"}, {1000000, u"100%"}, {1500000, u"150%"},    {1, u"0.0001%"}};
    for (const auto& [scaled, readout] : cases)
        EXPECT_EQ(dial_readout(Currency::from_scaled(scaled)), readout) << scaled;
}

} // namespace
} // namespace orbek::controls
