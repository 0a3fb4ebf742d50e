#include "platform/win32/win32_platform.h"

#include "platform/win32/com_sys_tools.h"

namespace orbek {

Win32Platform::Win32Platform(HINSTANCE module)
    : windows_(module), platform_{clock_,       create_com_sys_tools,
                                  message_box_, windows_,
                                  files_,       profiles_,
                                  ansi_,        component_} {}

} // namespace orbek
