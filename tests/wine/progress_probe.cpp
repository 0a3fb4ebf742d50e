// The progress windows of component_progress.vbs read from outside, as a person reads the
// screen: only what the system keeps (visibility, size, window texts, where the bar and the
// dial keep their value), never a message to the script's thread, blocked in Run meanwhile.
//   progress_probe FORM OUT                 the form's line into OUT (UTF-16)
//   progress_probe shot BMP OUT             the screen into BMP, then "shot" into OUT
//   progress_probe run-down BMP READY OUT   makes READY, waits until FrmProgressBar's bar is
//                                           between 60 and 1, saves the screen into BMP and
//                                           writes "shot at bar N" into OUT
//   progress_probe wait FILE                waits until FILE exists (the script has no Sleep)
// A form's line: "not loaded", or its state, caption, client width and window height in twips,
// then its dial, bars and labels from top to bottom:
//   shown, "Procesando ...", width 4710, height 3135, dial 25, "Registro 25", bar 25
#include "host_checks.h"
#include "screenshot.h"

#include <algorithm>
#include <cstdio>

using namespace wine_checks;

namespace {

std::vector<HWND> top_to_bottom(HWND form) {
    std::vector<HWND> found = descendants(form);
    std::stable_sort(found.begin(), found.end(), [](HWND a, HWND b) {
        RECT first{}, second{};
        GetWindowRect(a, &first);
        GetWindowRect(b, &second);
        return first.top < second.top;
    });
    return found;
}

HWND child_of_class(HWND form, const wchar_t* name) {
    return descendant(form, [&](HWND child) { return class_of(child) == name; });
}

// FrmProgressBar holds a dial and a bar, FrmProgShow bars only (the hidden window that keeps
// FrmProgressBar off the taskbar holds nothing).
HWND find_form(const std::wstring& name) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"OrbekForm", nullptr)) != nullptr) {
        const bool dial = child_of_class(window, L"QLBGauge") != nullptr;
        if (child_of_class(window, L"QLBBarraVista") && dial == (name == L"FrmProgressBar")) {
            return window;
        }
    }
    return nullptr;
}

int twips(int pixels, int axis) {
    HDC screen = GetDC(nullptr);
    const int dots = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return MulDiv(pixels, 1440, dots);
}

std::wstring describe(HWND form) {
    if (form == nullptr) {
        return L"not loaded";
    }
    RECT frame{}, client{};
    GetWindowRect(form, &frame);
    GetClientRect(form, &client);
    std::wstring line = std::wstring(IsWindowVisible(form) ? L"shown" : L"hidden") + L", \"" +
                        text_of(form) + L"\", width " +
                        std::to_wstring(twips(client.right, LOGPIXELSX)) + L", height " +
                        std::to_wstring(twips(frame.bottom - frame.top, LOGPIXELSY));
    for (HWND child : top_to_bottom(form)) {
        const std::wstring kind = class_of(child);
        if (kind == L"QLBGauge") {
            line += L", dial " + text_of(child);
        } else if (kind == L"QLBBarraVista") {
            line += L", bar " + text_of(child);
        } else if (!GetWindow(child, GW_CHILD) &&
                   !(GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) {
            line += L", \"" + text_of(child) + L"\""; // a label: no children, no border
        }
    }
    return line;
}

bool exists(const wchar_t* path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

// With its byte-order mark, which the script's file object reads as Unicode.
int answer(const wchar_t* path, const std::wstring& line) {
    FILE* out = _wfopen(path, L"wb");
    const std::wstring text = L"\xFEFF" + line;
    return out && std::fwrite(text.data(), sizeof(wchar_t), text.size(), out) == text.size() &&
                   std::fclose(out) == 0
               ? 0
               : 1;
}

int shoot(const wchar_t* bmp, const wchar_t* out, const std::wstring& said) {
    return answer(out, save_screenshot(bmp) ? said : L"no screenshot");
}

int shoot_run_down(const wchar_t* bmp, const wchar_t* ready, const wchar_t* out) {
    answer(ready, L"ready");
    for (int waited = 0; waited < 2000; Sleep(5), ++waited) {
        const HWND bar = child_of_class(find_form(L"FrmProgressBar"), L"QLBBarraVista");
        const int value = bar ? _wtoi(text_of(bar).c_str()) : 0;
        if (value >= 1 && value <= 60) {
            Sleep(30); // the step drawn by the script's thread, not only stored
            return shoot(bmp, out, L"shot at bar " + std::to_wstring(value));
        }
    }
    return answer(out, L"the run-down never came");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"shot" && argc == 4) {
        return shoot(argv[2], argv[3], L"shot");
    }
    if (command == L"run-down" && argc == 5) {
        return shoot_run_down(argv[2], argv[3], argv[4]);
    }
    if (command == L"wait" && argc == 3) {
        for (int waited = 0; waited < 1000 && !exists(argv[2]); ++waited) {
            Sleep(10);
        }
        return exists(argv[2]) ? 0 : 1;
    }
    if (argc == 3) {
        return answer(argv[2], describe(find_form(command)));
    }
    std::fputs(
        "usage: progress_probe FORM OUT | shot BMP OUT | run-down BMP READY OUT | wait FILE\n",
        stderr);
    return 2;
}
