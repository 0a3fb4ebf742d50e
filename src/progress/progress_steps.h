// Steps that both progress windows take.
#pragma once

#include "platform/form_design.h"
#include "progress/progress_windows.h"

#include <cstdint>
#include <memory>

namespace orbek {

// The thread's instance of a window, made from its design the first time it is asked for.
Form& window_instance(std::unique_ptr<Form>& slot, WindowToolkit& toolkit, FormDesign (*design)());

// One call of the object's Delay with this level.
void pause(DelayMethod& self, std::int32_t level);

// The companion's closing effect on the window, from its full height down to nothing.
void play_closing_effect(const ProgressServices& services, Form& window, std::int32_t full_height);

} // namespace orbek
