#include "progress/two_bar_progress.h"

#include "automation/conversions.h"
#include "progress/progress_forms.h"
#include "progress/progress_steps.h"

namespace orbek {
namespace {

using namespace progress_forms;

constexpr std::int32_t FullScale = 100;

void update(const ProgressServices& services, Form& window, double reg1, double reg2,
            TextView s_texto1, TextView s_texto2, TextView s_title) {
    window.set_height_twips(TwoBarHeight);
    window.set_caption(s_title);
    window.set_control_text(TwoBarUpperText, s_texto1);
    // Each bar takes its value's whole number, halves to even; a value out of the Long
    // range (or not a number) fails here, after the steps before it are done.
    window.put_control_property(TwoBarUpperBar, BarValue, Variant(double_to_long(reg1)));
    window.set_control_text(TwoBarLowerText, s_texto2);
    window.put_control_property(TwoBarLowerBar, BarValue, Variant(double_to_long(reg2)));
    services.toolkit.process_pending_events();
    if (!window.visible()) {
        window.show_modeless(); // a shown window is neither shown again nor brought forward
    }
}

void finish(const ProgressServices& services, Form& window, bool regresa_a_0, bool efecto_salida) {
    if (regresa_a_0) {
        window.set_control_text(TwoBarUpperText, u"");
        window.set_control_text(TwoBarLowerText, u"");
        window.show_modeless();
        pause(services.self, 5);
        for (std::int32_t value = FullScale; value >= 0; --value) {
            window.put_control_property(TwoBarUpperBar, BarValue, Variant(value));
            window.put_control_property(TwoBarLowerBar, BarValue, Variant(value));
            pause(services.self, 1);
            services.toolkit.process_pending_events();
        }
    }
    if (efecto_salida) {
        play_closing_effect(services, window, TwoBarHeight);
    }
    // Closed, and at once loaded again as designed, hidden, for the next call.
    window.unload();
    window.load();
}

} // namespace

bool is_finishing_show(double reg1, double reg2, TextView s_texto1) {
    // A value that is not a number is not 0 or more.
    return s_texto1 == u"Fin" && reg1 >= 0 && reg2 >= 0;
}

Variant progress_show(ProgressWindows& windows, const ProgressServices& services, double reg1,
                      double reg2, TextView s_texto1, TextView s_texto2, TextView s_title,
                      bool regresa_a_0, bool efecto_salida) {
    Form& window = window_instance(windows.two_bar, services.toolkit, two_bar_design);
    if (is_finishing_show(reg1, reg2, s_texto1)) {
        finish(services, window, regresa_a_0, efecto_salida);
    } else {
        update(services, window, reg1, reg2, s_texto1, s_texto2, s_title);
    }
    return Variant();
}

} // namespace orbek
