// The progress windows on real windows (run under Xvfb): the progress calls drive the Win32
// window toolkit with our bar and dial and the companion's closing effect, and this host
// looks at the result through the Windows API alone: each window's existence, visibility,
// caption, size and place, and the controls' values read through their own IDispatch.
//
//   progress_checks                     runs the checks
//   progress_checks scene NAME READY    shows one scene, writes the file READY and keeps the
//                                       scene on the screen until READY.done appears (run.sh
//                                       takes its screenshot in between)
#include "automation/vb_error.h"
#include "display_controls.h"
#include "host_checks.h"
#include "platform/win32/com_sys_tools.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_window_toolkit.h"
#include "progress/single_bar_progress.h"
#include "progress/two_bar_progress.h"
#include "timecalc/time_sums.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

using namespace wine_checks;

namespace {

// The object's Delay as the component has it, with a hook that can hold a run-down step.
class HostObject final : public orbek::DelayMethod {
  public:
    void Delay(std::int32_t level) override {
        ++calls;
        levels.push_back(level);
        if (on_delay) {
            on_delay(calls);
        }
        orbek::delay(level, clock_);
    }

    int calls = 0;
    std::vector<std::int32_t> levels;
    std::function<void(int)> on_delay;

  private:
    orbek::Win32Clock clock_;
};

struct Host {
    orbek::Win32WindowToolkit toolkit{GetModuleHandleW(nullptr)};
    HostObject object;
    std::shared_ptr<orbek::SysTools> companion = orbek::create_com_sys_tools();
    orbek::ProgressWindows windows;
    orbek::ProgressServices services{toolkit, object, *companion};

    void bar(double valor, double max, const wchar_t* text, const wchar_t* title,
             bool run_down = false, bool effect = false) {
        orbek::progress_bar(windows, services, orbek::Currency::from_double(valor),
                            orbek::Currency(), orbek::Currency::from_double(max), text16(text),
                            text16(title), run_down, effect);
    }
    void sti(std::int16_t percentage, bool run_down = false, bool effect = false) {
        orbek::sti_progress_bar(windows, services, percentage, u"", u"Procesando ...", run_down,
                                effect);
    }
    void show(double reg1, double reg2, const wchar_t* text1, const wchar_t* text2,
              bool run_down = false, bool effect = false) {
        orbek::progress_show(windows, services, reg1, reg2, text16(text1), text16(text2),
                             u"Procesando ...", run_down, effect);
    }
    void pump(DWORD milliseconds) {
        const DWORD began = GetTickCount();
        do {
            toolkit.process_pending_events();
            Sleep(10);
        } while (GetTickCount() - began < milliseconds);
    }

    static orbek::Text text16(const wchar_t* text) {
        return orbek::Text(text, text + wcslen(text));
    }
};

std::wstring window_text(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

HWND form_with_caption(const wchar_t* caption) {
    return FindWindowW(L"OrbekForm", caption);
}

struct ClassSearch {
    const wchar_t* class_name;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_of_class(HWND child, LPARAM search_address) {
    auto* search = reinterpret_cast<ClassSearch*>(search_address);
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (wcscmp(name, search->class_name) == 0) {
        search->found.push_back(child);
    }
    return TRUE;
}

// Every window of a class below `parent`, top to bottom.
std::vector<HWND> descendants(HWND parent, const wchar_t* class_name) {
    ClassSearch search{class_name, {}};
    EnumChildWindows(parent, collect_of_class, reinterpret_cast<LPARAM>(&search));
    std::sort(search.found.begin(), search.found.end(), [](HWND a, HWND b) {
        RECT first{};
        RECT second{};
        GetWindowRect(a, &first);
        GetWindowRect(b, &second);
        return first.top < second.top;
    });
    return search.found;
}

// A control's value read back through its IDispatch, as a whole number (the dial's Currency
// times 10,000).
long long control_value(HWND control_window, DISPID member) {
    IDispatch* control = orbek::controls::display_control_of_window(control_window);
    if (control == nullptr) {
        return -999999;
    }
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    const HRESULT outcome = control->Invoke(member, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                            &result, nullptr, nullptr);
    control->Release();
    long long value = -999998;
    if (SUCCEEDED(outcome)) {
        if (V_VT(&result) == VT_CY) {
            value = V_CY(&result).int64;
        } else if (V_VT(&result) == VT_I4) {
            value = V_I4(&result);
        } else if (V_VT(&result) == VT_R4) {
            value = static_cast<long long>(V_R4(&result));
        }
    }
    VariantClear(&result);
    return value;
}

long long bar_value(HWND form, std::size_t index) {
    const std::vector<HWND> bars = descendants(form, L"QLBBarraVista");
    return index < bars.size() ? control_value(bars[index], orbek::controls::BarValueMember) : -1;
}

long long dial_value(HWND form) {
    const std::vector<HWND> dials = descendants(form, L"QLBGauge");
    return dials.empty() ? -1 : control_value(dials[0], orbek::controls::DialValueMember);
}

std::wstring label_text(HWND form, std::size_t index) {
    const std::vector<HWND> parts = descendants(form, L"OrbekFormPart");
    std::vector<HWND> labels;
    for (HWND part : parts) {
        // Labels are the parts without children of their own and without a border.
        if (GetWindow(part, GW_CHILD) == nullptr &&
            !(GetWindowLongW(part, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) {
            labels.push_back(part);
        }
    }
    return index < labels.size() ? window_text(labels[index]) : L"<none>";
}

int twips_to_pixels(int twips, int index) {
    HDC screen = GetDC(nullptr);
    const int dots = GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
    return MulDiv(twips, dots, 1440);
}

int height_of(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return frame.bottom - frame.top;
}

int error_of(const std::function<void()>& call) {
    try {
        call();
    } catch (const orbek::VbError& error) {
        return error.number();
    }
    return 0;
}

// A property put through IDispatch; the scode of its exception when it raised one.
HRESULT put_value(IDispatch* control, DISPID member, VARIANT value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    EXCEPINFO exception{};
    const HRESULT result = control->Invoke(member, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params,
                                           nullptr, &exception, nullptr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return result == DISP_E_EXCEPTION ? exception.scode : result;
}

VARIANT number(double value) {
    VARIANT made;
    VariantInit(&made);
    V_VT(&made) = VT_R8;
    V_R8(&made) = value;
    return made;
}

// The controls' own dispatch interfaces, as any client reaches them.
void check_controls(Report& report) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                  instance, nullptr);
    const RECT place{0, 0, 100, 20};
    report.check("an unknown control class makes nothing",
                 orbek::controls::create_display_control(L"QLBGauge.Nope", parent, place,
                                                         instance) == nullptr);
    IDispatch* bar = orbek::controls::create_display_control(L"qlbbarravista.barravista", parent,
                                                             place, instance);
    IDispatch* dial =
        orbek::controls::create_display_control(L"QLBGauge.gauge", parent, place, instance);
    if (report.check("the bar and the dial are made by their class names (any letter case)",
                     bar != nullptr && dial != nullptr)) {
        struct Name {
            IDispatch* control;
            const wchar_t* name;
            DISPID id;
        };
        for (const Name& n : {Name{bar, L"Value", 0x68030002}, Name{dial, L"value", 0x68030000},
                              Name{dial, L"Max", 0x68030001}}) {
            wchar_t text[16];
            wcscpy(text, n.name);
            LPOLESTR names[] = {text};
            DISPID id = 0;
            n.control->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
            report.equal("member " + utf8(n.name) + " has its id", id, n.id);
        }
        HWND bar_window = descendants(parent, L"QLBBarraVista")[0];
        report.equal("the bar stores 2.5 as 2", put_value(bar, 0x68030002, number(2.5)), S_OK);
        report.equal("the bar reads back 2", control_value(bar_window, 0x68030002), 2);
        put_value(bar, 0x68030002, number(-5));
        report.equal("the bar keeps -5 as given", control_value(bar_window, 0x68030002), -5);
        report.equal("a value past the Long range is error 6",
                     put_value(bar, 0x68030002, number(1e10)), static_cast<HRESULT>(0x800A0006));
        VARIANT text;
        VariantInit(&text);
        V_VT(&text) = VT_BSTR;
        V_BSTR(&text) = SysAllocString(L"abc");
        report.equal("a text that is not a number is error 13", put_value(bar, 0x68030002, text),
                     static_cast<HRESULT>(0x800A000D));
        VariantClear(&text);
        report.equal("the dial takes four decimals", put_value(dial, 0x68030000, number(66.66666)),
                     S_OK);
        HWND dial_window = descendants(parent, L"QLBGauge")[0];
        report.equal("the dial reads back 66.6667", control_value(dial_window, 0x68030000), 666667);
    }
    if (bar != nullptr) {
        bar->Release();
    }
    if (dial != nullptr) {
        dial->Release();
    }
    DestroyWindow(parent);
}

// The window is shown at the full height that the calls set, with its designed client width.
void check_shown_form(Report& report, HWND form, const std::string& name, int height,
                      int client_width) {
    report.check(name + " is visible", IsWindowVisible(form) != FALSE);
    report.equal(name + " has the full height of " + std::to_string(height) + " twips",
                 height_of(form), twips_to_pixels(height, LOGPIXELSY));
    RECT client{};
    GetClientRect(form, &client);
    report.equal(name + "'s client area is " + std::to_string(client_width) + " twips wide",
                 client.right, twips_to_pixels(client_width, LOGPIXELSX));
}

void check_single_bar(Report& report) {
    Host host;
    report.equal("ProgressBar with Max 0 fails with overflow",
                 error_of([&] { host.bar(5, 0, L"", L"Max 0"); }), 6);
    report.check("ProgressBar with Max 0 makes no window",
                 form_with_caption(L"Max 0") == nullptr && form_with_caption(L"Form1") == nullptr);

    host.bar(50, 200, L"Registro 50", L"Procesando ...");
    host.pump(100);
    HWND form = form_with_caption(L"Procesando ...");
    if (!report.check("an update shows FrmProgressBar with its caption", form != nullptr)) {
        return;
    }
    check_shown_form(report, form, "FrmProgressBar", 3135, 4710);
    RECT frame{};
    GetWindowRect(form, &frame);
    report.check("FrmProgressBar opens near the screen's top-left corner",
                 frame.left >= 0 && frame.left <= 10 && frame.top >= 0 && frame.top <= 30,
                 std::to_string(frame.left) + "," + std::to_string(frame.top));
    report.check("FrmProgressBar has no taskbar button",
                 GetWindow(form, GW_OWNER) != nullptr &&
                     !(GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_APPWINDOW));
    report.check("FrmProgressBar has its icon", SendMessageW(form, WM_GETICON, ICON_BIG, 0) != 0);
    report.equal("the dial shows 25", dial_value(form), 250000);
    report.equal("the dial's stored max is 0",
                 control_value(descendants(form, L"QLBGauge")[0], 0x68030001), 0);
    report.equal("the bar shows 25", bar_value(form, 0), 25);
    report.equal("the text line shows VerRegistro", label_text(form, 0), L"Registro 50");

    // Only what changes is repainted.
    orbek::Form& window = *host.windows.single_bar;
    HWND bar = descendants(form, L"QLBBarraVista")[0];
    HWND dial = descendants(form, L"QLBGauge")[0];
    window.put_control_property("BarraVista1", 0x68030002, orbek::Variant(std::int32_t{25}));
    window.put_control_property("gauge1", 0x68030000,
                                orbek::Variant(orbek::Currency::from_whole(25)));
    report.check("the same values repaint neither control",
                 !GetUpdateRect(bar, nullptr, FALSE) && !GetUpdateRect(dial, nullptr, FALSE));
    window.put_control_property("BarraVista1", 0x68030002, orbek::Variant(std::int32_t{60}));
    report.check("a new bar value repaints the bar alone",
                 GetUpdateRect(bar, nullptr, FALSE) && !GetUpdateRect(dial, nullptr, FALSE));
    host.pump(50);

    host.sti(40);
    host.pump(50);
    report.equal("STIProgressBar 40 puts 40 on the dial", dial_value(form), 400000);
    report.equal("STIProgressBar 40 puts 40 on the bar", bar_value(form, 0), 40);

    const DWORD began = GetTickCount();
    host.bar(100, 100, L"", L"", true, true);
    const DWORD took = GetTickCount() - began;
    report.check("the finishing call hides FrmProgressBar",
                 IsWindow(form) && !IsWindowVisible(form));
    report.equal("the run-down pauses 101 times at level 5", host.object.calls, 101);
    report.equal("the run-down ends with the dial at 0", dial_value(form), 0);
    report.equal("the run-down ends with the bar at 0", bar_value(form, 0), 0);
    report.equal("the run-down empties the text line", label_text(form, 0), L"");
    report.check("the run-down and the closing effect take their time", took >= 250,
                 std::to_string(took) + " ms");
    report.check("the closing effect rolled the window up",
                 height_of(form) < twips_to_pixels(3135, LOGPIXELSY));

    host.bar(1, 100, L"again", L"Procesando ...");
    host.pump(50);
    report.check("the next update shows the same window again", IsWindowVisible(form) != FALSE);
    report.equal("the next update restores the full height", height_of(form),
                 twips_to_pixels(3135, LOGPIXELSY));

    // The close box unloads it; the next update brings a new one.
    SendMessageW(form, WM_CLOSE, 0, 0);
    report.check("the close box unloads FrmProgressBar", !IsWindow(form));
    host.bar(2, 100, L"after close", L"Reopened");
    HWND reopened = form_with_caption(L"Reopened");
    report.check("an update after the close box shows a new FrmProgressBar",
                 reopened != nullptr && IsWindowVisible(reopened));
    host.bar(100, 100, L"", L"");
}

void check_two_bars(Report& report) {
    Host host;
    host.show(25, 75, L"Clientes", L"Facturas");
    host.pump(100);
    HWND form = form_with_caption(L"Procesando ...");
    if (!report.check("an update shows FrmProgShow with its caption", form != nullptr)) {
        return;
    }
    check_shown_form(report, form, "FrmProgShow", 2085, 8100);
    RECT frame{};
    GetWindowRect(form, &frame);
    const int centre = (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2;
    report.check("FrmProgShow is centred across the screen", std::abs(frame.left - centre) <= 1,
                 std::to_string(frame.left) + " for " + std::to_string(centre));
    report.check("FrmProgShow has a taskbar button",
                 (GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0);
    report.equal("the upper bar shows 25", bar_value(form, 0), 25);
    report.equal("the lower bar shows 75", bar_value(form, 1), 75);
    report.equal("the upper text line", label_text(form, 0), L"Clientes");
    report.equal("the lower text line", label_text(form, 1), L"Facturas");

    host.show(2.5, 3.5, L"Fin ", L"");
    report.equal("2.5 puts 2 on the upper bar", bar_value(form, 0), 2);
    report.equal("3.5 puts 4 on the lower bar", bar_value(form, 1), 4);
    report.equal("\"Fin \" is shown, not taken as the end word", label_text(form, 0), L"Fin ");

    host.show(0, 0, L"Fin", L"", true, true);
    report.check("the finishing call closes FrmProgShow", !IsWindow(form));
    HWND reloaded = form_with_caption(L"Form Progress Show 1");
    report.check("FrmProgShow is loaded again, hidden, with its design caption",
                 reloaded != nullptr && !IsWindowVisible(reloaded));
    if (reloaded != nullptr) {
        report.equal("the reloaded window's upper text is the design's", label_text(reloaded, 0),
                     L"Label1");
        report.equal("the reloaded window's bars are at their defaults", bar_value(reloaded, 0), 0);
    }
    report.equal("the run-down pauses once at 5, then 101 times at 1", host.object.calls, 102);
    report.check("the pauses are of levels 5 then 1",
                 host.object.levels.front() == 5 && host.object.levels.back() == 1);

    host.show(10, 20, L"a", L"b");
    host.pump(50);
    HWND again = form_with_caption(L"Procesando ...");
    report.check("the next update shows the reloaded window",
                 again == reloaded && again != nullptr && IsWindowVisible(again));
    report.equal("at its full height again", height_of(again), twips_to_pixels(2085, LOGPIXELSY));
    host.show(0, 0, L"Fin", L"");
}

// Waits until run.sh has taken its screenshot, keeping the windows painted meanwhile.
void hold_for_screenshot(Host& host, const std::wstring& ready) {
    host.pump(300);
    HANDLE file = CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    const std::wstring done = ready + L".done";
    for (int waited = 0;
         waited < 600 && GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++waited) {
        host.pump(50);
    }
}

bool run_scene(Report& report, const std::wstring& scene, const std::wstring& ready) {
    Host host;
    if (scene == L"bar25") {
        host.bar(25, 100, L"Registro 25 de 100", L"Procesando ...");
        hold_for_screenshot(host, ready);
        host.bar(100, 100, L"", L"");
    } else if (scene == L"bar-decimals") {
        host.bar(2, 3, L"Registro 2 de 3", L"Procesando ...");
        hold_for_screenshot(host, ready);
        host.bar(100, 100, L"", L"");
    } else if (scene == L"show25-75") {
        host.show(25, 75, L"Clientes: 25 de 100", L"Facturas: 75 de 100");
        hold_for_screenshot(host, ready);
        host.show(0, 0, L"Fin", L"");
    } else if (scene == L"rundown") {
        host.bar(80, 100, L"Registro 80 de 100", L"Procesando ...");
        host.pump(100);
        // The 41st pause of the run-down follows the step that puts 60 on both indicators.
        host.object.on_delay = [&](int call) {
            if (call == 41) {
                hold_for_screenshot(host, ready);
            }
        };
        host.bar(100, 100, L"", L"", true);
    } else {
        return report.check("scene " + utf8(scene), false, "no such scene");
    }
    return report.check("scene " + utf8(scene), true);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
        if (argc >= 4 && std::wstring(argv[1]) == L"scene") {
            run_scene(report, argv[2], argv[3]);
        } else {
            check_controls(report);
            check_single_bar(report);
            check_two_bars(report);
        }
    } catch (const orbek::VbError& error) {
        report.check("the progress checks ran", false,
                     std::string("error ") + std::to_string(error.number()) + ": " + error.what());
    }
    CoUninitialize();
    report.done();
    return 0;
}
