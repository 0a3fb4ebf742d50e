#include "automation/vb_error.h"
#include "splash/capture_and_shade.h"
#include "support/error_number.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::error_number;

TEST(ShadowBorder, HalfTheMarginAsAFloat) {
    struct Case {
        double background, artwork;
        float border;
    };
    const Case cases[] = {
        {797, 733, 32.0f},  {657, 593, 32.0f},
        {658, 593, 32.5f},  {100.3, 0, 50.15f}, // rounded to the nearest float
        {593, 657, -32.0f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shadow_border(c.background, c.artwork), c.border) << c.background;
}

TEST(CaptureSource, CentredRectangleRoundedHalfToEven) {
    struct Case {
        const char* name;
        ScreenMeasure screen;
        double window_width, window_height, width, height;
        std::int32_t x, y, w, h;
    };
    const Case cases[] = {
        {"1024 x 768 at 96 dpi", {15360, 11520, 15, 15}, 797, 445, 797, 445, 114, 162, 797, 445},
        {"half pixels go to even", {15360, 11520, 15, 15}, 657, 326, 657, 326, 184, 221, 657, 326},
        {"and down to even", {15390, 11520, 15, 15}, 657, 326, 657, 326, 184, 221, 657, 326},
        {"1920 x 1080 at 120 dpi", {23040, 12960, 12, 12}, 657, 327, 657, 327, 632, 376, 657, 327},
        {"window smaller than the screen is wide",
         {3000, 3000, 15, 15},
         797,
         445,
         797,
         445,
         -298,
         -122,
         797,
         445},
        {"the copy is as large as the background",
         {15360, 11520, 15, 15},
         797,
         445,
         796.5,
         444.5,
         114,
         162,
         796,
         444},
    };
    for (const Case& c : cases) {
        const ScreenRectangle source =
            capture_source(c.screen, c.window_width, c.window_height, c.width, c.height);
        EXPECT_EQ(source.x, c.x) << c.name;
        EXPECT_EQ(source.y, c.y) << c.name;
        EXPECT_EQ(source.width, c.w) << c.name;
        EXPECT_EQ(source.height, c.h) << c.name;
    }
}

TEST(CaptureSource, ValuesBeyond32BitsAreOverflow) {
    EXPECT_EQ(error_number([] {
                  capture_source({1e12, 11520, 15, 15}, 10, 10, 10, 10);
              }),
              vb::Overflow);
    EXPECT_EQ(error_number([] {
                  capture_source({15360, 11520, 0, 15}, 10, 10, 10, 10);
              }),
              vb::Overflow);
    EXPECT_EQ(error_number([] {
                  capture_source({15360, 11520, 15, 15}, 10, 10, 3e9, 10);
              }),
              vb::Overflow);
}

TEST(CaptureShadowSpec, FilledFromTheBorderColourAndOffsets) {
    struct Case {
        const char* name;
        double border;
        ColourValue colour;
        std::int32_t offset_x, offset_y;
        double width, height;
        ShadowSpec expected;
    };
    const Case cases[] = {
        {"the splash window",
         32,
         0x283232,
         8,
         10,
         797,
         445,
         {32, 32, 724, 370, 0, HostTrue, 32, 8, 10, 50, 50, 40}},
        {"artwork alone",
         32,
         0x283232,
         8,
         10,
         657,
         326,
         {32, 32, 584, 251, 0, HostTrue, 32, 8, 10, 50, 50, 40}},
        // Subtracted in floating point, then rounded: 657 - 64.6 - 1 - 8 = 583.4.
        {"fractional border",
         32.3,
         0x283232,
         8,
         10,
         657,
         326,
         {32, 32, 583, 250, 0, HostTrue, 32, 8, 10, 50, 50, 40}},
        {"border half-way rounds to even",
         32.5,
         0x010203,
         0,
         0,
         200,
         100,
         {32, 32, 134, 34, 0, HostTrue, 32, 0, 0, 3, 2, 1}},
        {"and up to even",
         33.5,
         0x010203,
         0,
         0,
         200,
         100,
         {34, 34, 132, 32, 0, HostTrue, 34, 0, 0, 3, 2, 1}},
        {"negative offsets",
         10,
         0xFFFFFF,
         -3,
         -4,
         100,
         100,
         {10, 10, 82, 83, 0, HostTrue, 10, -3, -4, 255, 255, 255}},
        {"the fourth byte is no part of the colour",
         10,
         0x7F283232,
         0,
         0,
         100,
         100,
         {10, 10, 79, 79, 0, HostTrue, 10, 0, 0, 50, 50, 40}},
        {"a negative colour whose red is 0",
         10,
         -256,
         0,
         0,
         100,
         100,
         {10, 10, 79, 79, 0, HostTrue, 10, 0, 0, 0, 255, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ShadowSpec s =
            capture_shadow_spec(c.border, c.colour, c.offset_x, c.offset_y, c.width, c.height);
        EXPECT_TRUE(s == c.expected)
            << s.Left << "," << s.Top << " " << s.Width << "x" << s.Height << " radius " << s.Radius
            << " visible " << s.Visible << " size " << s.Size << " offset " << s.OffsetX << ","
            << s.OffsetY << " colour " << int{s.Red} << "," << int{s.Green} << "," << int{s.Blue};
    }
}

TEST(CaptureShadowSpec, ColourPartsThatDoNotFitAByteAreOverflow) {
    // -1 splits into red -1; -257 into red -1 too.
    for (const ColourValue colour : {-1, -257, -65537})
        EXPECT_EQ(error_number([&] { capture_shadow_spec(32, colour, 8, 10, 797, 445); }),
                  vb::Overflow)
            << colour;
    EXPECT_EQ(error_number([] { capture_shadow_spec(32, 0x283232, 8, 10, 1e10, 445); }),
              vb::Overflow);
}

} // namespace
} // namespace orbek
