// The splash window through the registered Orbek_DLL.dll, as a host calls sSplash: over a
// patterned desktop of this host's own (painted on this thread, so the splash's pause for
// the desktop to repaint repaints it), the window shows centred, topmost and borderless with
// the host's texts, its margin shows the desktop with the drop shadow painted exactly as
// DrawShadow paints it, Enter closes it, "Info &Sys" (the mouse and Alt+S) closes it and opens
// the system information, and the timer closes it 12.345 seconds after it opened.
// Arguments: the screenshot file to write.
#include "host_checks.h"
#include "platform/win32/screen_copy.h"
#include "screenshot.h"
#include "splash/capture_and_shade.h"
#include "splash/draw_shadow.h"

#include <string>
#include <vector>
#include <windows.h>

using namespace wine_checks;
using namespace orbek;

namespace {

constexpr int Width = 733 + 2 * SplashMargin; // the artwork surface and the margin round it
constexpr int Height = 381 + 2 * SplashMargin;

// Diagonal bands of pale colours crossed by a fine grid: every pixel of the margin differs
// from its neighbours somewhere, so a copy from the wrong place shows.
COLORREF desktop_colour(int x, int y) {
    if (x % 24 == 0 || y % 24 == 0)
        return RGB(70, 90, 160);
    static const COLORREF bands[] = {RGB(250, 235, 200), RGB(200, 235, 250), RGB(235, 250, 200),
                                     RGB(250, 210, 230)};
    return bands[((x + y) / 40) % 4];
}

LRESULT CALLBACK desktop_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message != WM_PAINT)
        return DefWindowProcW(window, message, w, l);
    PAINTSTRUCT paint;
    HDC device = BeginPaint(window, &paint);
    for (int y = paint.rcPaint.top; y < paint.rcPaint.bottom; ++y)
        for (int x = paint.rcPaint.left; x < paint.rcPaint.right; ++x)
            SetPixelV(device, x, y, desktop_colour(x, y));
    EndPaint(window, &paint);
    return 0;
}

HWND open_desktop() {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = desktop_procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"OrbekTestPatternDesktop";
    RegisterClassW(&window_class);
    HWND window = CreateWindowExW(0, window_class.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, window_class.hInstance, nullptr);
    UpdateWindow(window);
    return window;
}

HWND splash_window() {
    HWND window = FindWindowW(L"OrbekForm", L"Form1");
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

HWND system_info_window() {
    return FindWindowW(L"MireldaSysSystemInfo", nullptr);
}

struct Texts {
    const wchar_t* company;
    const wchar_t* copyright;
    const wchar_t* version;
    const wchar_t* product;
};

CallResult splash(IDispatch* component, const Texts& texts) {
    Value company(texts.company), copyright(texts.copyright), version(texts.version),
        product(texts.product);
    return call(component, L"sSplash",
                {by_reference(company), by_reference(copyright), by_reference(version),
                 by_reference(product)});
}

HWND child_with_text(HWND window, const wchar_t* text) {
    HWND background = FindWindowExW(window, nullptr, L"OrbekFormPart", nullptr);
    HWND artwork =
        background ? FindWindowExW(background, nullptr, L"OrbekFormPart", nullptr) : nullptr;
    return artwork ? FindWindowExW(artwork, nullptr, nullptr, text) : nullptr;
}

void send_keys(std::initializer_list<std::pair<WORD, bool>> strokes) {
    std::vector<INPUT> inputs;
    for (const auto& [key, up] : strokes) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void click_at(POINT point) {
    INPUT inputs[3]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, inputs, sizeof(INPUT));
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
    report.equal("centred: left", place.left, source.x);
    report.equal("centred: top", place.top, source.y);
    report.equal("as wide as the artwork and its margin", place.right - place.left, Width);
    report.equal("as high as the artwork and its margin", place.bottom - place.top, Height);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    report.check("no border and no title bar", (style & (WS_CAPTION | WS_THICKFRAME)) == 0);
    report.check("topmost", (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    report.check("it has the keyboard", GetForegroundWindow() == window);

    struct Shown {
        const char* name;
        const wchar_t* text;
    };
    const Shown texts[] = {
        {"product", L"Tesmara"},
        {"version as passed", L" Versi\u00F3n 2.5 "},
        {"copyright", L"Copyright \u00A9 2026 Kalvix"},
        {"company trimmed, in capitals", L"ACME"},
        {"the maker", L"Kalvix Sistemas, S.A. de C.V."},
        {"the OK button", L"&OK"},
        {"the system button", L"Info &Sys"},
    };
    for (const Shown& shown : texts)
        report.check(std::string("shows the ") + shown.name,
                     child_with_text(window, shown.text) != nullptr);
    LOGFONTW font{};
    HWND company = child_with_text(window, L"ACME");
    if (company != nullptr)
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(company, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
    report.equal("the company line falls back to Times New Roman", font.lfFaceName,
                 L"Times New Roman");

    ScreenCopy shown(Width, Height);
    shown.copy_from_screen(source.x, source.y);
    const PixelBuffer on_screen = shown.pixels();
    const PixelBuffer shaded = expected.pixels();
    int differing = 0;
    int margin = 0;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const bool in_margin = x < SplashMargin || y < SplashMargin ||
                                   x >= Width - SplashMargin || y >= Height - SplashMargin;
            margin += in_margin;
            differing += in_margin && at(on_screen, x, y) != at(shaded, x, y);
        }
    report.equal("every margin pixel is the desktop shaded by DrawShadow", differing, 0);
    report.equal("margin pixels compared", margin, Width * Height - 733 * 381);
    // The first row below the artwork is nearly the full shadow colour.
    report.check("dark just below the artwork",
                 (at(on_screen, 400, Height - SplashMargin) & 0xFF) < 60);
}

// One way of pressing "Info &Sys": the splash goes, the system information comes.
void check_system_button(Report& report, IDispatch* component, const char* how,
                         void (*press)(HWND splash)) {
    splash(component, {L"acme", L"", L"", L"Tesmara"});
    pump_messages(300);
    HWND window = splash_window();
    if (!report.check(std::string(how) + ": the splash is open", window != nullptr))
        return;
    press(window);
    pump_messages(600);
    report.check(std::string(how) + ": the splash closes", !IsWindow(window));
    HWND information = system_info_window();
    report.check(std::string(how) + ": the system information opens",
                 information != nullptr && IsWindowVisible(information));
    if (information != nullptr)
        SendMessageW(information, WM_CLOSE, 0, 0);
    pump_messages(200);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    if (argc < 2) {
        report.check("arguments", false, "usage: splash_checks SCREENSHOT.bmp");
        report.done();
        return 0;
    }
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

    Value null_value;
    V_VT(null_value.get()) = VT_NULL;
    Value text(L"x");
    CallResult refused = call(
        component, L"sSplash",
        {by_reference(text), by_reference(null_value), by_reference(text), by_reference(text)});
    report.hresult("a Null text is error 94", refused.scode, 0x800A005E);
    report.check("and shows no window", splash_window() == nullptr);

    LARGE_INTEGER frequency, before, after;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&before);
    const CallResult opened = splash(component, {L"  acme  ", L"Copyright \u00A9 2026 Kalvix",
                                                 L" Versi\u00F3n 2.5 ", L"Tesmara"});
    QueryPerformanceCounter(&after);
    const ULONGLONG opened_at = GetTickCount64();
    report.hresult("sSplash returns", opened.result, S_OK);
    std::printf("# sSplash took %.1f ms to return\n",
                (after.QuadPart - before.QuadPart) * 1000.0 / frequency.QuadPart);
    HWND window = splash_window();
    if (report.check("the splash window is shown", window != nullptr)) {
        pump_messages(300);
        check_open_window(report, window, source, expected);
        report.check("the screenshot is written", save_screenshot(argv[1]));

        splash(component, {L"other", L"other", L"other", L"Other"});
        pump_messages(100);
        report.check("a call while open keeps the same window", splash_window() == window);
        report.check("and its texts", child_with_text(window, L"ACME") != nullptr &&
                                          child_with_text(window, L"OTHER") == nullptr);

        // Untouched, it closes itself 12.345 s after it opened.
        const ULONGLONG now = GetTickCount64();
        pump_messages(now < opened_at + 12000 ? static_cast<int>(opened_at + 12000 - now) : 0);
        report.check("still open after 12 s", IsWindow(window) != FALSE);
        while (IsWindow(window) && GetTickCount64() < opened_at + 14000)
            pump_messages(20);
        const ULONGLONG closed_after = GetTickCount64() - opened_at;
        report.check("closed by its timer 12.345 s after it opened",
                     !IsWindow(window) && closed_after >= 12300 && closed_after <= 13400,
                     "closed after " + std::to_string(closed_after) + " ms");
    }

    splash(component, {L"", L"", L"", L""});
    pump_messages(300);
    window = splash_window();
    report.check("the default company line",
                 window != nullptr && child_with_text(window, L"TESMARA II") != nullptr);
    send_keys({{VK_RETURN, false}, {VK_RETURN, true}});
    pump_messages(400);
    report.check("Enter closes it", window != nullptr && !IsWindow(window));

    check_system_button(report, component, "a click on Info &Sys", [](HWND splash) {
        RECT button{};
        GetWindowRect(child_with_text(splash, L"Info &Sys"), &button);
        click_at({(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    });
    check_system_button(report, component, "Alt+S", [](HWND) {
        send_keys({{VK_MENU, false}, {'S', false}, {'S', true}, {VK_MENU, true}});
    });

    component->Release();
    DestroyWindow(desktop);
    CoUninitialize();
    report.done();
    return 0;
}
