// The companion's system information window: the operating system, the processor, the
// memory, the screen and the versions of Orbek_DLL.dll and MireldaSys.dll, with buttons to
// copy them and to close. Modeless, on the calling thread, independent of whatever window
// opened it.
#pragma once

#include "system_facts.h"

#include <windows.h>

namespace orbek::com {

inline constexpr wchar_t SystemInfoWindowClass[] = L"MireldaSysSystemInfo";

// Opens the window on the calling thread and returns at once; when this thread already shows
// one, it is brought to the front with its facts read anew. The caller's message loop keeps
// it working. While it is open the library stays loaded. Error 7 when it cannot be made.
void show_system_info_window();

// The facts of this machine and of this process's two libraries.
SystemFacts gather_system_facts();

} // namespace orbek::com
