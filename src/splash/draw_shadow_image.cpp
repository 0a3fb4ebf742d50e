// The drop shadow painted straight into a 32-bit image. It blends every pixel of the ring
// with the same arithmetic and in the same order as the Surface form, pass by pass and row by
// row (a pixel can be blended twice when the passes or the mirrored corners overlap); what
// it saves is the per-pixel interface and the repeated weights and rounding: the sides, where
// almost every pixel lies, look each blended part up in a table made once for each weight the
// ring uses. Every loop is cut to the rows and columns that lie inside the image.
#include "automation/rounding.h"
#include "automation/vb_error.h"
#include "splash/draw_shadow.h"
#include "splash/shadow_weights.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
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
    SideTable(const ShadowSpec& spec, const Weights& weights) {
        const Mix mix = mix_for(spec, weights);
        fill(blue_, spec.Blue, mix.blue, weights);
        // Shadow colours are often grey or nearly so: a part equal to one already worked out
        // is copied, not worked out again.
        if (spec.Green == spec.Blue)
            std::copy(std::begin(blue_), std::end(blue_), green_);
        else
            fill(green_, spec.Green, mix.green, weights);
        if (spec.Red == spec.Green)
            std::copy(std::begin(green_), std::end(green_), red_);
        else if (spec.Red == spec.Blue)
            std::copy(std::begin(blue_), std::end(blue_), red_);
        else
            fill(red_, spec.Red, mix.red, weights);
        for (std::uint32_t part = 0; part < 256; ++part) {
            red_[part] <<= 16;
            green_[part] <<= 8;
        }
    }
    void blend(std::uint32_t& pixel) const {
        pixel = red_[(pixel >> 16) & 0xFFu] | green_[(pixel >> 8) & 0xFFu] | blue_[pixel & 0xFFu];
    }

  private:
    static constexpr double Unit = 65536.0;

    static void fill(std::uint32_t (&table)[256], std::uint8_t shadow_part, double shadow_term,
                     const Weights& weights) {
        const double shadow_units = weights.shadow * Unit;
        const double pixel_units = weights.pixel * Unit;
        if (shadow_units >= 0 && pixel_units >= 0 && shadow_units + pixel_units == Unit &&
            std::floor(shadow_units) == shadow_units) {
            fill_in_units(table, shadow_part, static_cast<std::uint32_t>(shadow_units));
        } else {
            fill_in_doubles(table, shadow_term, weights.pixel);
        }
    }

    // Weights that are whole numbers of 1/65536 (a ring whose width is a power of two, as the
    // splash's is): the double sum of the products is exact, so it is worked out in whole
    // units of 1/65536, each entry one addition on from the one before, and rounded there.
    static void fill_in_units(std::uint32_t (&table)[256], std::uint32_t shadow_part,
                              std::uint32_t shadow_units) {
        constexpr std::uint32_t Shift = 16;
        constexpr std::uint32_t HalfLess1 = (1u << (Shift - 1)) - 1;
        const std::uint32_t pixel_units = (1u << Shift) - shadow_units;
        std::uint32_t units = shadow_part * shadow_units; // at most 255 x 65536
        for (std::uint32_t& entry : table) {
            // A half goes up from an odd whole number, down from an even one.
            entry = (units + HalfLess1 + ((units >> Shift) & 1u)) >> Shift;
            units += pixel_units;
        }
    }

    // The mixed value grows with the pixel's part by the pixel weight, at most 1 (and exactly
    // 1 only with no shadow weight, where every value is whole), so each entry is the one
    // before it or one more: one comparison with the half-way point decides, a tie going to
    // the even one, where the general rounding would cost far more.
    static void fill_in_doubles(std::uint32_t (&table)[256], double shadow_term,
                                double pixel_weight) {
        std::uint32_t previous = side_part(shadow_term, 0, pixel_weight);
        table[0] = previous;
        for (std::uint32_t part = 1; part < 256; ++part) {
            const double mixed = shadow_term + part * pixel_weight;
            const double half_way = previous + 0.5;
            if (mixed > half_way || (mixed == half_way && (previous & 1u) != 0))
                ++previous;
            table[part] = previous;
        }
    }

    std::uint32_t red_[256];
    std::uint32_t green_[256];
    std::uint32_t blue_[256];
};

// One table for each pair of weights the ring uses, made when first asked for: the left side
// and the top and bottom share theirs, and with a ring whose width is a power of two the
// right side uses the same ones again.
class SideTables {
  public:
    explicit SideTables(const ShadowSpec& spec) : spec_(spec) {}

    const SideTable& operator[](const Weights& weights) {
        std::unique_ptr<SideTable>& table = tables_[{weights.shadow, weights.pixel}];
        if (!table)
            table = std::make_unique<SideTable>(spec_, weights);
        return *table;
    }

  private:
    const ShadowSpec& spec_;
    std::map<std::pair<double, double>, std::unique_ptr<SideTable>> tables_;
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

// Pass 1: the left and right sides, row by row, each row's left part before its right one
// as in the Surface form (they meet when the rectangle is narrower than the ring).
void paint_sides(Image& image, SideTables& tables, const Geometry& g) {
    const double size = static_cast<double>(g.S);
    const Span rows = shifted_into({g.Y + g.R + 1, g.Y + g.H - g.R - 1}, g.OY, image.rows());
    const Span left = shifted_into({g.X - g.S, g.X}, g.OX, image.columns());
    const Span right = shifted_into({g.X + g.W, g.X + g.W + g.S}, g.OX, image.columns());
    if (is_empty(rows))
        return;
    // The table of each column, looked up once.
    std::vector<const SideTable*> left_tables;
    for (std::int64_t x = left.first; x <= left.last; ++x)
        left_tables.push_back(&tables[shadow::from_shadow_share((x - (g.X - g.S)) / size)]);
    std::vector<const SideTable*> right_tables;
    for (std::int64_t x = right.first; x <= right.last; ++x)
        right_tables.push_back(&tables[shadow::from_pixel_share((x - (g.X + g.W)) / size)]);
    for (std::int64_t y = rows.first; y <= rows.last; ++y) {
        std::uint32_t* row = &image.at(0, y + g.OY);
        for (std::size_t i = 0; i < left_tables.size(); ++i)
            left_tables[i]->blend(row[left.first + g.OX + static_cast<std::int64_t>(i)]);
        for (std::size_t i = 0; i < right_tables.size(); ++i)
            right_tables[i]->blend(row[right.first + g.OX + static_cast<std::int64_t>(i)]);
    }
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
void paint_top_and_bottom(Image& image, SideTables& tables, const Geometry& g) {
    const double size = static_cast<double>(g.S);
    const Span steps{0, g.S};
    const Span top = shifted_into(steps, g.Y + g.OY - g.S, image.rows());
    const Span bottom = mirrored_into(steps, g.Y + g.OY + g.H + g.S, image.rows());
    const Span columns =
        shifted_into({g.X + g.OX + g.R + 1, g.X + g.OX + g.W - g.R - 1}, 0, image.columns());
    if (is_empty(columns))
        return;
    for_each_in_union(top, bottom, [&](std::int64_t k) {
        const SideTable& table = tables[shadow::from_shadow_share(k / size)];
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
    SideTables tables(spec);
    paint_sides(image, tables, geometry);
    paint_corners(image, spec, geometry);
    paint_top_and_bottom(image, tables, geometry);
}

} // namespace orbek
