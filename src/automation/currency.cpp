#include "automation/currency.h"

#include "automation/rounding.h"
#include "automation/vb_error.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace orbek {

namespace {

constexpr std::uint64_t magnitude_of(std::int64_t value) {
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

// An unsigned 128-bit number as four 32-bit words, most significant first. Kept portable
// because the 32-bit Windows compilers have no 128-bit integer type.
struct Wide {
    std::uint32_t words[4] = {};
};

Wide multiply(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t a_parts[2] = {a & 0xFFFFFFFFu, a >> 32};
    const std::uint64_t b_parts[2] = {b & 0xFFFFFFFFu, b >> 32};
    std::uint64_t little_endian[4] = {};
    for (int i = 0; i < 2; ++i) {
        std::uint64_t carry = 0;
        for (int j = 0; j < 2; ++j) {
            // At most (2^32-1)^2 + 2 (2^32-1) = 2^64-1: no overflow.
            std::uint64_t sum = a_parts[i] * b_parts[j] + little_endian[i + j] + carry;
            little_endian[i + j] = sum & 0xFFFFFFFFu;
            carry = sum >> 32;
        }
        little_endian[i + 2] += carry;
    }
    Wide product;
    for (int i = 0; i < 4; ++i)
        product.words[i] = static_cast<std::uint32_t>(little_endian[3 - i]);
    return product;
}

// Long division by a small divisor, one word at a time; returns the remainder.
std::uint32_t divide(Wide& value, std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (std::uint32_t& word : value.words) {
        std::uint64_t current = (remainder << 32) | word;
        word = static_cast<std::uint32_t>(current / divisor);
        remainder = current % divisor;
    }
    return static_cast<std::uint32_t>(remainder);
}

struct RoundedShift {
    std::uint64_t value = 0;
    bool too_large = false;
};

// value / 2^shift (0 < shift < 128) rounded half to even, when it fits in 64 bits.
RoundedShift shift_right_half_even(const Wide& value, int shift) {
    auto bit = [&](int index) { // bit `index` counted from the least significant
        return (value.words[3 - index / 32] >> (index % 32)) & 1u;
    };
    RoundedShift result;
    for (int index = 127; index >= shift; --index) {
        if (bit(index) == 0)
            continue;
        if (index - shift >= 64) {
            result.too_large = true;
            return result;
        }
        result.value |= std::uint64_t{1} << (index - shift);
    }
    const bool half = bit(shift - 1) != 0;
    bool beyond_half = false;
    for (int index = shift - 2; index >= 0 && !beyond_half; --index)
        beyond_half = bit(index) != 0;
    if (half && (beyond_half || (result.value & 1u) != 0)) {
        if (result.value == std::numeric_limits<std::uint64_t>::max())
            result.too_large = true;
        ++result.value;
    }
    return result;
}

Currency from_magnitude(std::uint64_t magnitude, bool negative) {
    constexpr std::uint64_t Largest = std::numeric_limits<std::int64_t>::max();
    if (magnitude > Largest + (negative ? 1 : 0))
        throw VbError(vb::Overflow);
    if (negative)
        return Currency::from_scaled(static_cast<std::int64_t>(0 - magnitude));
    return Currency::from_scaled(static_cast<std::int64_t>(magnitude));
}

} // namespace

Currency Currency::from_double(double value) {
    // The product value x 10,000 is formed exactly and then rounded half to even: 0.00025 is a
    // little more than a quarter of a ten-thousandth as a double, so it gives 0.0003.
    if (!std::isfinite(value))
        throw VbError(vb::Overflow);
    if (value == 0)
        return Currency();
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent); // in [0.5, 1)
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - exponent; // |value| = mantissa / 2^shift
    // From 2^52 on the product exceeds 2^63 whatever the rounding.
    if (shift <= 0)
        throw VbError(vb::Overflow);
    Wide product = multiply(mantissa, static_cast<std::uint64_t>(Scale));
    if (shift >= 128)
        return Currency(); // far below half a ten-thousandth
    const RoundedShift rounded = shift_right_half_even(product, shift);
    if (rounded.too_large)
        throw VbError(vb::Overflow);
    return from_magnitude(rounded.value, value < 0);
}

Currency operator+(Currency a, Currency b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a.scaled_, b.scaled_, &sum))
        throw VbError(vb::Overflow);
    return Currency(sum);
}

Currency operator-(Currency a, Currency b) {
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(a.scaled_, b.scaled_, &difference))
        throw VbError(vb::Overflow);
    return Currency(difference);
}

Currency operator*(Currency a, Currency b) {
    bool negative = (a.scaled_ < 0) != (b.scaled_ < 0);
    Wide product = multiply(magnitude_of(a.scaled_), magnitude_of(b.scaled_));
    std::uint32_t remainder = divide(product, static_cast<std::uint32_t>(Currency::Scale));
    constexpr std::uint32_t Half = Currency::Scale / 2;
    bool odd = (product.words[3] & 1u) != 0;
    bool round_up = remainder > Half || (remainder == Half && odd);
    if (product.words[0] != 0 || product.words[1] != 0)
        throw VbError(vb::Overflow);
    std::uint64_t quotient =
        (static_cast<std::uint64_t>(product.words[2]) << 32) | product.words[3];
    if (round_up) {
        if (quotient == std::numeric_limits<std::uint64_t>::max())
            throw VbError(vb::Overflow);
        ++quotient;
    }
    return from_magnitude(quotient, negative);
}

} // namespace orbek
