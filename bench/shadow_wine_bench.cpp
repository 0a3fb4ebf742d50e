// The splash's drop shadow under Wine, the two ways in one run: pixel by pixel with GetPixel
// and SetPixel on the background's device context (what painting through a picture surface
// costs on Windows), and straight into the 32-bit bitmap of the screen copy. Prints one
// table row per way, in the form docs/performance.md uses.
#include "platform/win32/screen_copy.h"
#include "splash/capture_and_shade.h"
#include "splash/draw_shadow.h"

#include <cstdio>
#include <windows.h>

using namespace orbek;

namespace {

double seconds_now() {
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Paint> double seconds_per_run(int runs, Paint paint) {
    const double start = seconds_now();
    for (int i = 0; i < runs; ++i)
        paint();
    return (seconds_now() - start) / runs;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // The splash window: its artwork surface of 733 x 381 with the margin of 32 round it.
    const int width = argc > 2 ? _wtoi(argv[1]) : 797;
    const int height = argc > 2 ? _wtoi(argv[2]) : 445;
    ScreenCopy copy(width, height);
    copy.copy_from_screen(0, 0);
    const ShadowSpec spec = capture_shadow_spec(
        SplashMargin, SplashShadowColour, SplashShadowOffsetX, SplashShadowOffsetY, width, height);
    DeviceContextSurface surface(copy.device(), width, height);
    const double by_pixel = seconds_per_run(3, [&] { DrawShadow(surface, spec); });
    const double direct = seconds_per_run(300, [&] { DrawShadow(copy.pixels(), spec); });
    std::printf("| GetPixel/SetPixel on the device context (baseline), %dx%d | %.2f ms | 1 |\n",
                width, height, by_pixel * 1e3);
    std::printf("| into the 32-bit bitmap, %dx%d | %.3f ms | %.0f times quicker |\n", width, height,
                direct * 1e3, by_pixel / direct);
    return 0;
}
