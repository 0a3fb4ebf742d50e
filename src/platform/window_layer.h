// What the companion asks of the window system: a closing effect on a window and the
// system information tool.
#pragma once

#include "automation/variant.h"

#include <cstdint>

namespace orbek {

class WindowLayer {
  public:
    virtual ~WindowLayer() = default;
    // Plays the closing effect on the window and returns when it has ended.
    virtual void close_effect(const Variant& window, std::int32_t start, std::int32_t height,
                              std::int32_t style) = 0;
    virtual void show_system_info() = 0;
};

} // namespace orbek
