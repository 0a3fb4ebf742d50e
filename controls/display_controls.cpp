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

OffscreenPaint::OffscreenPaint(HWND window) : window_(window) {
    screen_ = BeginPaint(window_, &paint_);
    GetClientRect(window_, &client_);
    buffer_ = CreateCompatibleDC(screen_);
    bitmap_ = CreateCompatibleBitmap(screen_, client_.right, client_.bottom);
    if (buffer_ != nullptr && bitmap_ != nullptr) {
        previous_ = SelectObject(buffer_, bitmap_);
    } else if (buffer_ != nullptr) {
        DeleteDC(buffer_);
        buffer_ = nullptr;
    }
}

OffscreenPaint::~OffscreenPaint() {
    if (buffer_ != nullptr) {
        BitBlt(screen_, 0, 0, client_.right, client_.bottom, buffer_, 0, 0, SRCCOPY);
        SelectObject(buffer_, previous_);
        DeleteDC(buffer_);
    }
    if (bitmap_ != nullptr) {
        DeleteObject(bitmap_);
    }
    EndPaint(window_, &paint_);
}

void unregister_display_control_classes(HINSTANCE instance) {
    UnregisterClassW(BarControl::ClassName, instance);
    UnregisterClassW(DialControl::ClassName, instance);
}

} // namespace orbek::controls
