#include "win32_window_layer.h"

#include "automation/conversions.h"
#include "automation/vb_error.h"
#include "platform/host_objects.h"
#include "system_info_window.h"

#include <algorithm>
#include <shellapi.h>

namespace orbek::com {

namespace {

// A quarter of a second in sixteen steps: quick enough not to hold the host up, slow enough
// to be seen as the window rolling up.
constexpr int RollSteps = 16;
constexpr DWORD RollMilliseconds = 250;
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

// Lets the window show each step: its waiting messages are handled and it and its controls
// are painted at once. Other windows' messages wait for the host's own loop.
void pump_window_messages(HWND window) {
    MSG message;
    while (PeekMessageW(&message, window, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
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
    const DWORD began = GetTickCount();
    for (int step = 1; step <= RollSteps; ++step) {
        if (!IsWindow(handle)) {
            return; // closed while it rolled: nothing left to animate
        }
        const int now = from - (from - to) * step / RollSteps;
        SetWindowPos(handle, nullptr, 0, 0, width, now,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        pump_window_messages(handle);
        const DWORD due = RollMilliseconds * step / RollSteps;
        const DWORD elapsed = GetTickCount() - began;
        if (elapsed < due) {
            Sleep(due - elapsed);
        }
    }
}

void Win32WindowLayer::show_system_info() {
    show_system_info_window();
}

} // namespace orbek::com
