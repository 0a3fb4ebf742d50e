// sSplash through the registered DLL, over a patterned desktop of this host's own (painted on
// this thread, so the splash's pause for the desktop to repaint repaints it): centred,
// topmost, borderless, the host's texts, the margin the desktop shaded exactly as DrawShadow
// shades it; Enter, "Info &Sys" (mouse, Alt+S) and the 12.345 s timer close it.
// Arguments: the screenshot file to write.
#include "host_checks.h"
#include "platform/win32/screen_copy.h"
#include "screenshot.h"
#include "splash/capture_and_shade.h"
#include "splash/draw_shadow.h"

#include <memory>
#include <windows.h>

using namespace wine_checks;
using namespace orbek;

namespace {

constexpr int Width = 733 + 2 * SplashMargin; // the artwork surface and the margin round it
constexpr int Height = 381 + 2 * SplashMargin;

// Diagonal bands of pale colours crossed by a fine grid: a copy from the wrong place shows.
std::unique_ptr<ScreenCopy> pattern;

LRESULT CALLBACK desktop_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, w, l);
    PAINTSTRUCT paint;
    HDC device = BeginPaint(window, &paint);
    BitBlt(device, 0, 0, pattern->width(), pattern->height(), pattern->device(), 0, 0, SRCCOPY);
    EndPaint(window, &paint);
    return 0;
}

HWND open_desktop() {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    pattern = std::make_unique<ScreenCopy>(width, height);
    const PixelBuffer pixels = pattern->pixels();
    const std::uint32_t bands[] = {0xFAEBC8, 0xC8EBFA, 0xEBFAC8, 0xFAD2E6};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.pixels[y * width + x] =
                x % 24 == 0 || y % 24 == 0 ? 0x465AA0 : bands[((x + y) / 40) % 4];
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = desktop_procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"OrbekTestPatternDesktop";
    RegisterClassW(&window_class);
    return CreateWindowExW(0, window_class.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, width,
                           height, nullptr, nullptr, window_class.hInstance, nullptr);
}

HWND splash_window() {
    HWND window = FindWindowW(L"OrbekForm", L"Form1");
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

CallResult splash(IDispatch* component, const wchar_t* company, Value copyright = Value(L"(c)"),
                  const wchar_t* version = L"1.0") {
    Value texts[] = {Value(company), copyright, Value(version), Value(L"Tesmara")};
    return call(component, L"sSplash",
                {by_reference(texts[0]), by_reference(texts[1]), by_reference(texts[2]),
                 by_reference(texts[3])});
}

HWND control_showing(HWND window, const wchar_t* text) {
    return descendant(window, [&](HWND control) { return text_of(control) == text; });
}

// The keys pressed in order and let go in the reverse order.
void send_keys(std::initializer_list<BYTE> keys) {
    for (BYTE key : keys)
        keybd_event(key, 0, 0, 0);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
}

void click_on(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    SetCursorPos((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

std::uint32_t at(const PixelBuffer& image, int x, int y) {
    return image.pixels[static_cast<std::size_t>(y) * image.width + x] & 0x00FFFFFFu;
}

// The window as it opens: its place and kind, its texts and fonts, and its margin pixel
// for pixel against the desktop copy shaded by DrawShadow.
void check_open_window(Report& report, HWND window, const ScreenRectangle& source,
                       ScreenCopy& expected) {
    RECT place{};
    GetWindowRect(window, &place);
    auto place_text = [](int x, int y, int width, int height) {
        return std::to_wstring(x) + L"," + std::to_wstring(y) + L" " + std::to_wstring(width) +
               L"x" + std::to_wstring(height);
    };
    report.equal(
        "centred, the artwork and its margin",
        place_text(place.left, place.top, place.right - place.left, place.bottom - place.top),
        place_text(source.x, source.y, Width, Height));
    report.check("no border and no title bar",
                 (GetWindowLongPtrW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME)) == 0);
    report.check("topmost", (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    report.check("it has the keyboard", GetForegroundWindow() == window);
    for (const wchar_t* text : {L"Tesmara", L" Versi\u00F3n 2.5 ", L"Copyright \u00A9 2026",
                                L"ACME", L"Kalvix Sistemas, S.A. de C.V.", L"&OK", L"Info &Sys"})
        report.check("shows " + utf8(text), control_showing(window, text) != nullptr);
    LOGFONTW font{};
    if (HWND company = control_showing(window, L"ACME"))
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(company, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
    report.equal("the company line falls back to Times New Roman", font.lfFaceName,
                 L"Times New Roman");

    ScreenCopy shown(Width, Height);
    shown.copy_from_screen(source.x, source.y);
    const PixelBuffer on_screen = shown.pixels();
    const PixelBuffer shaded = expected.pixels();
    int differing = 0;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const bool margin = x < SplashMargin || y < SplashMargin || x >= Width - SplashMargin ||
                                y >= Height - SplashMargin;
            differing += margin && at(on_screen, x, y) != at(shaded, x, y);
        }
    report.equal("every margin pixel is the desktop shaded by DrawShadow", differing, 0);
    // The first row below the artwork is nearly the full shadow colour.
    report.check("dark just below the artwork",
                 (at(on_screen, 400, Height - SplashMargin) & 0xFF) < 60);
}

// One way of pressing "Info &Sys": the splash goes, the system information comes.
void check_system_button(Report& report, IDispatch* component, const std::string& how,
                         void (*press)(HWND splash)) {
    splash(component, L"acme");
    pump_messages(300);
    HWND window = splash_window();
    if (!report.check(how + ": the splash is open", window != nullptr))
        return;
    press(window);
    pump_messages(600);
    report.check(how + ": the splash closes", !IsWindow(window));
    HWND information = FindWindowW(L"MireldaSysSystemInfo", nullptr);
    report.check(how + ": the system information opens",
                 information != nullptr && IsWindowVisible(information));
    SendMessageW(information, WM_CLOSE, 0, 0);
    pump_messages(200);
}

// Untouched, the window closes itself 12.345 s after it opened.
void check_timer(Report& report, HWND window, ULONGLONG opened_at) {
    while (IsWindow(window) && GetTickCount64() < opened_at + 12000)
        pump_messages(20);
    report.check("still open after 12 s", IsWindow(window) != FALSE);
    while (IsWindow(window) && GetTickCount64() < opened_at + 14000)
        pump_messages(20);
    const ULONGLONG closed_after = GetTickCount64() - opened_at;
    report.check("closed by its timer 12.345 s after it opened",
                 !IsWindow(window) && closed_after >= 12300 && closed_after <= 13400,
                 "closed after " + std::to_string(closed_after) + " ms");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    if (!report.check("arguments", argc == 2, "usage: splash_checks SCREENSHOT.bmp"))
        return 2;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWND desktop = open_desktop();
    pump_messages(400);

    const ScreenMeasure screen{GetSystemMetrics(SM_CXSCREEN) * 15.0,
                               GetSystemMetrics(SM_CYSCREEN) * 15.0, 15, 15};
    const ScreenRectangle source = capture_source(screen, Width, Height, Width, Height);
    ScreenCopy expected(Width, Height);
    expected.copy_from_screen(source.x, source.y);
    DrawShadow(expected.pixels(),
               capture_shadow_spec(SplashMargin, SplashShadowColour, SplashShadowOffsetX,
                                   SplashShadowOffsetY, Width, Height));

    HRESULT created = E_FAIL;
    IDispatch* component = create_by_prog_id(L"Orbek_DLL.OrbekDLL", &created);
    if (!report.hresult("Orbek_DLL.OrbekDLL is created", created, S_OK)) {
        report.done();
        return 0;
    }
    report.hresult("a Null text is error 94",
                   splash(component, L"x", Value::of_type(VT_NULL)).scode, 0x800A005E);
    report.check("and shows no window", splash_window() == nullptr);

    const CallResult opened =
        splash(component, L"  acme  ", Value(L"Copyright \u00A9 2026"), L" Versi\u00F3n 2.5 ");
    const ULONGLONG opened_at = GetTickCount64();
    report.hresult("sSplash returns", opened.result, S_OK);
    HWND window = splash_window();
    if (report.check("the splash window is shown", window != nullptr)) {
        pump_messages(300);
        check_open_window(report, window, source, expected);
        report.check("the screenshot is written", save_screenshot(argv[1]));
        splash(component, L"other");
        pump_messages(100);
        report.check("a call while open keeps the same window and its texts",
                     splash_window() == window && control_showing(window, L"ACME") != nullptr);
        check_timer(report, window, opened_at);
    }

    splash(component, L"");
    pump_messages(300);
    window = splash_window();
    report.check("the default company line",
                 window != nullptr && control_showing(window, L"TESMARA II") != nullptr);
    send_keys({VK_RETURN});
    pump_messages(400);
    report.check("Enter closes it", window != nullptr && !IsWindow(window));
    check_system_button(report, component, "a click on Info &Sys",
                        [](HWND splash) { click_on(control_showing(splash, L"Info &Sys")); });
    check_system_button(report, component, "Alt+S", [](HWND) { send_keys({VK_MENU, 'S'}); });

    component->Release();
    DestroyWindow(desktop);
    CoUninitialize();
    report.done();
    return 0;
}
