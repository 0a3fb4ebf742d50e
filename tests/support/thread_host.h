// OrbekDLL objects on one simulated thread of the native platform, with our companion and a
// clock that stands still and only records the pauses asked of it.
#pragma once

#include "platform/posix/posix_platform.h"
#include "shell/module_state.h"
#include "shell/orbek_object.h"

#include <memory>
#include <vector>

namespace orbek::testing {

class RecordingClock final : public Clock {
  public:
    double now() const override { return 46361.5; } // 05/12/2026 12:00:00
    void sleep_milliseconds(int milliseconds) const override { sleeps.push_back(milliseconds); }
    mutable std::vector<int> sleeps;
};

// The messages shown to the user, as "title|text".
class RecordingMessageBox final : public UserMessageBox {
  public:
    void show_information(TextView message, TextView title) override {
        shown.push_back(Text(title) + u"|" + Text(message));
    }
    std::vector<Text> shown;
};

struct ThreadHost {
    RecordingClock clock;
    RecordingMessageBox messages;
    PosixPlatform posix{{clock, messages}};
    ModuleState state;

    std::unique_ptr<OrbekObject> create() {
        return std::make_unique<OrbekObject>(state, posix.platform());
    }
};

} // namespace orbek::testing
