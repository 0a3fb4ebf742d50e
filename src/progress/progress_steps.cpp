#include "progress/progress_steps.h"

namespace orbek {

Form& window_instance(std::unique_ptr<Form>& slot, WindowToolkit& toolkit, FormDesign (*design)()) {
    if (!slot) {
        slot = toolkit.create_form(design());
    }
    return *slot;
}

void pause(DelayMethod& self, std::int32_t level) {
    self.Delay(level);
}

void play_closing_effect(const ProgressServices& services, Form& window, std::int32_t full_height) {
    std::int32_t start = 0;
    std::int32_t height = full_height;
    const Variant handle(window.window_handle());
    services.sys_tools.CloseEffect(start, height, 0, handle);
}

} // namespace orbek
