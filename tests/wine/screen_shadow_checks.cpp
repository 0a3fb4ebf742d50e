// The splash's shadowed background under Wine: the screen rectangle a centred window covers
// is copied into a 32-bit bitmap with the same pixels the screen shows, the shadow painted
// into the bitmap directly equals the one painted pixel by pixel with GetPixel and SetPixel on
// its device context, and lands where and how it should. Then a mock of the splash window
// shows the copy with the artwork over it, for a screenshot.
// Arguments: the artwork BMP, the screenshot file to write.
#include "host_checks.h"
#include "platform/win32/screen_copy.h"
#include "screenshot.h"
#include "splash/capture_and_shade.h"
#include "splash/draw_shadow.h"

#include <string>
#include <windows.h>

using namespace wine_checks;
using namespace orbek;

namespace {

constexpr int ArtworkWidth = 733; // the artwork surface of the splash window
constexpr int ArtworkHeight = 381;
constexpr int Width = ArtworkWidth + 2 * SplashMargin;
constexpr int Height = ArtworkHeight + 2 * SplashMargin;

// What the desktop window paints: 0 white with two squares, 1 a gradient with shapes.
int desktop_look = 0;
ScreenCopy* splash_copy = nullptr;
HBITMAP artwork = nullptr;

void fill(HDC device, RECT area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(device, &area, brush);
    DeleteObject(brush);
}

LRESULT CALLBACK desktop_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, w, l);
    PAINTSTRUCT paint;
    HDC device = BeginPaint(window, &paint);
    RECT all{};
    GetClientRect(window, &all);
    if (desktop_look == 0) {
        fill(device, all, RGB(255, 255, 255));
        const POINT origin{(all.right - Width) / 2, (all.bottom - Height) / 2};
        fill(device, {origin.x + 600, origin.y + 300, origin.x + 700, origin.y + 400},
             RGB(255, 0, 0));
        fill(device, {origin.x + 740, origin.y + 200, origin.x + Width, origin.y + 260},
             RGB(0, 0, 255));
    } else {
        for (int y = 0; y < all.bottom; y += 4)
            fill(device, {0, y, all.right, y + 4},
                 RGB(30 + y * 60 / all.bottom, 110 + y * 80 / all.bottom,
                     150 + y * 90 / all.bottom));
        for (int i = 0; i < 12; ++i)
            fill(device, {80 + i * 100, 200 + (i % 3) * 220, 160 + i * 100, 260 + (i % 3) * 220},
                 RGB(250, 240 - i * 12, 120 + i * 10));
    }
    EndPaint(window, &paint);
    return 0;
}

// The mock splash: the shadowed copy as its background, the artwork over its middle.
LRESULT CALLBACK splash_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, w, l);
    PAINTSTRUCT paint;
    HDC device = BeginPaint(window, &paint);
    BitBlt(device, 0, 0, Width, Height, splash_copy->device(), 0, 0, SRCCOPY);
    fill(device,
         {SplashMargin, SplashMargin, SplashMargin + ArtworkWidth, SplashMargin + ArtworkHeight},
         RGB(18, 24, 58));
    if (artwork != nullptr) {
        HDC picture = CreateCompatibleDC(device);
        HGDIOBJ old = SelectObject(picture, artwork);
        BitBlt(device, SplashMargin, SplashMargin, 593, 262, picture, 0, 0, SRCCOPY);
        SelectObject(picture, old);
        DeleteDC(picture);
    }
    EndPaint(window, &paint);
    return 0;
}

HWND popup(const wchar_t* kind, WNDPROC procedure, RECT place, DWORD extended) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = kind;
    window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    RegisterClassW(&window_class);
    HWND window = CreateWindowExW(extended, kind, kind, WS_POPUP | WS_VISIBLE, place.left,
                                  place.top, place.right - place.left, place.bottom - place.top,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(window);
    return window;
}

std::uint32_t rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return (red << 16) | (green << 8) | blue;
}

std::uint32_t at(const PixelBuffer& image, int x, int y) {
    return image.pixels[static_cast<std::size_t>(y) * image.width + x] & 0x00FFFFFFu;
}

ScreenRectangle centred_rectangle() {
    const ScreenMeasure screen{GetSystemMetrics(SM_CXSCREEN) * 15.0,
                               GetSystemMetrics(SM_CYSCREEN) * 15.0, 15, 15};
    return capture_source(screen, Width, Height, Width, Height);
}

void check_copy_and_shadow(Report& report) {
    const ScreenRectangle source = centred_rectangle();
    ScreenCopy direct(Width, Height);
    ScreenCopy by_pixel(Width, Height);
    direct.copy_from_screen(source.x, source.y);
    by_pixel.copy_from_screen(source.x, source.y);
    const PixelBuffer copied = direct.pixels();

    HDC screen = GetDC(nullptr);
    int differing = 0;
    for (int y = 0; y < Height; y += 7)
        for (int x = 0; x < Width; x += 5)
            differing += colour_of_pixel(at(copied, x, y)) !=
                         static_cast<ColourValue>(GetPixel(screen, source.x + x, source.y + y));
    ReleaseDC(nullptr, screen);
    report.equal("the copy holds the pixels the screen shows", differing, 0);
    report.equal("white is copied as white", at(copied, 5, 5), rgb(255, 255, 255));
    report.equal("red is copied as red", at(copied, 650, 350), rgb(255, 0, 0));
    report.equal("blue is copied as blue", at(copied, 780, 230), rgb(0, 0, 255));

    const ShadowSpec spec =
        capture_shadow_spec(shadow_border(Width, ArtworkWidth), SplashShadowColour,
                            SplashShadowOffsetX, SplashShadowOffsetY, Width, Height);
    DrawShadow(direct.pixels(), spec);
    DeviceContextSurface surface(by_pixel.device(), Width, Height);
    DrawShadow(surface, spec);
    const PixelBuffer painted = direct.pixels();
    const PixelBuffer reference = by_pixel.pixels();
    differing = 0;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            differing += at(painted, x, y) != at(reference, x, y);
    report.equal("painting into the bitmap equals GetPixel/SetPixel pixel by pixel", differing, 0);

    struct Point {
        const char* name;
        int x, y;
        std::uint32_t colour;
    };
    const Point points[] = {
        {"inner left edge", 40, 142, rgb(50, 50, 40)},
        {"half-way through the left side", 24, 142, rgb(152, 152, 148)},
        {"outer left edge", 8, 142, rgb(255, 255, 255)},
        {"half-way through the top side", 340, 26, rgb(152, 152, 148)},
        {"inner bottom edge", 400, 412, rgb(50, 50, 40)},
        {"last pixel of the ring", 796, 444, rgb(255, 255, 255)},
        {"inside the rectangle", 650, 350, rgb(255, 0, 0)},
        {"half-way on blue", 780, 230, rgb(25, 25, 148)},
    };
    for (const Point& p : points)
        report.equal(std::string("shadow: ") + p.name, at(painted, p.x, p.y), p.colour);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    if (argc < 3) {
        report.check("arguments", false, "usage: screen_shadow_checks ARTWORK.bmp SCREENSHOT.bmp");
        report.done();
        return 0;
    }
    const RECT everything{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HWND desktop = popup(L"OrbekTestDesktop", desktop_procedure, everything, 0);
    pump_messages(400);
    check_copy_and_shadow(report);

    // The look of the finished effect, over a busier desktop.
    desktop_look = 1;
    InvalidateRect(desktop, nullptr, TRUE);
    pump_messages(400);
    const ScreenRectangle source = centred_rectangle();
    ScreenCopy copy(Width, Height);
    copy.copy_from_screen(source.x, source.y);
    DrawShadow(copy.pixels(),
               capture_shadow_spec(SplashMargin, SplashShadowColour, SplashShadowOffsetX,
                                   SplashShadowOffsetY, Width, Height));
    splash_copy = &copy;
    artwork = static_cast<HBITMAP>(
        LoadImageW(nullptr, argv[1], IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    report.check("the artwork loads as a bitmap", artwork != nullptr);
    BITMAP size{};
    if (artwork != nullptr && GetObjectW(artwork, sizeof(size), &size) != 0) {
        report.equal("the artwork is 593 pixels wide", size.bmWidth, 593);
        report.equal("the artwork is 262 pixels high", size.bmHeight, 262);
    }
    HWND splash = popup(L"OrbekTestSplash", splash_procedure,
                        {source.x, source.y, source.x + Width, source.y + Height}, WS_EX_TOPMOST);
    pump_messages(400);
    report.check("the screenshot is written", save_screenshot(argv[2]));
    DestroyWindow(splash);
    DestroyWindow(desktop);
    if (artwork != nullptr)
        DeleteObject(artwork);
    report.done();
    return 0;
}
