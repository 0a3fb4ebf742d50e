// The weights with which the drop shadow mixes its colour into a pixel, shared by both ways
// of painting it so that they cannot drift apart.
#pragma once

#include "automation/rounding.h"

#include <cstdint>

namespace orbek::shadow {

struct Weights {
    double shadow; // 1 gives the full shadow colour
    double pixel;  // 1 leaves the pixel as it was
};

// The weight a pass works out is rounded to a 32-bit float; the other one is 1 minus that
// float, rounded to a float again.
inline Weights from_shadow_share(double share) {
    const float shadow = round_to_single(share);
    return {shadow, round_to_single(1.0 - shadow)};
}

inline Weights from_pixel_share(double share) {
    const float pixel = round_to_single(share);
    return {round_to_single(1.0 - pixel), pixel};
}

// One part of the blended colour before it is rounded: products and sum in double.
inline double mix(std::int32_t shadow_part, std::int32_t pixel_part, const Weights& weights) {
    return shadow_part * weights.shadow + pixel_part * weights.pixel;
}

} // namespace orbek::shadow
