// The companion's window work on Windows: the closing roll of a window and the system
// information tool.
#pragma once

#include "platform/window_layer.h"

#include <windows.h>

namespace orbek::com {

class Win32WindowLayer final : public WindowLayer {
  public:
    // The window is its handle as a number, or an object with an hWnd property. The window
    // rolls up from `height` twips to `start` twips (callers pass 0, so it closes entirely)
    // in sixteen steps over a quarter of a second, repainting after each; every style plays
    // the same roll. A handle that is not a window is error 5.
    void close_effect(const Variant& window, std::int32_t start, std::int32_t height,
                      std::int32_t style) override;
    // Starts msinfo32.exe and returns; error 53 when it cannot be started.
    void show_system_info() override;
};

// The window a Variant names: a handle number, or an object's hWnd property. Nothing is
// error 91, a value that is neither a number nor an object error 13.
HWND window_handle_of(const Variant& window);

} // namespace orbek::com
