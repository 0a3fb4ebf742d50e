#include "platform/win32/win32_window_toolkit.h"

#include "display_controls.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_form_parts.h"
#include "platform/win32/win32_screen_units.h"

namespace orbek {

Win32WindowToolkit::~Win32WindowToolkit() {
    // A class with windows left is not unregistered; that is harmless.
    Win32Form::unregister_window_class(module_);
    unregister_form_part_class(module_);
    controls::unregister_display_control_classes(module_);
}

std::unique_ptr<Form> Win32WindowToolkit::create_form(const FormDesign& design) {
    return std::make_unique<Win32Form>(module_, design);
}

void Win32WindowToolkit::process_pending_events() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

ScreenMeasure Win32WindowToolkit::screen() {
    const ScreenUnits units = ScreenUnits::of_screen();
    const double across = units.twips_per_pixel_x();
    const double down = units.twips_per_pixel_y();
    return {GetSystemMetrics(SM_CXSCREEN) * across, GetSystemMetrics(SM_CYSCREEN) * down, across,
            down};
}

} // namespace orbek
