#include "display_controls.h"

#include "bar_control.h"
#include "dial_control.h"

#include <cwchar>
#include <new>

namespace orbek::controls {
namespace {

template <typename Control> IDispatch* create(HWND parent, const RECT& place, HINSTANCE instance) {
    auto* control = new (std::nothrow) Control();
    if (control == nullptr) {
        return nullptr;
    }
    if (!control->create_window(Control::ClassName, parent, place, instance)) {
        control->Release();
        return nullptr;
    }
    return control;
}

} // namespace

IDispatch* create_display_control(const wchar_t* class_name, HWND parent, const RECT& place,
                                  HINSTANCE instance) {
    // Programmatic identifiers compare without regard to letter case.
    auto named = [&](const wchar_t* prog_id) { return _wcsicmp(class_name, prog_id) == 0; };
    if (named(L"QLBBarraVista.BarraVista")) {
        return create<BarControl>(parent, place, instance);
    }
    if (named(L"QLBGauge.gauge")) {
        return create<DialControl>(parent, place, instance);
    }
    return nullptr;
}

IDispatch* display_control_of_window(HWND window) {
    DisplayControl* control = DisplayControl::of_window(window);
    if (control != nullptr) {
        control->AddRef();
    }
    return control;
}

void unregister_display_control_classes(HINSTANCE instance) {
    UnregisterClassW(BarControl::ClassName, instance);
    UnregisterClassW(DialControl::ClassName, instance);
}

} // namespace orbek::controls
