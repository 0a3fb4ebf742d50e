// Exact pixels of the drop shadow: its boundaries, its blends and its switches, checked on
// both ways of painting it.
#include "automation/vb_error.h"
#include "splash/capture_and_shade.h"
#include "splash/draw_shadow.h"
#include "splash/picture.h"
#include "support/error_number.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace orbek {
namespace {

using testing::error_number;

struct Painter {
    const char* name;
    std::function<void(Picture&, const ShadowSpec&)> paint;
};

const Painter painters[] = {
    {"through the surface",
     [](Picture& picture, const ShadowSpec& spec) {
         PixelBufferSurface surface(picture.buffer());
         DrawShadow(surface, spec);
     }},
    {"into the image",
     [](Picture& picture, const ShadowSpec& spec) { DrawShadow(picture.buffer(), spec); }},
};

constexpr std::uint32_t White = 0x00FFFFFF;
constexpr std::uint32_t SplashShadowPixel = 0x00323228; // red 50, green 50, blue 40

std::uint32_t rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return (red << 16) | (green << 8) | blue;
}

// The splash window's background (the artwork of 733 x 381 pixels with the margin round it)
// and the shadow its window paints there.
constexpr int SplashWidth = 733 + 2 * SplashMargin;
constexpr int SplashHeight = 381 + 2 * SplashMargin;

ShadowSpec splash_spec() {
    return capture_shadow_spec(SplashMargin, SplashShadowColour, SplashShadowOffsetX,
                               SplashShadowOffsetY, SplashWidth, SplashHeight);
}

Picture noise(int width, int height, unsigned seed) {
    Picture picture(width, height);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.at(x, y) = random() & 0x00FFFFFFu;
    return picture;
}

ShadowSpec spec(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                std::int32_t radius, std::int32_t size, std::int32_t offset_x,
                std::int32_t offset_y, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return {left, top, width, height, radius, HostTrue, size, offset_x, offset_y, red, green, blue};
}

// Visible false paints nothing and checks nothing else; any other value counts as true; a
// ring narrower than 1 is error 5 before any pixel changes.
TEST(DrawShadow, VisibleAndSizeSwitches) {
    struct Case {
        std::int16_t visible;
        std::int32_t size;
        int error;
        bool painted;
    };
    const Case cases[] = {{0, 32, 0, false},
                          {0, 0, 0, false},
                          {1, 32, 0, true},
                          {HostTrue, 0, vb::InvalidProcedureCall, false},
                          {HostTrue, -32, vb::InvalidProcedureCall, false}};
    for (const Painter& painter : painters) {
        for (const Case& c : cases) {
            ShadowSpec shadow = splash_spec();
            shadow.Visible = c.visible;
            shadow.Size = c.size;
            Picture picture(SplashWidth, SplashHeight, White);
            EXPECT_EQ(error_number([&] { painter.paint(picture, shadow); }), c.error);
            EXPECT_EQ(picture.at(100, 42), c.painted ? SplashShadowPixel : White)
                << painter.name << " visible " << c.visible << " size " << c.size;
            EXPECT_EQ(picture.at(100, 43), White) << "inside the rectangle";
        }
    }
}

// Square corners and a ring one pixel wide: the rectangle's own outline, shifted by the
// offsets, takes exactly the shadow colour; the outline just outside it is read and written
// back unchanged; nothing else is touched.
TEST(DrawShadow, ThinRingPaintsOnlyTheShiftedOutline) {
    const ShadowSpec thin = spec(5, 6, 9, 7, 0, 1, 2, 3, 11, 22, 33);
    for (const Painter& painter : painters) {
        SCOPED_TRACE(painter.name);
        Picture picture = noise(24, 24, 2);
        Picture expected = picture;
        const int left = 5 + 2, top = 6 + 3, right = left + 9, bottom = top + 7;
        for (int x = left; x <= right; ++x)
            expected.at(x, top) = expected.at(x, bottom) = rgb(11, 22, 33);
        for (int y = top; y <= bottom; ++y)
            expected.at(left, y) = expected.at(right, y) = rgb(11, 22, 33);
        painter.paint(picture, thin);
        EXPECT_EQ(picture.pixels(), expected.pixels());
    }
}

// The splash's own shadow on a noisy background: the inner boundary takes the shadow colour
// exactly whatever was there, the outer boundary keeps its colour, the inside of the
// rectangle and everything beyond the ring stay as they were.
TEST(DrawShadow, SplashRingBoundaries) {
    const ShadowSpec splash = splash_spec();
    ASSERT_EQ(splash.Width, 733 - SplashShadowOffsetX - 1);
    ASSERT_EQ(splash.Height, 381 - SplashShadowOffsetY - 1);
    const int X = splash.Left + splash.OffsetX, Y = splash.Top + splash.OffsetY;
    const int W = splash.Width, H = splash.Height, S = splash.Size;
    for (const Painter& painter : painters) {
        SCOPED_TRACE(painter.name);
        const Picture before = noise(SplashWidth, SplashHeight, 3);
        Picture after = before;
        painter.paint(after, splash);
        struct Line {
            const char* name;
            int x0, y0, x1, y1; // inclusive, one row or one column
            bool shadowed;      // full shadow colour, or unchanged
        };
        const Line lines[] = {
            {"inner left", X, Y, X, Y + H, true},
            {"inner right", X + W, Y, X + W, Y + H, true},
            {"inner top", X, Y, X + W, Y, true},
            {"inner bottom", X, Y + H, X + W, Y + H, true},
            {"outer left", X - S, Y + 1, X - S, Y + H - 1, false},
            {"outer right", X + W + S, Y + 1, X + W + S, Y + H - 1, false},
            {"outer top", X + 1, Y - S, X + W - 1, Y - S, false},
            {"outer bottom", X + 1, Y + H + S, X + W - 1, Y + H + S, false},
            {"inside, next to the edge", X + 1, Y + 1, X + W - 1, Y + 1, false},
            {"inside, its last column", X + W - 1, Y + 1, X + W - 1, Y + H - 1, false},
            {"beyond the ring on the left", X - S - 1, Y, X - S - 1, Y + H, false},
            {"beyond the ring at the top", X, Y - S - 1, X + W, Y - S - 1, false},
        };
        for (const Line& line : lines) {
            for (int y = line.y0; y <= line.y1; ++y)
                for (int x = line.x0; x <= line.x1; ++x)
                    ASSERT_EQ(after.at(x, y), line.shadowed ? SplashShadowPixel : before.at(x, y))
                        << line.name << " at " << x << "," << y;
        }
        // The ring ends at the last column and the last row of the background.
        EXPECT_EQ(X + W + S, SplashWidth - 1);
        EXPECT_EQ(Y + H + S, SplashHeight - 1);
    }
}

// Half-way through the ring (weights 0.5) white gives round(152.5) = 152 for red and green,
// halves going to the even neighbour, and round(147.5) = 148 for blue; a quarter of the way
// in from the outside (shadow weight 0.25) gives round(203.75) = 204 and round(201.25) = 201.
TEST(DrawShadow, BlendsWhiteHalfWayAndAQuarterWay) {
    const ShadowSpec splash = splash_spec();
    const int X = splash.Left + splash.OffsetX, Y = splash.Top + splash.OffsetY;
    const int W = splash.Width, H = splash.Height;
    const std::uint32_t half = rgb(152, 152, 148);
    const std::uint32_t quarter = rgb(204, 204, 201);
    struct Point {
        const char* name;
        int x, y;
        std::uint32_t colour;
    };
    const Point points[] = {
        {"left side", X - 16, Y + 100, half},
        {"right side", X + W + 16, Y + 100, half},
        {"top side", X + 300, Y - 16, half},
        {"bottom side", X + 300, Y + H + 16, half},
        {"left, a quarter in", X - 24, Y + 100, quarter},
        {"right, a quarter in", X + W + 24, Y + 100, quarter},
        {"top, a quarter in", X + 300, Y - 24, quarter},
        {"bottom, a quarter in", X + 300, Y + H + 24, quarter},
        {"corner, 11 left and 11 up", X - 11, Y - 11, rgb(150, 150, 145)},
    };
    for (const Painter& painter : painters) {
        SCOPED_TRACE(painter.name);
        Picture picture(SplashWidth, SplashHeight, White);
        painter.paint(picture, splash);
        for (const Point& point : points)
            EXPECT_EQ(picture.at(point.x, point.y), point.colour) << point.name;
    }
}

// Where the corner's outer circle is rounded outwards the pixel weight passes 1 and the
// shadow weight goes below 0: at row distance 5 the first column lies 32 left of the corner,
// at distance sqrt(32^2 + 5^2) = 32.39 from it, so the pixel weight is 1.0121 and the shadow
// weight -0.0121. A white shadow on black then gives -3.09, taken as 3; a black shadow on
// 254 gives 257.1, which counts as 255.
TEST(DrawShadow, CornerPartsAreMagnitudesAndAtMost255) {
    struct Case {
        const char* name;
        std::uint32_t background;
        std::uint8_t shade;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"white on black", 0, 255, rgb(3, 3, 3)},
        {"black on 254", rgb(254, 254, 254), 0, rgb(255, 255, 255)},
    };
    for (const Painter& painter : painters) {
        SCOPED_TRACE(painter.name);
        for (const Case& c : cases) {
            const ShadowSpec corner = spec(40, 40, 50, 50, 0, 32, 0, 0, c.shade, c.shade, c.shade);
            Picture picture(140, 140, c.background);
            painter.paint(picture, corner);
            for (const auto& [x, y] : {std::pair{40 - 32, 40 - 5}, std::pair{40 - 32, 90 + 5},
                                       std::pair{90 + 32, 40 - 5}, std::pair{90 + 32, 90 + 5}})
                EXPECT_EQ(picture.at(x, y), c.expected) << c.name << " at " << x << "," << y;
        }
    }
}

// Rounded corners: the inner circle of radius R takes the full shadow colour, pixels inside
// the rectangle's rounded outline are never painted.
TEST(DrawShadow, RoundedCornersFollowTheirCircles) {
    const ShadowSpec rounded = spec(30, 30, 60, 40, 10, 8, 0, 0, 0, 0, 0);
    for (const Painter& painter : painters) {
        SCOPED_TRACE(painter.name);
        Picture picture(130, 110, White);
        painter.paint(picture, rounded);
        // On the vertical through the top-left corner's centre (40, 40): row 30 lies on the
        // inner circle, row 22 on the outer one, row 26 half-way.
        EXPECT_EQ(picture.at(40, 30), 0u);
        EXPECT_EQ(picture.at(40, 22), White);
        EXPECT_EQ(picture.at(40, 26), rgb(128, 128, 128));
        EXPECT_EQ(picture.at(40, 31), White) << "inside the rectangle";
        EXPECT_EQ(picture.at(33, 36), White) << "inside the rounded outline";
        // The same on the mirrored corners.
        EXPECT_EQ(picture.at(80, 30), 0u);
        EXPECT_EQ(picture.at(80, 70), 0u);
        EXPECT_EQ(picture.at(40, 78), White);
    }
}

} // namespace
} // namespace orbek
