// The drop shadow painted one pixel at a time through a Surface, literally as the passes
// describe it; the image form in draw_shadow_image.cpp must give the same pixels.
#include "splash/draw_shadow.h"

#include "automation/rounding.h"
#include "automation/vb_error.h"
#include "splash/colour_parts.h"
#include "splash/shadow_weights.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orbek {

namespace {

using shadow::Weights;

bool fits_int(std::int64_t value) {
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

// A part after blending: a side pass keeps the sign, the corner pass takes the magnitude;
// above 255 counts as 255 when the colour is composed.
double side_part(double mixed) {
    return std::min(round_half_even(mixed), 255.0);
}

double corner_part(double mixed) {
    return std::min(std::fabs(round_half_even(mixed)), 255.0);
}

class Painter {
  public:
    Painter(Surface& surface, const ShadowSpec& spec)
        : surface_(surface), red_(spec.Red), green_(spec.Green), blue_(spec.Blue) {}

    template <typename Part>
    void blend(std::int64_t x, std::int64_t y, const Weights& weights, Part part) {
        const bool addressable = fits_int(x) && fits_int(y);
        const ColourValue old = addressable
                                    ? surface_.get_pixel(static_cast<int>(x), static_cast<int>(y))
                                    : InvalidColour;
        std::int32_t red = 0;
        std::int32_t green = 0;
        std::int32_t blue = 0;
        SplitRGB(old, red, green, blue);
        const ColourValue colour =
            compose_colour(static_cast<std::int32_t>(part(shadow::mix(red_, red, weights))),
                           static_cast<std::int32_t>(part(shadow::mix(green_, green, weights))),
                           static_cast<std::int32_t>(part(shadow::mix(blue_, blue, weights))));
        if (addressable)
            surface_.set_pixel(static_cast<int>(x), static_cast<int>(y), colour);
    }

  private:
    Surface& surface_;
    std::int32_t red_;
    std::int32_t green_;
    std::int32_t blue_;
};

std::int64_t round_to_whole(double value) {
    return static_cast<std::int64_t>(round_half_even(value));
}

} // namespace

void DrawShadow(Surface& surface, const ShadowSpec& spec) {
    if (spec.Visible == 0)
        return;
    if (spec.Size < 1)
        throw VbError(vb::InvalidProcedureCall);
    // Coordinates in 64 bits: no sum of 32-bit fields can overflow.
    const std::int64_t X = spec.Left, Y = spec.Top, W = spec.Width, H = spec.Height;
    const std::int64_t R = spec.Radius, S = spec.Size, OX = spec.OffsetX, OY = spec.OffsetY;
    const double size = static_cast<double>(S);
    Painter painter(surface, spec);

    // Pass 1: the left and right sides, row by row, between the corners' centre rows.
    for (std::int64_t y = Y + R + 1; y <= Y + H - R - 1; ++y) {
        for (std::int64_t x = X - S; x <= X; ++x) {
            const Weights weights = shadow::from_shadow_share((x - (X - S)) / size);
            painter.blend(x + OX, y + OY, weights, side_part);
        }
        for (std::int64_t x = X + W; x <= X + W + S; ++x) {
            const Weights weights = shadow::from_pixel_share((x - (X + W)) / size);
            painter.blend(x + OX, y + OY, weights, side_part);
        }
    }

    // Pass 2: the four corners, mirrored about the rectangle's centre lines.
    const double radius = static_cast<double>(R);
    const double outer_radius = static_cast<double>(R + S);
    for (std::int64_t d = 0; d <= R + S; ++d) {
        const double row = static_cast<double>(d);
        const std::int64_t outer =
            round_to_whole(std::sqrt(outer_radius * outer_radius - row * row) + size);
        const std::int64_t xa = X + R + S - outer;
        const std::int64_t xb = R >= d ? round_to_whole(static_cast<double>(X + R) -
                                                        std::sqrt(radius * radius - row * row))
                                       : X + R;
        const std::int64_t yt = Y + OY + R - d;
        const std::int64_t yb = Y + OY + H - R + d;
        for (std::int64_t x = xa; x <= xb; ++x) {
            const double dx = static_cast<double>(x - (X + R));
            const Weights weights =
                shadow::from_pixel_share((std::sqrt(dx * dx + row * row) - radius) / size);
            const std::int64_t xm = 2 * X + W + OX - x;
            painter.blend(x + OX, yt, weights, corner_part);
            painter.blend(x + OX, yb, weights, corner_part);
            painter.blend(xm, yt, weights, corner_part);
            painter.blend(xm, yb, weights, corner_part);
        }
    }

    // Pass 3: the top and bottom sides, from the ring's outer rows inwards.
    const std::int64_t last = W - 2 * R - 1;
    for (std::int64_t k = 0; k <= S; ++k) {
        const Weights weights = shadow::from_shadow_share(k / size);
        const std::int64_t yt = Y + OY - S + k;
        const std::int64_t yb = Y + OY + H + S - k;
        for (std::int64_t j = 1; j <= last; ++j) {
            const std::int64_t x = X + OX + R + j;
            painter.blend(x, yt, weights, side_part);
            painter.blend(x, yb, weights, side_part);
        }
    }
}

} // namespace orbek
