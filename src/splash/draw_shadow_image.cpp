// The drop shadow painted straight into a 32-bit image. It blends every pixel of the ring
// with the same arithmetic and, pixel by pixel, in the same order as the Surface form (a
// pixel can be blended twice when the passes or the mirrored corners overlap); what it saves
// is the per-pixel interface, the repeated weights and rounding (the sides look their
// results up in tables) and the general-purpose rounding. Every loop is cut to the rows and
// columns that lie inside the image.
#include "automation/rounding.h"
#include "automation/vb_error.h"
#include "splash/draw_shadow.h"
#include "splash/shadow_weights.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orbek {

namespace {

using shadow::Weights;

// An inclusive range of whole numbers; empty when first > last.
struct Span {
    std::int64_t first;
    std::int64_t last;
};

Span intersect(Span a, Span b) {
    return {std::max(a.first, b.first), std::min(a.last, b.last)};
}

bool is_empty(Span span) {
    return span.first > span.last;
}

// Calls visit once for every number in a or b, in increasing order.
// An empty span takes part in the ordering with its own first value; either way its loop
// visits nothing and the other span's loop starts at its own first value.
template <typename Visit> void for_each_in_union(Span a, Span b, Visit visit) {
    if (a.first > b.first)
        std::swap(a, b);
    for (std::int64_t value = a.first; value <= a.last; ++value)
        visit(value);
    for (std::int64_t value = std::max(b.first, a.last + 1); value <= b.last; ++value)
        visit(value);
}

// The shadow colour already multiplied by its weight, and the pixel's weight.
struct Mix {
    double red;
    double green;
    double blue;
    double pixel;
};

Mix mix_for(const ShadowSpec& spec, const Weights& weights) {
    return {spec.Red * weights.shadow, spec.Green * weights.shadow, spec.Blue * weights.shadow,
            weights.pixel};
}

// On the sides both weights lie in 0..1 and the parts in 0..255, so a blended part is
// between 0 and 255 (a hair above 255 rounds down to it).
std::uint32_t side_part(double shadow_term, std::uint32_t part, double pixel_weight) {
    const std::int32_t mixed = round_half_even_int32(shadow_term + part * pixel_weight);
    return static_cast<std::uint32_t>(std::min(mixed, 255));
}

// In the corners the weights may leave 0..1: the part is the magnitude, at most 255.
std::uint32_t corner_part(double shadow_term, std::uint32_t part, double pixel_weight) {
    const double magnitude = std::fabs(shadow_term + part * pixel_weight);
    return magnitude > 255.0 ? 255u : static_cast<std::uint32_t>(round_half_even_int32(magnitude));
}

// The blended pixel for every value of each part under one pair of weights: on the sides a
// whole column (pass 1) or a whole row (pass 3) shares its weights, so each pixel there is
// three look-ups. Each part is stored already shifted to its place in the pixel.
class SideTable {
  public:
    explicit SideTable(const Mix& mix) {
        fill(blue_, mix.blue, mix.pixel);
        // Shadow colours are often grey or nearly so: a part equal to one already worked out
        // is copied, not worked out again.
        if (mix.green == mix.blue)
            std::copy(std::begin(blue_), std::end(blue_), green_);
        else
            fill(green_, mix.green, mix.pixel);
        if (mix.red == mix.green)
            std::copy(std::begin(green_), std::end(green_), red_);
        else if (mix.red == mix.blue)
            std::copy(std::begin(blue_), std::end(blue_), red_);
        else
            fill(red_, mix.red, mix.pixel);
        for (std::uint32_t part = 0; part < 256; ++part) {
            red_[part] <<= 16;
            green_[part] <<= 8;
        }
    }
    void blend(std::uint32_t& pixel) const {
        pixel = red_[(pixel >> 16) & 0xFFu] | green_[(pixel >> 8) & 0xFFu] | blue_[pixel & 0xFFu];
    }

  private:
    // The mixed value grows with the pixel's part by the pixel weight, at most 1, so each
    // entry is the one before it or one more: one comparison with the half-way point decides
    // (a tie goes to the even one), where the general rounding would cost far more. Should
    // an entry ever lie further on, it is worked out in full.
    static void fill(std::uint32_t (&table)[256], double shadow_term, double pixel_weight) {
        std::uint32_t previous = side_part(shadow_term, 0, pixel_weight);
        table[0] = previous;
        for (std::uint32_t part = 1; part < 256; ++part) {
            const double mixed = shadow_term + part * pixel_weight;
            const double half_way = previous + 0.5;
            if (mixed >= half_way + 1.0)
                previous = side_part(shadow_term, part, pixel_weight);
            else if (mixed > half_way || (mixed == half_way && (previous & 1u) != 0))
                ++previous;
            table[part] = previous;
        }
    }

    std::uint32_t red_[256];
    std::uint32_t green_[256];
    std::uint32_t blue_[256];
};

void blend_corner(std::uint32_t& pixel, const Mix& mix) {
    const std::uint32_t red = corner_part(mix.red, (pixel >> 16) & 0xFFu, mix.pixel);
    const std::uint32_t green = corner_part(mix.green, (pixel >> 8) & 0xFFu, mix.pixel);
    const std::uint32_t blue = corner_part(mix.blue, pixel & 0xFFu, mix.pixel);
    pixel = (red << 16) | (green << 8) | blue;
}

class Image {
  public:
    explicit Image(PixelBuffer buffer) : buffer_(buffer) {}

    Span columns() const { return {0, buffer_.width - 1}; }
    Span rows() const { return {0, buffer_.height - 1}; }
    bool contains(std::int64_t x, std::int64_t y) const {
        return x >= 0 && x < buffer_.width && y >= 0 && y < buffer_.height;
    }
    std::uint32_t& at(std::int64_t x, std::int64_t y) {
        return buffer_
            .pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(buffer_.width) +
                    static_cast<std::size_t>(x)];
    }

  private:
    PixelBuffer buffer_;
};

// The values of v (within `range`) for which v + shift lies within `inside`.
Span shifted_into(Span range, std::int64_t shift, Span inside) {
    return intersect(range, {inside.first - shift, inside.last - shift});
}

// The values of v (within `range`) for which mirror - v lies within `inside`.
Span mirrored_into(Span range, std::int64_t mirror, Span inside) {
    return intersect(range, {mirror - inside.last, mirror - inside.first});
}

struct Geometry {
    std::int64_t X, Y, W, H, R, S, OX, OY;
};

// Pass 1: the left and right sides. A column shares its weights, so it is painted down its
// rows; every left pixel is still blended before the right one at the same place (they meet
// when the rectangle is narrower than the ring), as in the Surface form.
void paint_sides(Image& image, const ShadowSpec& spec, const Geometry& g) {
    const double size = static_cast<double>(g.S);
    const Span rows = shifted_into({g.Y + g.R + 1, g.Y + g.H - g.R - 1}, g.OY, image.rows());
    if (is_empty(rows))
        return;
    const auto paint_column = [&](std::int64_t x, const Weights& weights) {
        const SideTable table(mix_for(spec, weights));
        for (std::int64_t y = rows.first; y <= rows.last; ++y)
            table.blend(image.at(x + g.OX, y + g.OY));
    };
    const Span left = shifted_into({g.X - g.S, g.X}, g.OX, image.columns());
    for (std::int64_t x = left.first; x <= left.last; ++x)
        paint_column(x, shadow::from_shadow_share((x - (g.X - g.S)) / size));
    const Span right = shifted_into({g.X + g.W, g.X + g.W + g.S}, g.OX, image.columns());
    for (std::int64_t x = right.first; x <= right.last; ++x)
        paint_column(x, shadow::from_pixel_share((x - (g.X + g.W)) / size));
}

// Pass 2: the corners. Kept in the Surface form's order (rows d, columns x, then the four
// pixels), since mirrored pixels can coincide when the rectangle is narrow.
void paint_corners(Image& image, const ShadowSpec& spec, const Geometry& g) {
    const double size = static_cast<double>(g.S);
    const double radius = static_cast<double>(g.R);
    const double outer_radius = static_cast<double>(g.R + g.S);
    const Span distances{0, g.R + g.S};
    const Span top = mirrored_into(distances, g.Y + g.OY + g.R, image.rows());
    const Span bottom = shifted_into(distances, g.Y + g.OY + g.H - g.R, image.rows());
    const std::int64_t mirror = 2 * g.X + g.W + g.OX;
    for_each_in_union(top, bottom, [&](std::int64_t d) {
        const double row = static_cast<double>(d);
        const auto outer = static_cast<std::int64_t>(
            round_half_even(std::sqrt(outer_radius * outer_radius - row * row) + size));
        const std::int64_t xa = g.X + g.R + g.S - outer;
        const std::int64_t xb =
            g.R >= d ? static_cast<std::int64_t>(round_half_even(
                           static_cast<double>(g.X + g.R) - std::sqrt(radius * radius - row * row)))
                     : g.X + g.R;
        const std::int64_t yt = g.Y + g.OY + g.R - d;
        const std::int64_t yb = g.Y + g.OY + g.H - g.R + d;
        const Span columns{xa, xb};
        for_each_in_union(
            shifted_into(columns, g.OX, image.columns()),
            mirrored_into(columns, mirror, image.columns()), [&](std::int64_t x) {
                const double dx = static_cast<double>(x - (g.X + g.R));
                const Mix mix = mix_for(
                    spec,
                    shadow::from_pixel_share((std::sqrt(dx * dx + row * row) - radius) / size));
                const std::int64_t xm = mirror - x;
                for (const auto& [px, py] : {std::pair{x + g.OX, yt}, std::pair{x + g.OX, yb},
                                             std::pair{xm, yt}, std::pair{xm, yb}}) {
                    if (image.contains(px, py))
                        blend_corner(image.at(px, py), mix);
                }
            });
    });
}

// Pass 3: the top and bottom sides. For each k the top row is done before the bottom row;
// when the two are the same row every pixel gets the top blend and then the bottom one, as
// in the Surface form.
void paint_top_and_bottom(Image& image, const ShadowSpec& spec, const Geometry& g) {
    const double size = static_cast<double>(g.S);
    const Span steps{0, g.S};
    const Span top = shifted_into(steps, g.Y + g.OY - g.S, image.rows());
    const Span bottom = mirrored_into(steps, g.Y + g.OY + g.H + g.S, image.rows());
    const Span columns =
        shifted_into({g.X + g.OX + g.R + 1, g.X + g.OX + g.W - g.R - 1}, 0, image.columns());
    if (is_empty(columns))
        return;
    for_each_in_union(top, bottom, [&](std::int64_t k) {
        const SideTable table(mix_for(spec, shadow::from_shadow_share(k / size)));
        for (const std::int64_t y : {g.Y + g.OY - g.S + k, g.Y + g.OY + g.H + g.S - k}) {
            if (y < 0 || y > image.rows().last)
                continue;
            std::uint32_t* row = &image.at(0, y);
            for (std::int64_t x = columns.first; x <= columns.last; ++x)
                table.blend(row[x]);
        }
    });
}

} // namespace

void DrawShadow(PixelBuffer buffer, const ShadowSpec& spec) {
    if (spec.Visible == 0)
        return;
    if (spec.Size < 1)
        throw VbError(vb::InvalidProcedureCall);
    if (buffer.pixels == nullptr)
        return;
    const Geometry geometry{spec.Left,   spec.Top,  spec.Width,   spec.Height,
                            spec.Radius, spec.Size, spec.OffsetX, spec.OffsetY};
    Image image(buffer);
    paint_sides(image, spec, geometry);
    paint_corners(image, spec, geometry);
    paint_top_and_bottom(image, spec, geometry);
}

} // namespace orbek
