#include "model/bar_model.h"
#include "model/dial_model.h"

#include <gtest/gtest.h>
#include <limits>

namespace orbek::controls {
namespace {

TEST(BarModel, FillsItsShareOfTheInsideToTheNearestPixelBetween0And100) {
    struct Case {
        std::int32_t value;
        int inner_width;
        int fill;
    };
    const Case cases[] = {
        {0, 100, 0},
        {25, 100, 25},
        {100, 100, 100},
        {50, 293, 147},  // 146.5 to the nearest pixel
        {1, 293, 3},     // 2.93
        {49, 293, 144},  // 143.57
        {99, 293, 290},  // 290.07
        {25, 589, 147},  // 147.25
        {101, 293, 293}, // drawn as 100
        {-5, 293, 0},    // drawn as 0
        {std::numeric_limits<std::int32_t>::max(), 293, 293},
        {std::numeric_limits<std::int32_t>::min(), 293, 0},
        {1, 49, 0},  // 0.49 of a pixel is none
        {100, 1, 1}, // a one-pixel inside is filled too
        {50, 0, 0},
        {50, -4, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bar_fill_width(c.value, c.inner_width), c.fill)
            << c.value << " of " << c.inner_width;
    }
}

TEST(DialModel, TurnsTheNeedleOver240DegreesOfItsFullScale) {
    struct Case {
        double value;
        float stored_max;
        double degrees;
    };
    const Case cases[] = {
        {0, 0, 210},     {100, 0, -30},   {50, 0, 90},
        {25, 0, 150},    {50.5, 0, 88.8}, {99.9999, 0, -29.99976},
        {-5, 0, 210},                    // drawn at the ends, whatever is stored
        {150, 0, -30},   {100, 200, 90}, // a positive max is the full scale
        {200, 200, -30}, {50, -1, 90},   // 0 or less selects the usual 100
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(dial_needle_degrees(Currency::from_double(c.value), c.stored_max), c.degrees,
                    1e-9)
            << c.value << " on " << c.stored_max;
    }
}

TEST(DialModel, FullScaleIsTheStoredMaxWhenPositiveElse100) {
    struct Case {
        float stored_max;
        double full_scale;
    };
    const Case cases[] = {{0, 100}, {-3, 100}, {250, 250}, {0.5f, 0.5}};
    for (const Case& c : cases) {
        EXPECT_EQ(dial_full_scale(c.stored_max), c.full_scale) << c.stored_max;
    }
}

TEST(DialModel, ReadsOutTheStoredValueWithUpToFourDecimals) {
    struct Case {
        std::int64_t scaled;
        Text readout;
    };
    const Case cases[] = {
        {250000, u"25%"}, {505000, u"50.5%"}, {999999, u"99.9999%"}, {0, u"0%"},
        {-50000, u"-5%"}, {1000000, u"100%"}, {1500000, u"150%"},    {1, u"0.0001%"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dial_readout(Currency::from_scaled(c.scaled)), c.readout) << c.scaled;
    }
}

} // namespace
} // namespace orbek::controls
