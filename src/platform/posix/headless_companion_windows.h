// The companion's window work on the native build: there is no screen, so its closing effect and
// system information are lines in the headless toolkit's record, in order with the windows'
// own operations.
#pragma once

#include "platform/posix/headless_window_toolkit.h"
#include "platform/window_layer.h"

namespace orbek {

class HeadlessCompanionWindows final : public WindowLayer {
  public:
    explicit HeadlessCompanionWindows(HeadlessWindowToolkit& toolkit) : toolkit_(toolkit) {}

    // "CloseEffect 0, 3135, 0, FrmProgressBar": the window by its design name when it is one of
    // the toolkit's forms, else the value as given.
    void close_effect(const Variant& window, std::int32_t start, std::int32_t height,
                      std::int32_t style) override;
    void show_system_info() override;

  private:
    HeadlessWindowToolkit& toolkit_;
};

} // namespace orbek
