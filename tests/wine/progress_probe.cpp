// Looks at the progress windows of the process that started it (component_progress.vbs) from
// outside, as a person looks at the screen. It asks only what the system keeps (visibility,
// size, window texts: the bar and the dial keep their value there), never a message to the
// script's thread, which is blocked in WScript.Shell's Run until this program ends.
//
//   progress_probe FORM OUT                 one line describing the window, into OUT
//   progress_probe shot BMP OUT             the screen into BMP, then "shot" into OUT
//   progress_probe run-down BMP READY OUT   makes READY, waits until FrmProgressBar's bar is
//                                           between 60 and 1, saves the screen into BMP and
//                                           writes "shot at bar N" into OUT
//   progress_probe wait FILE                waits until FILE exists (the script has no Sleep)
//
// FORM is FrmProgressBar (the window holding a dial) or FrmProgShow (bars and no dial). Its
// line is "not loaded", or its state, caption, the client area's width and the whole window's
// height in twips, then its dial, bars and text lines from top to bottom:
//   shown, "Procesando ...", width 4710, height 3135, dial 25, "Registro 25", bar 25
#include "screenshot.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>
// clang-format off
#include <windows.h>
#include <tlhelp32.h> // after windows.h, which it needs
// clang-format on

namespace {

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The text the system keeps for the window; no message is sent to its thread.
std::wstring text_of(HWND window) {
    wchar_t text[512] = {};
    InternalGetWindowText(window, text, 512);
    return text;
}

BOOL CALLBACK collect(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// The window's children from top to bottom.
std::vector<HWND> children_of(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&found));
    std::stable_sort(found.begin(), found.end(), [](HWND a, HWND b) {
        RECT first{};
        RECT second{};
        GetWindowRect(a, &first);
        GetWindowRect(b, &second);
        return first.top < second.top;
    });
    return found;
}

HWND child_of_class(HWND form, const wchar_t* class_name) {
    for (HWND child : form ? children_of(form) : std::vector<HWND>{}) {
        if (class_of(child) == class_name) {
            return child;
        }
    }
    return nullptr;
}

DWORD parent_process() {
    DWORD parent = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) {
            parent = entry.th32ParentProcessID;
        }
    }
    CloseHandle(snapshot);
    return parent;
}

// The component's forms are windows of class "OrbekForm"; which is which shows in what they
// hold (the hidden window that keeps FrmProgressBar off the taskbar holds nothing).
HWND find_form(const std::wstring& name) {
    static const DWORD script = parent_process();
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"OrbekForm", nullptr)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        const bool dial = child_of_class(window, L"QLBGauge") != nullptr;
        const bool bars = child_of_class(window, L"QLBBarraVista") != nullptr;
        if (process == script && bars && dial == (name == L"FrmProgressBar")) {
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
    RECT frame{};
    RECT client{};
    GetWindowRect(form, &frame);
    GetClientRect(form, &client);
    std::wstring line = std::wstring(IsWindowVisible(form) ? L"shown" : L"hidden") + L", \"" +
                        text_of(form) + L"\", width " +
                        std::to_wstring(twips(client.right, LOGPIXELSX)) + L", height " +
                        std::to_wstring(twips(frame.bottom - frame.top, LOGPIXELSY));
    for (HWND child : children_of(form)) {
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

// As UTF-16 with its byte-order mark, which the script's file object reads as Unicode.
int answer(const wchar_t* path, const std::wstring& line) {
    FILE* out = _wfopen(path, L"wb");
    if (out == nullptr) {
        return 1;
    }
    const std::wstring text = L"\xFEFF" + line;
    std::fwrite(text.data(), sizeof(wchar_t), text.size(), out);
    return std::fclose(out) == 0 ? 0 : 1;
}

int shoot(const wchar_t* bmp, const wchar_t* out, const std::wstring& said) {
    return answer(out, wine_checks::save_screenshot(bmp) ? said : L"no screenshot");
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
