#include "splash/capture_and_shade.h"

#include "automation/conversions.h"
#include "automation/rounding.h"
#include "splash/colour_parts.h"

namespace orbek {

namespace {

std::uint8_t part_as_byte(std::int32_t part) {
    return to_byte(Variant(part));
}

} // namespace

float shadow_border(double background_inner_width, double artwork_inner_width) {
    return round_to_single((background_inner_width - artwork_inner_width) / 2);
}

ScreenRectangle capture_source(const ScreenMeasure& screen, double window_inner_width,
                               double window_inner_height, double background_inner_width,
                               double background_inner_height) {
    ScreenRectangle source;
    source.x =
        double_to_long(screen.width_twips / 2 / screen.twips_per_pixel_x - window_inner_width / 2);
    source.y = double_to_long(screen.height_twips / 2 / screen.twips_per_pixel_y -
                              window_inner_height / 2);
    source.width = double_to_long(background_inner_width);
    source.height = double_to_long(background_inner_height);
    return source;
}

ShadowSpec capture_shadow_spec(double border, ColourValue colour, std::int32_t offsetX,
                               std::int32_t offsetY, double background_inner_width,
                               double background_inner_height) {
    ShadowSpec spec;
    spec.Left = double_to_long(border);
    spec.Top = spec.Left;
    spec.Width = double_to_long(background_inner_width - 2 * border - 1 - offsetX);
    spec.Height = double_to_long(background_inner_height - 2 * border - 1 - offsetY);
    spec.Radius = 0;
    spec.Visible = HostTrue;
    spec.Size = double_to_long(border);
    spec.OffsetX = offsetX;
    spec.OffsetY = offsetY;
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    SplitRGB(colour, red, green, blue);
    spec.Red = part_as_byte(red);
    spec.Green = part_as_byte(green);
    spec.Blue = part_as_byte(blue);
    return spec;
}

} // namespace orbek
