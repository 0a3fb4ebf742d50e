#include "system_info_window.h"

#include "automation/vb_error.h"
#include "platform/win32/automation/server_module.h"

#include <string>
#include <vector>

namespace orbek::com {

namespace {

constexpr wchar_t Title[] = L"Información del sistema";
constexpr int Margin = 16;
constexpr int LabelWidth = 130;
constexpr int ValueWidth = 470;
constexpr int LineHeight = 24;
constexpr int ButtonWidth = 96;
constexpr int ButtonHeight = 28;
constexpr int CopyButton = 1;
constexpr int CloseButton = 2;
constexpr int FirstValue = 100; // control ids of the values: 100 + line

std::wstring wide(TextView text) {
    return {text.begin(), text.end()};
}

Text text_of(const wchar_t* text) {
    return {text, text + wcslen(text)};
}

// --- The facts ---------------------------------------------------------------------------

WindowsVersion windows_version() {
    WindowsVersion version;
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    // RtlGetVersion tells the truth; GetVersionEx answers what the host's manifest allows.
    using RtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    const auto get = reinterpret_cast<RtlGetVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    if (get == nullptr || get(&info) != 0)
        return version;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.build = info.dwBuildNumber;
    version.workstation = info.wProductType == VER_NT_WORKSTATION || info.wProductType == 0;
    version.service_pack = text_of(info.szCSDVersion);
    return version;
}

Text processor_name() {
    wchar_t name[256] = {};
    DWORD size = sizeof(name);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                     L"ProcessorNameString", RRF_RT_REG_SZ, nullptr, name, &size) != ERROR_SUCCESS)
        return {};
    return text_of(name);
}

ModuleVersion module_version(const std::wstring& path) {
    ModuleVersion module;
    if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return module;
    module.found = true;
    module.path = Text(path.begin(), path.end());
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<unsigned char> record(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (size != 0 && GetFileVersionInfoW(path.c_str(), 0, size, record.data()) &&
        VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
        fixed != nullptr && length >= sizeof(VS_FIXEDFILEINFO)) {
        module.version = {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                          HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
    }
    return module;
}

std::wstring module_path(HMODULE module) {
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH * 2);
    return length == 0 || length >= MAX_PATH * 2 ? std::wstring() : std::wstring(path, length);
}

// The component loaded in this process; else the one beside this library, where both are
// installed together.
std::wstring component_path() {
    if (HMODULE loaded = GetModuleHandleW(L"Orbek_DLL.dll"))
        return module_path(loaded);
    std::wstring path = server_path();
    const std::size_t folder = path.find_last_of(L"\\/");
    return folder == std::wstring::npos ? std::wstring()
                                        : path.substr(0, folder + 1) + L"Orbek_DLL.dll";
}

Text architecture_name(WORD architecture) {
    switch (architecture) {
    case PROCESSOR_ARCHITECTURE_AMD64:
        return u"x64";
    case PROCESSOR_ARCHITECTURE_INTEL:
        return u"x86";
    case PROCESSOR_ARCHITECTURE_ARM64:
        return u"ARM64";
    case PROCESSOR_ARCHITECTURE_ARM:
        return u"ARM";
    case PROCESSOR_ARCHITECTURE_IA64:
        return u"IA-64";
    default:
        return u"arquitectura desconocida";
    }
}

// --- The window ----------------------------------------------------------------------------

// What one open window owns, kept in its user data.
struct WindowData {
    HFONT font = nullptr;
    HFONT bold = nullptr;
    std::vector<FactLine> lines;
};

HFONT message_font(bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    if (bold)
        metrics.lfMessageFont.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

HWND child(HWND parent, const wchar_t* kind, const std::wstring& text, DWORD style, int x, int y,
           int width, int height, int id, HFONT font) {
    HWND control = CreateWindowExW(
        0, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), server_module(), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void fill(HWND window, WindowData& data) {
    data.lines = system_fact_lines(gather_system_facts());
    for (std::size_t i = 0; i < data.lines.size(); ++i) {
        const int id = FirstValue + static_cast<int>(i);
        if (HWND existing = GetDlgItem(window, id)) {
            SetWindowTextW(existing, wide(data.lines[i].value).c_str());
            continue;
        }
        const int y = Margin + static_cast<int>(i) * LineHeight;
        child(window, L"STATIC", wide(data.lines[i].label) + L":", SS_NOPREFIX, Margin, y,
              LabelWidth, LineHeight - 4, -1, data.bold);
        child(window, L"STATIC", wide(data.lines[i].value),
              SS_NOPREFIX | SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS, Margin + LabelWidth, y, ValueWidth,
              LineHeight - 4, id, data.font);
    }
}

void copy_to_clipboard(HWND window, const WindowData& data) {
    const std::wstring text = wide(system_facts_text(data.lines));
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr)
        return;
    memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (OpenClipboard(window)) {
        EmptyClipboard();
        if (SetClipboardData(CF_UNICODETEXT, memory) != nullptr)
            memory = nullptr; // the clipboard owns it now
        CloseClipboard();
    }
    if (memory != nullptr)
        GlobalFree(memory);
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* data = reinterpret_cast<WindowData*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE:
        // A window keeps the library loaded until it is gone: released in WM_NCDESTROY,
        // which every window that got this message receives.
        hold_server();
        break;
    case WM_CREATE: {
        data = new WindowData;
        data->font = message_font(false);
        data->bold = message_font(true);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
        fill(window, *data);
        RECT client{};
        GetClientRect(window, &client);
        const int y = client.bottom - Margin - ButtonHeight;
        child(window, L"BUTTON", L"Co&piar", BS_PUSHBUTTON | WS_TABSTOP,
              client.right - Margin - 2 * ButtonWidth - 8, y, ButtonWidth, ButtonHeight, CopyButton,
              data->font);
        child(window, L"BUTTON", L"&Cerrar", BS_DEFPUSHBUTTON | WS_TABSTOP,
              client.right - Margin - ButtonWidth, y, ButtonWidth, ButtonHeight, CloseButton,
              data->font);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(w) == CloseButton) {
            DestroyWindow(window);
        } else if (LOWORD(w) == CopyButton && data != nullptr) {
            copy_to_clipboard(window, *data);
            SetFocus(window);
        }
        return 0;
    case WM_KEYDOWN:
        // The host's message loop knows nothing of dialog keys: the window takes its own.
        if (w == VK_ESCAPE || w == VK_RETURN) {
            DestroyWindow(window);
            return 0;
        }
        break;
    case WM_SYSCHAR:
        if (w == L'c' || w == L'C') {
            DestroyWindow(window);
            return 0;
        }
        if ((w == L'p' || w == L'P') && data != nullptr) {
            copy_to_clipboard(window, *data);
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(w), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_NCDESTROY:
        if (data != nullptr) {
            DeleteObject(data->font);
            DeleteObject(data->bold);
            delete data;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        }
        release_server();
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, w, l);
}

void register_window_class() {
    WNDCLASSEXW kind{};
    kind.cbSize = sizeof(kind);
    if (GetClassInfoExW(server_module(), SystemInfoWindowClass, &kind))
        return;
    kind.lpfnWndProc = window_procedure;
    kind.hInstance = server_module();
    kind.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    kind.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION));
    kind.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    kind.lpszClassName = SystemInfoWindowClass;
    if (RegisterClassExW(&kind) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw VbError(vb::OutOfMemory);
}

BOOL CALLBACK find_own_window(HWND window, LPARAM found) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (wcscmp(name, SystemInfoWindowClass) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

SystemFacts gather_system_facts() {
    SystemFacts facts;
    facts.windows = windows_version();
    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system);
    const WORD architecture = system.wProcessorArchitecture;
    facts.windows_64_bit = architecture == PROCESSOR_ARCHITECTURE_AMD64 ||
                           architecture == PROCESSOR_ARCHITECTURE_ARM64 ||
                           architecture == PROCESSOR_ARCHITECTURE_IA64;
    facts.processor_architecture = architecture_name(architecture);
    facts.processors = system.dwNumberOfProcessors;
    facts.processor_name = processor_name();
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof(memory);
    if (GlobalMemoryStatusEx(&memory)) {
        facts.memory_total = memory.ullTotalPhys;
        facts.memory_free = memory.ullAvailPhys;
    }
    facts.screen_width = GetSystemMetrics(SM_CXSCREEN);
    facts.screen_height = GetSystemMetrics(SM_CYSCREEN);
    facts.monitors = GetSystemMetrics(SM_CMONITORS);
    if (HDC screen = GetDC(nullptr)) {
        facts.colour_bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
        facts.dots_per_inch = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
    }
    facts.component = module_version(component_path());
    facts.companion = module_version(server_path());
    return facts;
}

void show_system_info_window() {
    HWND open = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_own_window, reinterpret_cast<LPARAM>(&open));
    if (open != nullptr) {
        if (auto* data = reinterpret_cast<WindowData*>(GetWindowLongPtrW(open, GWLP_USERDATA)))
            fill(open, *data);
        ShowWindow(open, SW_RESTORE);
        SetForegroundWindow(open);
        return;
    }
    register_window_class();
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 2 * Margin + LabelWidth + ValueWidth,
               2 * Margin + 6 * LineHeight + 12 + ButtonHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    HWND window = CreateWindowExW(0, SystemInfoWindowClass, Title, style,
                                  work.left + (work.right - work.left - width) / 2,
                                  work.top + (work.bottom - work.top - height) / 2, width, height,
                                  nullptr, nullptr, server_module(), nullptr);
    if (window == nullptr)
        throw VbError(vb::OutOfMemory);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetFocus(window);
}

} // namespace orbek::com
