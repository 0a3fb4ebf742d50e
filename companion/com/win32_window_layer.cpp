#include "win32_window_layer.h"

#include "automation/conversions.h"
#include "automation/vb_error.h"
#include "platform/host_objects.h"
#include "system_info_window.h"

#include <algorithm>
#include <shellapi.h>

namespace orbek::com {

namespace {

constexpr int RollSteps = 10;
constexpr DWORD RollStepMilliseconds = 15;
constexpr int TwipsPerInch = 1440;

HWND handle_from_number(const Variant& number) {
    // Handles are 32-bit values on every Windows, so a Long or a Double holds them exactly.
    const double value = to_double(number);
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int64_t>(value)));
}

int twips_to_pixels(std::int32_t twips, HWND window) {
    HDC device = GetDC(window);
    const int dots_per_inch = device != nullptr ? GetDeviceCaps(device, LOGPIXELSY) : 96;
    if (device != nullptr) {
        ReleaseDC(window, device);
    }
    return MulDiv(twips, dots_per_inch, TwipsPerInch);
}

} // namespace

HWND window_handle_of(const Variant& window) {
    switch (window.type()) {
    case VarType::Object: {
        const auto& object = window.as<Variant::ObjectRef>();
        if (!object) {
            throw VbError(vb::ObjectNotSet);
        }
        return handle_from_number(object->get_property(u"hWnd"));
    }
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Byte:
    case VarType::String:
        return handle_from_number(window);
    default:
        throw VbError(vb::TypeMismatch);
    }
}

void Win32WindowLayer::close_effect(const Variant& window, std::int32_t start, std::int32_t height,
                                    std::int32_t /*style*/) {
    HWND handle = window_handle_of(window);
    if (!IsWindow(handle)) {
        throw VbError(vb::InvalidProcedureCall);
    }
    RECT frame{};
    GetWindowRect(handle, &frame);
    const int width = frame.right - frame.left;
    const int from = std::max(0, twips_to_pixels(height, handle));
    const int to = std::clamp(twips_to_pixels(start, handle), 0, from);
    for (int step = 1; step <= RollSteps; ++step) {
        const int now = from - (from - to) * step / RollSteps;
        SetWindowPos(handle, nullptr, 0, 0, width, now,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        Sleep(RollStepMilliseconds);
    }
}

void Win32WindowLayer::show_system_info() {
    show_system_info_window();
}

} // namespace orbek::com
