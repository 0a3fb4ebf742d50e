// The Windows platform: every service over the real API, made once for each thread that
// creates objects (the record of the thread's module state holds it).
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_component_file.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_profile_store.h"
#include "platform/win32/win32_window_toolkit.h"

namespace orbek {

class Win32Platform {
  public:
    // `module`: the DLL whose window classes the toolkit registers.
    explicit Win32Platform(HINSTANCE module);
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    const Platform& platform() const { return platform_; }

  private:
    Win32Clock clock_;
    Win32MessageBox message_box_;
    Win32WindowToolkit windows_;
    Win32FileSystem files_;
    Win32ProfileStore profiles_;
    Win32AnsiCodePage ansi_;
    Win32ComponentFile component_;
    Platform platform_;
};

} // namespace orbek
