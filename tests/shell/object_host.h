// An OrbekDLL object on one simulated thread, with our companion and a clock that only
// records the pauses asked of it.
#pragma once

#include "automation/vb_error.h"
#include "platform/posix/recording_window_layer.h"
#include "shell/environment.h"
#include "shell/module_state.h"
#include "shell/orbek_object.h"
#include "sys_tools_impl.h"

#include <memory>
#include <vector>

namespace orbek::testing {

class RecordingClock final : public Clock {
  public:
    double now() const override { return 46361.5; } // 05/12/2026 12:00:00
    void sleep_milliseconds(int milliseconds) const override { sleeps.push_back(milliseconds); }
    mutable std::vector<int> sleeps;
};

// Counts the SysTools objects it makes; can be switched to fail like an unregistered
// companion library.
struct CompanionFactory {
    RecordingWindowLayer windows;
    bool available = true;
    int made = 0;

    SysToolsFactory factory() {
        return [this]() -> std::shared_ptr<SysTools> {
            if (!available) {
                throw VbError(vb::CannotCreateObject);
            }
            ++made;
            return std::make_shared<SysToolsImpl>(windows);
        };
    }
};

struct ThreadHost {
    RecordingClock clock;
    CompanionFactory companion;
    ModuleState state;
    Environment environment{&clock, companion.factory()};

    std::unique_ptr<OrbekObject> create() {
        return std::make_unique<OrbekObject>(state, environment);
    }
};

} // namespace orbek::testing
