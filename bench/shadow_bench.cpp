// The splash window's drop shadow, painted one pixel at a time through the Surface interface
// and straight into the 32-bit image, on the splash's background in the same run. Each
// iteration paints over the picture the previous one left, so no copy is timed.
#include "splash/capture_and_shade.h"
#include "splash/draw_shadow.h"
#include "splash/picture.h"

#include <benchmark/benchmark.h>

namespace {

using namespace orbek;

// A desktop-like background: a gradient with a fine pattern over it.
Picture desktop(int width, int height) {
    Picture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.at(x, y) = static_cast<std::uint32_t>(
                ((x * 255 / width) << 16) | ((y * 255 / height) << 8) | ((x * 7 + y * 13) & 0xFF));
    return picture;
}

// The splash window's layout: the artwork surface with the margin on every side.
ShadowSpec splash_spec(int width, int height) {
    return capture_shadow_spec(SplashMargin, SplashShadowColour, SplashShadowOffsetX,
                               SplashShadowOffsetY, width, height);
}

void shadow_through_surface(benchmark::State& state) {
    const auto width = static_cast<int>(state.range(0));
    const auto height = static_cast<int>(state.range(1));
    Picture picture = desktop(width, height);
    const ShadowSpec spec = splash_spec(width, height);
    for (auto _ : state) {
        PixelBufferSurface surface(picture.buffer());
        DrawShadow(surface, spec);
        benchmark::ClobberMemory();
    }
}

void shadow_into_image(benchmark::State& state) {
    const auto width = static_cast<int>(state.range(0));
    const auto height = static_cast<int>(state.range(1));
    Picture picture = desktop(width, height);
    const ShadowSpec spec = splash_spec(width, height);
    for (auto _ : state) {
        DrawShadow(picture.buffer(), spec);
        benchmark::ClobberMemory();
    }
}

// 797 x 445: the splash window (its artwork surface of 733 x 381 and the margin of 32);
// 657 x 326: the artwork picture alone (593 x 262) with the margin.
BENCHMARK(shadow_through_surface)
    ->Name("BM_DrawShadow_Surface")
    ->Args({797, 445})
    ->Args({657, 326});
BENCHMARK(shadow_into_image)->Name("BM_DrawShadow_Image")->Args({797, 445})->Args({657, 326});

} // namespace
