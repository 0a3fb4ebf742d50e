// Currency: a signed 64-bit integer holding the value times 10,000.
#pragma once

#include <compare>
#include <cstdint>

namespace orbek {

class Currency {
  public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency from_scaled(std::int64_t scaled) { return Currency(scaled); }
    static constexpr Currency from_whole(std::int32_t whole) { return Currency(whole * Scale); }
    // Rounds to four decimals, halves to the even neighbour; out of range or NaN is error 6.
    static Currency from_double(double value);

    constexpr std::int64_t scaled() const { return scaled_; }
    double to_double() const { return static_cast<double>(scaled_) / Scale; }

    // Fixed-point arithmetic; a result outside the range is error 6.
    friend Currency operator+(Currency a, Currency b);
    friend Currency operator-(Currency a, Currency b);
    // Exact product, rounded to four decimals halves to even.
    friend Currency operator*(Currency a, Currency b);
    constexpr auto operator<=>(const Currency&) const = default;

  private:
    constexpr explicit Currency(std::int64_t scaled) : scaled_(scaled) {}
    std::int64_t scaled_ = 0;
};

} // namespace orbek
