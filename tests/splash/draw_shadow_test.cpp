// Exact pixels of the drop shadow, painted into the image as the splash window paints it (the
// agreement test holds the Surface form to the same pixels).
#include "automation/vb_error.h"
#include "splash/capture_and_shade.h"
#include "splash/draw_shadow.h"
#include "splash/picture.h"
#include "support/error_number.h"

#include <gtest/gtest.h>
#include <random>

namespace orbek {
namespace {

using testing::error_number;

constexpr std::uint32_t White = 0x00FFFFFF;
constexpr std::uint32_t SplashShadowPixel = 0x00323228; // red 50, green 50, blue 40

std::uint32_t rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return (red << 16) | (green << 8) | blue;
}

// The splash window's background: the artwork of 733 x 381 pixels with the margin round it.
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
    // Visible, Size, the error, whether the ring is painted.
    const std::tuple<std::int16_t, std::int32_t, int, bool> cases[] = {
        {0, 32, 0, false},
        {0, 0, 0, false},
        {1, 32, 0, true},
        {HostTrue, 0, vb::InvalidProcedureCall, false},
        {HostTrue, -32, vb::InvalidProcedureCall, false}};
    for (const auto& [visible, size, error, painted] : cases) {
        ShadowSpec shadow = splash_spec();
        shadow.Visible = visible;
        shadow.Size = size;
        Picture picture(SplashWidth, SplashHeight, White), by_surface = picture;
        PixelBufferSurface surface(by_surface.buffer());
        EXPECT_EQ(error_number([&] { DrawShadow(surface, shadow); }), error);
        EXPECT_EQ(error_number([&] { DrawShadow(picture.buffer(), shadow); }), error);
        EXPECT_EQ(picture.pixels(), by_surface.pixels());
        EXPECT_EQ(picture.at(100, 42), painted ? SplashShadowPixel : White)
            << "visible " << visible << " size " << size;
        EXPECT_EQ(picture.at(100, 43), White) << "inside the rectangle";
    }
}

// Square corners and a ring one pixel wide: the rectangle's own outline, shifted by the
// offsets, takes exactly the shadow colour; the outline just outside it is read and written
// back unchanged; nothing else is touched.
TEST(DrawShadow, ThinRingPaintsOnlyTheShiftedOutline) {
    const ShadowSpec thin = spec(5, 6, 9, 7, 0, 1, 2, 3, 11, 22, 33);
    Picture picture = noise(24, 24, 2);
    Picture expected = picture;
    const int left = 5 + 2, top = 6 + 3, right = left + 9, bottom = top + 7;
    for (int x = left; x <= right; ++x)
        expected.at(x, top) = expected.at(x, bottom) = rgb(11, 22, 33);
    for (int y = top; y <= bottom; ++y)
        expected.at(left, y) = expected.at(right, y) = rgb(11, 22, 33);
    DrawShadow(picture.buffer(), thin);
    EXPECT_EQ(picture.pixels(), expected.pixels());
}

// The splash's own shadow on a noisy background: the inner boundary takes the shadow colour
// exactly whatever was there, the outer boundary keeps its colour, the inside of the
// rectangle and everything beyond the ring stay as they were.
TEST(DrawShadow, SplashRingBoundaries) {
    const ShadowSpec splash = splash_spec();
    const int X = splash.Left + splash.OffsetX, Y = splash.Top + splash.OffsetY;
    const int W = splash.Width, H = splash.Height, S = splash.Size;
    const Picture before = noise(SplashWidth, SplashHeight, 3);
    Picture after = before;
    DrawShadow(after.buffer(), splash);
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
}

// Single pixels. Half-way through the splash's ring white gives round(152.5) = 152 (halves to
// even) and round(147.5) = 148; a quarter in from the outside round(203.75) and round(201.25).
// Where a square corner's outer circle is rounded outwards, 32 left of the corner and 5 above
// it (distance 32.39) the shadow weight is -0.0121: white on black gives -3.09, taken as 3;
// black on 254 gives 257.1, counted as 255. A rounded corner's inner circle takes the full
// colour; inside its rounded outline nothing is painted.
TEST(DrawShadow, BlendsAndCorners) {
    const ShadowSpec splash = splash_spec();
    const int X = splash.Left + splash.OffsetX, Y = splash.Top + splash.OffsetY;
    const int R = X + splash.Width, B = Y + splash.Height;
    const ShadowSpec white = spec(40, 40, 50, 50, 0, 32, 0, 0, 255, 255, 255);
    const ShadowSpec black = spec(40, 40, 50, 50, 0, 32, 0, 0, 0, 0, 0);
    const ShadowSpec rounded = spec(30, 30, 60, 40, 10, 8, 0, 0, 0, 0, 0);
    const std::uint32_t half = rgb(152, 152, 148), quarter = rgb(204, 204, 201);
    const std::uint32_t grey = rgb(254, 254, 254);
    const struct {
        const ShadowSpec* shadow;
        std::uint32_t background;
        int x, y;
        std::uint32_t colour;
    } points[] = {
        {&splash, White, X - 16, Y + 100, half},
        {&splash, White, R + 16, Y + 100, half},
        {&splash, White, X + 300, Y - 16, half},
        {&splash, White, X + 300, B + 16, half},
        {&splash, White, X - 24, Y + 100, quarter},
        {&splash, White, R + 24, Y + 100, quarter},
        {&splash, White, X + 300, Y - 24, quarter},
        {&splash, White, X + 300, B + 24, quarter},
        {&splash, White, X - 11, Y - 11, rgb(150, 150, 145)},
        {&white, 0, 8, 35, rgb(3, 3, 3)},
        {&white, 0, 8, 95, rgb(3, 3, 3)},
        {&white, 0, 122, 35, rgb(3, 3, 3)},
        {&white, 0, 122, 95, rgb(3, 3, 3)},
        {&black, grey, 8, 35, White},
        {&black, grey, 8, 95, White},
        {&black, grey, 122, 35, White},
        {&black, grey, 122, 95, White},
        {&rounded, White, 40, 30, 0},
        {&rounded, White, 40, 22, White},
        {&rounded, White, 40, 26, rgb(128, 128, 128)},
        {&rounded, White, 40, 31, White},
        {&rounded, White, 33, 36, White},
        {&rounded, White, 80, 30, 0},
        {&rounded, White, 80, 70, 0},
        {&rounded, White, 40, 78, White},
    };
    for (const auto& point : points) {
        Picture picture(SplashWidth, SplashHeight, point.background);
        DrawShadow(picture.buffer(), *point.shadow);
        EXPECT_EQ(picture.at(point.x, point.y), point.colour) << point.x << "," << point.y;
    }
}

} // namespace
} // namespace orbek
