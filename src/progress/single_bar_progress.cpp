#include "progress/single_bar_progress.h"

#include "automation/conversions.h"
#include "progress/progress_forms.h"
#include "progress/progress_steps.h"

namespace orbek {
namespace {

using namespace progress_forms;

constexpr std::int32_t FullScale = 100;

// How the two methods differ once the call's kind is known.
struct Family {
    void (*pause_before_run_down)(DelayMethod& self);
    std::int32_t run_down_level;
};

// The host's empty counting loop: a counter from 0 to 1,000,000 in Currency steps of 1, with
// nothing done on each step and no events handled. `volatile` keeps the count from being
// optimised away, so it takes the little time it always took.
void count_to_a_million(DelayMethod&) {
    constexpr std::int64_t Last = 1000000 * Currency::Scale;
    volatile std::int64_t counter = 0;
    while (counter <= Last) {
        counter = counter + Currency::Scale;
    }
}

void delay_at_level_5(DelayMethod& self) {
    pause(self, 5);
}

constexpr Family ProgressBarFamily{count_to_a_million, 5};
constexpr Family STIProgressBarFamily{delay_at_level_5, 1};

Form& single_bar_window(ProgressWindows& windows, const ProgressServices& services) {
    return window_instance(windows.single_bar, services.toolkit, single_bar_design);
}

// The dial takes the value as it is (a Currency keeps four decimals); the bar its whole
// number, halves to even, which fails with an overflow only after the dial is set.
void update(const ProgressServices& services, Form& window, const Variant& dial, TextView text,
            TextView caption) {
    window.set_height_twips(SingleBarHeight);
    window.put_control_property(SingleBarDial, DialValue, dial);
    window.put_control_property(SingleBarBar, BarValue, Variant(to_long(dial)));
    window.set_control_text(SingleBarText, text);
    window.set_caption(caption);
    services.toolkit.process_pending_events();
    window.show_modeless(); // on every update, shown or not
}

void finish(const ProgressServices& services, Form& window, const Family& family, bool regresa_a_0,
            bool efecto_salida) {
    if (regresa_a_0) {
        window.set_control_text(SingleBarText, u"");
        window.put_control_property(SingleBarDial, DialValue,
                                    Variant(static_cast<std::int16_t>(FullScale)));
        window.show_modeless();
        family.pause_before_run_down(services.self);
        for (std::int32_t value = FullScale; value >= 0; --value) {
            window.put_control_property(SingleBarBar, BarValue, Variant(value));
            window.put_control_property(SingleBarDial, DialValue,
                                        Variant(Currency::from_whole(value)));
            pause(services.self, family.run_down_level);
            services.toolkit.process_pending_events();
        }
    }
    if (efecto_salida) {
        play_closing_effect(services, window, SingleBarHeight);
    }
    window.hide(); // it stays loaded for the next call
}

} // namespace

Currency progress_percentage(Currency valor, Currency max) {
    const Currency hundred_fold = valor * Currency::from_whole(FullScale);
    return Currency::from_double(hundred_fold.to_double() / max.to_double());
}

Variant progress_bar(ProgressWindows& windows, const ProgressServices& services, Currency valor,
                     Currency /*min*/, Currency max, TextView ver_registro, TextView titulo,
                     bool regresa_a_0, bool efecto_salida) {
    const Currency percentage = progress_percentage(valor, max);
    Form& window = single_bar_window(windows, services);
    if (percentage < Currency::from_whole(FullScale)) {
        update(services, window, Variant(percentage), ver_registro, titulo);
    } else {
        finish(services, window, ProgressBarFamily, regresa_a_0, efecto_salida);
    }
    return Variant();
}

Variant sti_progress_bar(ProgressWindows& windows, const ProgressServices& services,
                         std::int16_t ipercentage, TextView s_message, TextView s_title,
                         bool regresa_a_0, bool efecto_salida) {
    Form& window = single_bar_window(windows, services);
    if (ipercentage < FullScale) {
        update(services, window, Variant(ipercentage), s_message, s_title);
    } else {
        finish(services, window, STIProgressBarFamily, regresa_a_0, efecto_salida);
    }
    return Variant();
}

} // namespace orbek
