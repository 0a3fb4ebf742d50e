// The companion's system information window: ShowSystemInfo opens it on the calling thread
// and returns, it shows this machine's facts and both DLLs' versions, a second call brings
// the same window forward, it keeps MireldaSys.dll loaded while open, Close and Escape close
// it. Arguments: the folder of the 64-bit DLLs, the screenshot file to write.
#include "MireldaSys.h"
#include "host_checks.h"
#include "screenshot.h"

#include <string>
#include <vector>
#include <windows.h>

using namespace wine_checks;

namespace {

BOOL CALLBACK collect_system_info_window(HWND window, LPARAM list) {
    if (class_of(window) == L"MireldaSysSystemInfo")
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The windows of the class on this thread.
std::vector<HWND> open_windows() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), collect_system_info_window,
                      reinterpret_cast<LPARAM>(&found));
    return found;
}

// ShowSystemInfo on a new object, released at once.
HRESULT show_system_info(Report& report) {
    _SysTools* tools = nullptr;
    HRESULT result = CoCreateInstance(__uuidof(SysTools), nullptr, CLSCTX_INPROC_SERVER,
                                      __uuidof(_SysTools), reinterpret_cast<void**>(&tools));
    if (report.hresult("CoCreateInstance of SysTools", result, S_OK)) {
        VARIANT show = *Value::of_type(VT_BOOL);
        V_BOOL(&show) = VARIANT_TRUE;
        VARIANT_BOOL wait = VARIANT_TRUE;
        result = tools->ShowSystemInfo(&show, &wait);
        tools->Release();
    }
    return result;
}

HRESULT can_unload_companion() {
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    HMODULE module = GetModuleHandleW(L"MireldaSys.dll");
    const auto can_unload = module ? reinterpret_cast<CanUnload>(reinterpret_cast<void*>(
                                         GetProcAddress(module, "DllCanUnloadNow")))
                                   : nullptr;
    return can_unload ? can_unload() : E_FAIL;
}

void check_facts(Report& report, HWND window) {
    std::wstring text;
    for (HWND control : descendants(window)) {
        wchar_t shown[1024] = {};
        GetWindowTextW(control, shown, 1024); // an edit box keeps its text itself
        text += std::wstring(shown) + L"\n";
    }
    const std::wstring screen = std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L" \u00D7 " +
                                std::to_wstring(GetSystemMetrics(SM_CYSCREEN)) + L" p\u00EDxeles";
    const std::pair<const char*, std::wstring> facts[] = {
        {"operating system", L"Sistema operativo:\nWindows"},
        {"processor", L"Procesador:\n"},
        {"processor count", L"procesador"},
        {"memory", L" MB en total, "},
        {"screen size", screen},
        {"component version", L"Orbek_DLL.dll:\nversi\u00F3n 1.0.0.0, "},
        {"companion version", L"MireldaSys.dll:\nversi\u00F3n 1.0.0.0, "},
        {"companion path", L"MireldaSys.dll\n"},
        {"copy button", L"Co&piar\n"},
        {"close button", L"&Cerrar\n"},
    };
    for (const auto& [name, fact] : facts)
        report.check(std::string("the window shows the ") + name,
                     text.find(fact) != std::wstring::npos, utf8(text));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    if (argc < 3) {
        report.check("arguments", false, "usage: system_info_checks DLL-FOLDER SCREENSHOT.bmp");
        report.done();
        return 0;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // The component in the process, as it is when its splash window asks for the tool.
    const std::wstring component = std::wstring(argv[1]) + L"\\Orbek_DLL.dll";
    report.check("Orbek_DLL.dll loads", LoadLibraryW(component.c_str()) != nullptr);

    if (report.hresult("ShowSystemInfo returns at once", show_system_info(report), S_OK)) {
        pump_messages(500);
        std::vector<HWND> windows = open_windows();
        if (report.equal("one window on this thread", static_cast<long long>(windows.size()), 1)) {
            HWND window = windows[0];
            report.check("it is visible", IsWindowVisible(window) != FALSE);
            report.check("it has no owner", GetWindow(window, GW_OWNER) == nullptr);
            report.equal("its title", text_of(window), L"Informaci\u00F3n del sistema");
            check_facts(report, window);
            report.hresult("the open window keeps MireldaSys.dll loaded", can_unload_companion(),
                           S_FALSE);
            report.check("the screenshot is written", save_screenshot(argv[2]));

            report.hresult("a second ShowSystemInfo", show_system_info(report), S_OK);
            pump_messages(200);
            report.equal("a second call shows the same window",
                         static_cast<long long>(open_windows().size()), 1);
            report.check("the same window still", IsWindow(window) != FALSE);

            SendMessageW(GetDlgItem(window, 2), BM_CLICK, 0, 0);
            pump_messages(100);
            report.check("Close closes it", !IsWindow(window));
            report.hresult("once closed, MireldaSys.dll may be unloaded", can_unload_companion(),
                           S_OK);
        }
    }

    if (SUCCEEDED(show_system_info(report))) {
        pump_messages(300);
        const std::vector<HWND> windows = open_windows();
        if (report.equal("it opens again", static_cast<long long>(windows.size()), 1)) {
            PostMessageW(windows[0], WM_KEYDOWN, VK_ESCAPE, 0);
            pump_messages(100);
            report.check("Escape closes it", !IsWindow(windows[0]));
        }
    }
    CoUninitialize();
    report.done();
    return 0;
}
