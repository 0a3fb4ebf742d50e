// The image form of the drop shadow paints exactly the pixels the Surface form paints, on
// random pictures and random shadows (a failing round is found again from its number):
// rings inside the picture, across its edges and wholly outside it, narrow rectangles whose
// passes overlap, rounded and negative radii.
#include "splash/capture_and_shade.h"
#include "splash/draw_shadow.h"
#include "splash/picture.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace orbek {
namespace {

class Random {
  public:
    explicit Random(unsigned seed) : engine_(seed) {}
    int between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine_);
    }
    std::uint32_t bits() { return static_cast<std::uint32_t>(engine_()); }

    Picture picture(int width, int height) {
        Picture picture(width, height);
        // Flat patches as well as noise, so that equal neighbours are common, and a fourth
        // byte that both forms must clear.
        const bool patches = between(0, 1) == 1;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture.at(x, y) =
                    patches ? 0xFF000000u | ((x / 4 + y / 4) % 3) * 0x00405070u : bits();
        return picture;
    }

    ShadowSpec shadow(int width, int height) {
        ShadowSpec s;
        s.Left = between(-15, width + 5);
        s.Top = between(-15, height + 5);
        s.Width = between(-6, width);
        s.Height = between(-6, height);
        s.Radius = between(0, 3) == 0 ? between(-4, 2) : between(0, 14);
        s.Size = between(1, 3) == 0 ? 1 : between(1, 20);
        s.OffsetX = between(-12, 12);
        s.OffsetY = between(-12, 12);
        s.Visible = between(0, 9) == 0 ? 0 : (between(0, 1) ? HostTrue : 1);
        s.Red = static_cast<std::uint8_t>(bits());
        s.Green = static_cast<std::uint8_t>(bits());
        s.Blue = static_cast<std::uint8_t>(bits());
        return s;
    }

  private:
    std::mt19937 engine_;
};

bool same_pixels(const ShadowSpec& spec, Picture picture) {
    Picture by_surface = picture;
    PixelBufferSurface surface(by_surface.buffer());
    DrawShadow(surface, spec);
    DrawShadow(picture.buffer(), spec);
    return by_surface.pixels() == picture.pixels();
}

TEST(DrawShadowAgreement, RandomPicturesAndShadows) {
    Random random(20261205);
    constexpr int Rounds = 4000;
    int painted = 0;
    for (int round = 0; round < Rounds; ++round) {
        const int width = random.between(1, 48);
        const int height = random.between(1, 48);
        const ShadowSpec spec = random.shadow(width, height);
        const Picture picture = random.picture(width, height);
        ASSERT_TRUE(same_pixels(spec, picture)) << "round " << round;
        painted += spec.Visible != 0;
    }
    EXPECT_GT(painted, Rounds * 8 / 10);
}

// Shadows of the splash's kind on pictures of its size, with random margins and offsets.
TEST(DrawShadowAgreement, SplashLikeShadows) {
    Random random(7);
    for (int round = 0; round < 40; ++round) {
        const int width = random.between(120, 300);
        const int height = random.between(80, 200);
        const int margin = random.between(1, 40);
        const ColourValue colour = static_cast<ColourValue>(random.bits() & 0xFFFFFFu);
        const ShadowSpec spec = capture_shadow_spec(margin, colour, random.between(-10, 20),
                                                    random.between(-10, 20), width, height);
        ASSERT_TRUE(same_pixels(spec, random.picture(width, height))) << "round " << round;
    }
}

// Rings far larger than the picture, far away from it or at the ends of the 32-bit range:
// the image form visits only what lies inside (else this would run for hours) and nothing
// overflows; a ring wholly beside the picture leaves it as it was.
TEST(DrawShadowAgreement, ExtremeShadowsStayWithinThePicture) {
    constexpr std::int32_t Most = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t Least = std::numeric_limits<std::int32_t>::min();
    const ShadowSpec extremes[] = {
        {Least, Least, Most, Most, 0, HostTrue, Most, 0, 0, 9, 9, 9},
        {-1000000, -1000000, 2000000, 2000000, 999990, HostTrue, 1000000, 7, 7, 9, 9, 9},
        {Most, Most, Most, Most, Most, HostTrue, Most, Most, Most, 9, 9, 9},
        {0, 0, 10, 10, Least, HostTrue, Most, Least, Least, 9, 9, 9},
        {5, 5, -Most, -Most, 3, HostTrue, 50, 0, 0, 9, 9, 9},
    };
    for (const ShadowSpec& spec : extremes) {
        Picture picture(64, 48, 0x00FFFFFF);
        DrawShadow(picture.buffer(), spec);
    }
    // Small rings beside the picture, one of them past the 32-bit range whose rows would wrap
    // round into the picture: both forms leave it as it was.
    for (const ShadowSpec& spec : {ShadowSpec{200, 200, 50, 50, 5, HostTrue, 20, 0, 0, 0, 0, 0},
                                   ShadowSpec{0, Most, 10, 2, 0, HostTrue, 3, 0, Most, 0, 0, 0}}) {
        Picture picture(64, 48, 0x00FFFFFF);
        ASSERT_TRUE(same_pixels(spec, picture));
        DrawShadow(picture.buffer(), spec);
        EXPECT_EQ(picture.pixels(), Picture(64, 48, 0x00FFFFFF).pixels());
    }
}

} // namespace
} // namespace orbek
