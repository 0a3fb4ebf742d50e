// The native build's window layer: there are no windows to animate and no system information
// tool, so it keeps a list of what it was asked to do, for the command line and for tests.
#pragma once

#include "automation/variant.h"
#include "platform/window_layer.h"

#include <cstdint>
#include <vector>

namespace orbek {

struct WindowLayerCall {
    enum class Kind { CloseEffect, ShowSystemInfo };
    Kind kind = Kind::ShowSystemInfo;
    // The arguments of a closing effect; left at their defaults for the system information.
    Variant window;
    std::int32_t start = 0;
    std::int32_t height = 0;
    std::int32_t style = 0;
    friend bool operator==(const WindowLayerCall&, const WindowLayerCall&) = default;
};

class RecordingWindowLayer final : public WindowLayer {
  public:
    void close_effect(const Variant& window, std::int32_t start, std::int32_t height,
                      std::int32_t style) override;
    void show_system_info() override;

    const std::vector<WindowLayerCall>& calls() const { return calls_; }

  private:
    std::vector<WindowLayerCall> calls_;
};

} // namespace orbek
