#include "automation/currency.h"
#include "automation/vb_error.h"
#include "support/error_number.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace orbek {
namespace {

using testing::error_number;

constexpr std::int64_t MaxS = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t MinS = std::numeric_limits<std::int64_t>::min();
constexpr std::nullopt_t Overflow = std::nullopt;
constexpr double Inf = std::numeric_limits<double>::infinity();

// The scaled result, or nothing when the call fails with error 6.
template <typename Call> std::optional<std::int64_t> scaled_or_overflow(Call&& call) {
    try {
        return call().scaled();
    } catch (const VbError& error) {
        EXPECT_EQ(error.number(), vb::Overflow);
        return std::nullopt;
    }
}

TEST(Currency, FromDoubleRoundsTheExactScaledValueHalfToEven) {
    // The comments give the exact product with 10,000 of the double the decimal stands for.
    // clang-format off
    const std::pair<double, std::optional<std::int64_t>> cases[] = {
        {0.0, 0}, {1.0, 10000}, {-1.0, -10000}, {8.5, 85000}, {0.12344, 1234}, {0.12346, 1235},
        {1.23455, 12346}, // 12345.50000000000036...
        {1.23465, 12347}, // 12346.50000000000025...
        {0.00025, 3}, // 2.50000000000000005...
        {0.00035, 3}, // 3.49999999999999996...
        {0.00005, 1}, // 0.50000000000000002...
        {0.00015, 1}, // 1.49999999999999986...
        {2.00005, 20000}, // 20000.49999999999883...
        {-0.00015, -1}, {-461168601842738.7904, -4611686018427388125}, // exactly ...8125.0
        // Odd thirty-seconds are the doubles whose product is exactly half-way: to even.
        {0.03125, 312}, {0.09375, 938}, {-0.03125, -312}, {900000000000000.0, 9000000000000000000},
        {-900000000000000.0, -9000000000000000000}, {922337203685477.0, 9223372036854770000},
        {4.9406564584124654e-324, 0}, {922337203685478.0, Overflow}, {-922337203685478.0, Overflow},
        {2e15, Overflow}, {-2e15, Overflow}, {1e300, Overflow}, {Inf, Overflow}, {-Inf, Overflow},
        {std::numeric_limits<double>::quiet_NaN(), Overflow},
        {922337203685477.5807, Overflow}}; // the largest Currency as a double, once scaled
    // clang-format on
    for (const auto& [value, scaled] : cases)
        EXPECT_EQ(scaled_or_overflow([&] { return Currency::from_double(value); }), scaled)
            << value;
}

TEST(Currency, WholeAndDoubleViews) {
    EXPECT_EQ(Currency::from_whole(-3).scaled(), -30000);
    EXPECT_EQ(Currency::from_whole(std::numeric_limits<std::int32_t>::min()).scaled(),
              std::int64_t{std::numeric_limits<std::int32_t>::min()} * 10000);
    EXPECT_EQ(Currency::from_scaled(85000).to_double(), 8.5);
    EXPECT_EQ(Currency::from_scaled(-1).to_double(), -0.0001);
    EXPECT_LT(Currency::from_scaled(-1), Currency());
}

TEST(Currency, ArithmeticIsExactRoundsProductsHalfToEvenAndOverflowsAtTheEdges) {
    struct Case {
        std::int64_t a, b;
        std::optional<std::int64_t> sum, difference, product;
    };
    const std::int64_t Big = 303700049997; // its square is just below the limit once scaled
    const std::int64_t Tick = 922337203685478;
    // clang-format off
    const Case cases[] = {
        {15000, 15000, 30000, 0, 22500}, {-15000, 15000, 0, -30000, -22500},
        {-15000, -15000, -30000, 0, 22500}, {15000, -25001, -10001, 40001, -37502},
        {1, 5000, 5001, -4999, 0}, {3, 5000, 5003, -4997, 2}, {5, 5000, 5005, -4995, 2},
        {7, 5000, 5007, -4993, 4}, {-3, 5000, 4997, -5003, -2}, {1, 1, 2, 0, 0},
        {12345678901, 76543210987, 88888889888, -64197532086, 94497790489699729},
        {MaxS, 10000, Overflow, MaxS - 10000, MaxS}, {MinS, 10000, MinS + 10000, Overflow, MinS},
        {MaxS, -10000, MaxS - 10000, Overflow, -MaxS},
        // A tick times the largest magnitudes: ...477.5806 to ...477.5808, all up.
        {MaxS - 1, 1, MaxS, MaxS - 2, Tick}, {MaxS, 1, Overflow, MaxS - 1, Tick},
        {MinS + 1, -1, MinS, MinS + 2, Tick}, {MinS, -1, Overflow, MinS + 1, Tick},
        {0, MinS, MinS, Overflow, 0}, {MinS, MinS, Overflow, 0, Overflow},
        {Big, Big, 2 * Big, 0, 9223372036818029970}, {Big + 1, Big + 1, 2 * Big + 2, 0, Overflow},
        {MinS, -10000, Overflow, MinS + 10000, Overflow}, // -min does not fit
        {MaxS, MaxS, Overflow, 0, Overflow}, {MaxS, 10001, Overflow, MaxS - 10001, Overflow}};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.a << " and " << c.b);
        const Currency a = Currency::from_scaled(c.a), b = Currency::from_scaled(c.b);
        EXPECT_EQ(scaled_or_overflow([&] { return a + b; }), c.sum);
        EXPECT_EQ(scaled_or_overflow([&] { return b + a; }), c.sum);
        EXPECT_EQ(scaled_or_overflow([&] { return a - b; }), c.difference);
        EXPECT_EQ(scaled_or_overflow([&] { return a * b; }), c.product);
        EXPECT_EQ(scaled_or_overflow([&] { return b * a; }), c.product);
    }
}

} // namespace
} // namespace orbek
