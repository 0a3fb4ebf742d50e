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
        {0x283232, 50, 50, 40},
        {0, 0, 0, 0},
        {0xFFFFFF, 255, 255, 255},
        {0x123456, 0x56, 0x34, 0x12},
        {0x7F123456, 0x56, 0x34, 0x12}, // the fourth byte is no part
        {-1, -1, 255, 255},             // red keeps the colour's sign
        {-256, 0, 255, 255},
        {-257, -1, 254, 255},
        {-65536, 0, 0, 255},
        {std::numeric_limits<ColourValue>::min(), 0, 0, 0},
        {std::numeric_limits<ColourValue>::max(), 255, 255, 255},
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
        {50, 50, 40, 2634290},
        {255, 255, 255, 0xFFFFFF},
        {256, 0, 0, 255},
        {0, 300, 0, 255 * 256},
        {0, 0, 1000, 255 * 65536},
        {-1, 255, 255, 0xFFFEFF}, // a negative part enters the sum as it is
        {1, 2, 3, 1 + 2 * 256 + 3 * 65536},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compose_colour(c.red, c.green, c.blue), c.colour)
            << c.red << "," << c.green << "," << c.blue;
    }
}

TEST(PixelLayout, ColourValuesAndScreenPixelsSwapRedAndBlue) {
    const std::pair<std::uint32_t, ColourValue> cases[] = {
        {0x00112233, 0x332211},
        {0x00FF0000, 0x0000FF}, // red
        {0x000000FF, 0xFF0000}, // blue
        {0x0000FF00, 0x00FF00},
    };
    for (const auto& [pixel, colour] : cases) {
        EXPECT_EQ(colour_of_pixel(pixel), colour);
        EXPECT_EQ(pixel_of_colour(colour), pixel);
    }
    EXPECT_EQ(colour_of_pixel(0xAB112233), 0x332211); // the fourth byte carries no colour
    EXPECT_EQ(pixel_of_colour(static_cast<ColourValue>(0x7F332211)), 0x00112233u);
}

TEST(Picture, NegativeSizesCountAsZero) {
    for (const auto& [width, height] : {std::pair{-3, 2}, std::pair{2, -3}, std::pair{0, 0}}) {
        const Picture picture(width, height, 7);
        EXPECT_EQ(picture.width(), std::max(width, 0));
        EXPECT_EQ(picture.height(), std::max(height, 0));
        EXPECT_TRUE(picture.pixels().empty());
    }
}

TEST(PixelBufferSurface, BehavesLikeADeviceContextAtItsEdges) {
    Picture picture(3, 2, 0x00102030);
    PixelBufferSurface surface(picture.buffer());
    EXPECT_EQ(surface.width(), 3);
    EXPECT_EQ(surface.height(), 2);
    EXPECT_EQ(surface.get_pixel(2, 1), 0x302010);
    const std::pair<int, int> outside[] = {{-1, 0}, {3, 0}, {0, -1}, {0, 2}};
    for (const auto& [x, y] : outside) {
        EXPECT_EQ(surface.get_pixel(x, y), InvalidColour) << x << "," << y;
        surface.set_pixel(x, y, 0);
    }
    EXPECT_EQ(picture.pixels(), std::vector<std::uint32_t>(6, 0x00102030));
    surface.set_pixel(1, 1, 0x0000FF);
    EXPECT_EQ(picture.at(1, 1), 0x00FF0000u);
}

} // namespace
} // namespace orbek
