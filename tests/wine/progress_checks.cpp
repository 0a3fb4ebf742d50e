// What the progress windows' script (component_progress.vbs) cannot see from outside: the bar
// and the dial through their own IDispatch, as any client reaches them, and the two forms'
// place, taskbar button, icon, repainting and close box on real windows (run under Xvfb).
#include "display_controls.h"
#include "host_checks.h"
#include "platform/win32/win32_window_toolkit.h"
#include "progress/progress_forms.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <windows.h>

using namespace wine_checks;
using orbek::controls::BarValueMember;
using orbek::controls::DialMaxMember;
using orbek::controls::DialValueMember;

namespace {

// A property put: the scode of the exception it raised, if any.
HRESULT put(IDispatch* control, DISPID member, VARIANT* value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{value, &named, 1, 1};
    const CallResult outcome = invoke(control, member, &params, DISPATCH_PROPERTYPUT);
    return outcome.result == DISP_E_EXCEPTION ? outcome.scode : outcome.result;
}

void check_controls(Report& report) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                  instance, nullptr);
    auto make = [&](const wchar_t* name) {
        return orbek::controls::create_display_control(name, parent, {0, 0, 99, 20}, instance);
    };
    report.check("an unknown control class makes nothing", make(L"QLBGauge.Nope") == nullptr);
    IDispatch* bar = make(L"qlbbarravista.barravista"); // identifiers ignore letter case
    IDispatch* dial = make(L"QLBGauge.gauge");
    if (!report.check("the bar and the dial are made by their class names", bar && dial)) {
        return;
    }
    // By name: a number as a Double or a text, converted to the property's type.
    struct Put {
        IDispatch* control;
        const wchar_t* name;
        DISPID member;
        const wchar_t* value;
        HRESULT outcome;
        const wchar_t* stored;
    };
    const Put puts[] = {
        {bar, L"Value", BarValueMember, L"2.5", S_OK, L"2"}, // halves to even
        {bar, L"value", BarValueMember, L"-5", S_OK, L"-5"}, // kept as given
        {bar, L"VALUE", BarValueMember, L"1e10", static_cast<HRESULT>(0x800A0006), L"-5"},
        {bar, L"Value", BarValueMember, L"abc", static_cast<HRESULT>(0x800A000D), L"-5"},
        {dial, L"Value", DialValueMember, L"66.66666", S_OK, L"66.6667"},
        {dial, L"max", DialMaxMember, L"250", S_OK, L"250"},
    };
    for (const Put& p : puts) {
        const DISPID member = member_id(p.control, p.name);
        Value value(p.value);
        if (p.value != std::wstring(L"abc")) {
            VariantChangeType(value.get(), value.get(), 0, VT_R8);
        }
        const std::string check = utf8(p.name) + " = " + utf8(p.value);
        report.equal(check + ": the name gives its member", member, p.member);
        report.hresult(check, put(p.control, member, value.get()), p.outcome);
        report.equal(check + " leaves " + utf8(p.stored), call(p.control, member, {}).value.text(),
                     p.stored);
    }
    bar->Release();
    dial->Release();
    DestroyWindow(parent);
}

// The first window below `form` of the class; of the form's own parts, a label (a part with
// neither children nor a border).
HWND part_of(HWND form, const std::wstring& class_name) {
    return descendant(form, [&](HWND child) {
        const bool label =
            !GetWindow(child, GW_CHILD) && !(GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        return class_of(child) == class_name && (label || class_name != L"OrbekFormPart");
    });
}

HWND window_of(orbek::Form& form) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(form.window_handle()));
}

void check_forms(Report& report, orbek::WindowToolkit& toolkit) {
    auto single = toolkit.create_form(orbek::progress_forms::single_bar_design());
    auto two = toolkit.create_form(orbek::progress_forms::two_bar_design());
    single->show_modeless();
    two->show_modeless();
    pump_messages(100);
    HWND window = window_of(*single);
    RECT frame{};
    GetWindowRect(window, &frame);
    report.check("FrmProgressBar opens near the screen's top-left corner",
                 frame.left >= 0 && frame.left <= 10 && frame.top >= 0 && frame.top <= 30,
                 std::to_string(frame.left) + "," + std::to_string(frame.top));
    report.check("FrmProgressBar has no taskbar button and has its icon",
                 GetWindow(window, GW_OWNER) &&
                     !(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) &&
                     SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    HWND shown = window_of(*two);
    GetWindowRect(shown, &frame);
    const int centre = (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2;
    report.check("FrmProgShow is centred across the screen", std::abs(frame.left - centre) <= 1,
                 std::to_string(frame.left) + " for " + std::to_string(centre));
    report.check("FrmProgShow has a taskbar button and its small icon",
                 (GetWindowLongW(shown, GWL_EXSTYLE) & WS_EX_APPWINDOW) &&
                     SendMessageW(shown, WM_GETICON, ICON_SMALL, 0));

    // Only what changes is repainted.
    const HWND bar = part_of(window, L"QLBBarraVista");
    const HWND dial = part_of(window, L"QLBGauge");
    const HWND label = part_of(window, L"OrbekFormPart");
    auto put = [&](const char* control, DISPID member, orbek::Variant value) {
        single->put_control_property(control, member, value);
    };
    struct Change {
        const char* name;
        std::function<void()> change;
        bool bar, dial, label;
    };
    const Change changes[] = {
        {"the same values repaint nothing",
         [&] {
             put("BarraVista1", BarValueMember, orbek::Variant(std::int32_t{0}));
             put("gauge1", DialValueMember, orbek::Variant(orbek::Currency()));
             single->set_control_text("Label1", u"Label1");
         },
         false, false, false},
        {"a new bar value repaints the bar alone",
         [&] { put("BarraVista1", BarValueMember, orbek::Variant(std::int32_t{60})); }, true, false,
         false},
        {"a new dial value repaints the dial alone",
         [&] { put("gauge1", DialValueMember, orbek::Variant(std::int16_t{60})); }, false, true,
         false},
        {"a new text repaints the label alone",
         [&] { single->set_control_text("Label1", u"Registro 60"); }, false, false, true},
    };
    for (const Change& c : changes) {
        pump_messages(100);
        c.change();
        auto repainted = [](HWND part) { return GetUpdateRect(part, nullptr, FALSE) != FALSE; };
        report.check(c.name, repainted(bar) == c.bar && repainted(dial) == c.dial &&
                                 repainted(label) == c.label);
    }

    SendMessageW(window, WM_CLOSE, 0, 0);
    report.check("the close box unloads FrmProgressBar", !IsWindow(window) && !single->is_loaded());
    single->show_modeless();
    report.check("the next show brings a new FrmProgressBar",
                 window_of(*single) != window && IsWindowVisible(window_of(*single)));
}

} // namespace

int wmain() {
    Report report;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    check_controls(report);
    {
        orbek::Win32WindowToolkit toolkit{GetModuleHandleW(nullptr)};
        check_forms(report, toolkit);
    }
    CoUninitialize();
    report.done();
    return 0;
}
