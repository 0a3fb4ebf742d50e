#include "automation/vb_error.h"
#include "splash/capture_and_shade.h"
#include "support/error_number.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::error_number;

TEST(ShadowBorder, HalfTheMarginAsAFloat) {
    EXPECT_EQ(shadow_border(797, 733), 32.0f);
    EXPECT_EQ(shadow_border(658, 593), 32.5f);
    EXPECT_EQ(shadow_border(100.3, 0), 50.15f); // rounded to the nearest float
}

TEST(CaptureSource, CentredRectangleRoundedHalfToEven) {
    struct Case {
        ScreenMeasure screen;
        double window_width, window_height, width, height;
        std::int32_t x, y, w, h;
    };
    const Case cases[] = {
        {{15360, 11520, 15, 15}, 797, 445, 797, 445, 114, 162, 797, 445},     // 1024 x 768
        {{15360, 11520, 15, 15}, 657, 326, 657, 326, 184, 221, 657, 326},     // halves to even
        {{15390, 11520, 15, 15}, 657, 326, 657, 326, 184, 221, 657, 326},     // and down to it
        {{23040, 12960, 12, 12}, 657, 327, 657, 327, 632, 376, 657, 327},     // 120 dots an inch
        {{3000, 3000, 15, 15}, 797, 445, 797, 445, -298, -122, 797, 445},     // a small screen
        {{15360, 11520, 15, 15}, 797, 445, 796.5, 444.5, 114, 162, 796, 444}, // the copy's size
    };
    for (const Case& c : cases) {
        const ScreenRectangle source =
            capture_source(c.screen, c.window_width, c.window_height, c.width, c.height);
        EXPECT_EQ(source.x, c.x) << c.width;
        EXPECT_EQ(source.y, c.y) << c.width;
        EXPECT_EQ(source.width, c.w) << c.width;
        EXPECT_EQ(source.height, c.h) << c.width;
    }
    for (const ScreenMeasure& screen :
         {ScreenMeasure{1e12, 11520, 15, 15}, ScreenMeasure{15360, 11520, 0, 15}})
        EXPECT_EQ(error_number([&] { capture_source(screen, 10, 10, 10, 10); }), vb::Overflow);
    EXPECT_EQ(error_number([] {
                  capture_source({15360, 11520, 15, 15}, 10, 10, 3e9, 10);
              }),
              vb::Overflow);
}

TEST(CaptureShadowSpec, FilledFromTheBorderColourAndOffsets) {
    struct Case {
        double border;
        ColourValue colour;
        std::int32_t offset_x, offset_y;
        double width, height;
        ShadowSpec expected;
    };
    constexpr std::int16_t T = HostTrue;
    const Case cases[] = {
        // The splash window, and the artwork alone with its margin.
        {32, 0x283232, 8, 10, 797, 445, {32, 32, 724, 370, 0, T, 32, 8, 10, 50, 50, 40}},
        {32, 0x283232, 8, 10, 657, 326, {32, 32, 584, 251, 0, T, 32, 8, 10, 50, 50, 40}},
        // Subtracted in floating point, then rounded: 657 - 64.6 - 1 - 8 = 583.4.
        {32.3, 0x283232, 8, 10, 657, 326, {32, 32, 583, 250, 0, T, 32, 8, 10, 50, 50, 40}},
        // A half-way border rounds to even, down and up.
        {32.5, 0x010203, 0, 0, 200, 100, {32, 32, 134, 34, 0, T, 32, 0, 0, 3, 2, 1}},
        {33.5, 0x010203, 0, 0, 200, 100, {34, 34, 132, 32, 0, T, 34, 0, 0, 3, 2, 1}},
        {10, 0xFFFFFF, -3, -4, 100, 100, {10, 10, 82, 83, 0, T, 10, -3, -4, 255, 255, 255}},
        // The fourth byte is no part of the colour; a negative colour whose red is 0.
        {10, 0x7F283232, 0, 0, 100, 100, {10, 10, 79, 79, 0, T, 10, 0, 0, 50, 50, 40}},
        {10, -256, 0, 0, 100, 100, {10, 10, 79, 79, 0, T, 10, 0, 0, 0, 255, 255}},
    };
    for (const Case& c : cases) {
        const ShadowSpec s =
            capture_shadow_spec(c.border, c.colour, c.offset_x, c.offset_y, c.width, c.height);
        EXPECT_TRUE(s == c.expected) << c.border << "/" << c.colour;
    }
}

TEST(CaptureShadowSpec, ColourPartsThatDoNotFitAByteAreOverflow) {
    // -1 and -257 split into red -1; -65537 into green 255 and red -1.
    for (const ColourValue colour : {-1, -257, -65537})
        EXPECT_EQ(error_number([&] { capture_shadow_spec(32, colour, 8, 10, 797, 445); }),
                  vb::Overflow)
            << colour;
    EXPECT_EQ(error_number([] { capture_shadow_spec(32, 0x283232, 8, 10, 1e10, 445); }),
              vb::Overflow);
}

} // namespace
} // namespace orbek
