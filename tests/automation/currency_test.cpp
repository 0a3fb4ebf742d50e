#include "automation/currency.h"
#include "automation/vb_error.h"
#include "support/error_number.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace orbek {
namespace {

using testing::error_number;

constexpr std::int64_t MaxScaled = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t MinScaled = std::numeric_limits<std::int64_t>::min();

TEST(Currency, FromDoubleRoundsTheScaledValueHalfToEven) {
    struct Case {
        double value;
        std::int64_t scaled;
    };
    const Case cases[] = {
        {0.0, 0},
        {1.0, 10000},
        {-1.0, -10000},
        {8.5, 85000},
        {0.12344, 1234},
        {0.12346, 1235},
        // The product with 10,000 is exact before it is rounded: each of these doubles lies
        // a little above or below the decimal it was written as.
        {1.23455, 12346}, // 12345.50000000000036...
        {1.23465, 12347}, // 12346.50000000000025...
        {0.00025, 3},     // 2.50000000000000005...
        {0.00035, 3},     // 3.49999999999999996...
        {0.00005, 1},     // 0.50000000000000002...
        {0.00015, 1},     // 1.49999999999999986...
        {-0.00015, -1},
        {2.00005, 20000}, // 20000.49999999999883...
        // Odd thirty-seconds are the doubles whose product is exactly half-way: to even.
        {0.03125, 312},
        {0.09375, 938},
        {-0.03125, -312},
        {900000000000000.0, 9000000000000000000},
        {-900000000000000.0, -9000000000000000000},
        {922337203685477.0, 9223372036854770000},
        {-461168601842738.7904, -4611686018427388125}, // the exact product ends in .0
        {4.9406564584124654e-324, 0},                  // the smallest double
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Currency::from_double(c.value).scaled(), c.scaled);
    }
}

TEST(Currency, FromDoubleOutOfRangeIsOverflow) {
    const double values[] = {
        922337203685478.0,
        -922337203685478.0,
        2e15, // below 2^52, so read exactly, but its product needs 65 bits
        -2e15,
        1e300,
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(),
        // The largest Currency as a double is a little above the range once scaled.
        922337203685477.5807,
    };
    for (double value : values) {
        SCOPED_TRACE(value);
        EXPECT_EQ(error_number([&] { Currency::from_double(value); }), vb::Overflow);
    }
}

TEST(Currency, WholeAndDoubleViews) {
    EXPECT_EQ(Currency::from_whole(-3).scaled(), -30000);
    EXPECT_EQ(Currency::from_whole(std::numeric_limits<std::int32_t>::min()).scaled(),
              std::int64_t{std::numeric_limits<std::int32_t>::min()} * 10000);
    EXPECT_EQ(Currency::from_scaled(85000).to_double(), 8.5);
    EXPECT_EQ(Currency::from_scaled(-1).to_double(), -0.0001);
    EXPECT_LT(Currency::from_scaled(-1), Currency());
}

TEST(Currency, SumsAndDifferencesOverflowAtTheEdges) {
    Currency max = Currency::from_scaled(MaxScaled);
    Currency min = Currency::from_scaled(MinScaled);
    Currency tick = Currency::from_scaled(1);
    EXPECT_EQ((Currency::from_scaled(15000) + Currency::from_scaled(-25001)).scaled(), -10001);
    EXPECT_EQ((Currency::from_scaled(15000) - Currency::from_scaled(25001)).scaled(), -10001);
    EXPECT_EQ((max - tick + tick).scaled(), MaxScaled);
    EXPECT_EQ((min + tick - tick).scaled(), MinScaled);
    EXPECT_EQ(error_number([&] { return max + tick; }), vb::Overflow);
    EXPECT_EQ(error_number([&] { return min - tick; }), vb::Overflow);
    EXPECT_EQ(error_number([&] { return Currency() - min; }), vb::Overflow);
    EXPECT_EQ(error_number([&] { return min + min; }), vb::Overflow);
}

TEST(Currency, ProductIsExactAndRoundsHalfToEven) {
    struct Case {
        std::int64_t a;
        std::int64_t b;
        std::int64_t product;
    };
    const Case cases[] = {
        {15000, 15000, 22500}, // 1.5 * 1.5 = 2.25
        {-15000, 15000, -22500},
        {-15000, -15000, 22500},
        {1, 5000, 0},   // 0.00005 -> 0
        {3, 5000, 2},   // 0.00015 -> 0.0002
        {5, 5000, 2},   // 0.00025 -> 0.0002
        {7, 5000, 4},   // 0.00035 -> 0.0004
        {-3, 5000, -2}, // halves go to even on the magnitude
        {1, 1, 0},
        {12345678901, 76543210987, 94497790489699729}, // needs more than 64 bits inside
        {MaxScaled, 10000, MaxScaled},
        {MinScaled, 10000, MinScaled},
        {MaxScaled, -10000, -MaxScaled},
        {303700049997, 303700049997, 9223372036818029970}, // just below the limit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.a << " * " << c.b);
        EXPECT_EQ((Currency::from_scaled(c.a) * Currency::from_scaled(c.b)).scaled(), c.product);
        EXPECT_EQ((Currency::from_scaled(c.b) * Currency::from_scaled(c.a)).scaled(), c.product);
    }
}

TEST(Currency, ProductOutOfRangeIsOverflow) {
    struct Case {
        std::int64_t a;
        std::int64_t b;
    };
    const Case cases[] = {
        {303700049998, 303700049998}, // just above the limit
        {MinScaled, -10000},          // -min does not fit
        {MaxScaled, MaxScaled},       {MinScaled, MinScaled}, {MaxScaled, 10001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.a << " * " << c.b);
        EXPECT_EQ(
            error_number([&] { return Currency::from_scaled(c.a) * Currency::from_scaled(c.b); }),
            vb::Overflow);
    }
}

} // namespace
} // namespace orbek
