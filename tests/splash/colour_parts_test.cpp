#include "splash/colour_parts.h"
#include "splash/picture.h"

#include <gtest/gtest.h>
#include <limits>

namespace orbek {
namespace {

TEST(SplitRGB, PartsOfColourValues) {
    struct Case {
        ColourValue colour;
        std::int32_t red, green, blue;
    };
    const Case cases[] = {
        {0x283232, 50, 50, 40},      {0x7F123456, 0x56, 0x34, 0x12}, // the fourth byte is no part
        {-1, -1, 255, 255},          {-257, -1, 254, 255},           // red keeps the colour's sign
        {-65536, 0, 0, 255},         {std::numeric_limits<ColourValue>::min(), 0, 0, 0},
        {0x7FFFFFFF, 255, 255, 255},
    };
    for (const Case& c : cases) {
        std::int32_t red = 7, green = 7, blue = 7;
        SplitRGB(c.colour, red, green, blue);
        EXPECT_EQ(red, c.red) << c.colour;
        EXPECT_EQ(green, c.green) << c.colour;
        EXPECT_EQ(blue, c.blue) << c.colour;
    }
}

TEST(ComposeColour, PartsAbove255CountAs255) {
    struct Case {
        std::int32_t red, green, blue;
        ColourValue colour;
    };
    const Case cases[] = {
        {50, 50, 40, 2634290},   {256, 0, 0, 255},         {0, 300, 0, 255 * 256},
        {0, 0, 1000, 255 << 16}, {-1, 255, 255, 0xFFFEFF}, // a negative part enters as it is
    };
    for (const Case& c : cases)
        EXPECT_EQ(compose_colour(c.red, c.green, c.blue), c.colour) << c.colour;
}

TEST(PixelLayout, ColourValuesAndScreenPixelsSwapRedAndBlue) {
    EXPECT_EQ(colour_of_pixel(0xAB112233), 0x332211); // the fourth byte carries no colour
    EXPECT_EQ(pixel_of_colour(static_cast<ColourValue>(0x7F332211)), 0x00112233u);
}

TEST(PixelBufferSurface, BehavesLikeADeviceContextAtItsEdges) {
    EXPECT_TRUE(Picture(-3, 2, 7).pixels().empty());
    EXPECT_EQ(Picture(2, -3, 7).height(), 0);
    Picture picture(3, 2, 0x00102030);
    PixelBufferSurface surface(picture.buffer());
    EXPECT_EQ(surface.get_pixel(2, 1), 0x302010);
    for (const auto& [x, y] : {std::pair{-1, 0}, std::pair{3, 0}, std::pair{0, -1}, {0, 2}}) {
        EXPECT_EQ(surface.get_pixel(x, y), InvalidColour) << x << "," << y;
        surface.set_pixel(x, y, 0);
    }
    EXPECT_EQ(picture.pixels(), std::vector<std::uint32_t>(6, 0x00102030));
    surface.set_pixel(1, 1, 0x0000FF);
    EXPECT_EQ(picture.at(1, 1), 0x00FF0000u);
}

} // namespace
} // namespace orbek
