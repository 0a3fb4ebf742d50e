// The thread's SysTools reached through the companion's COM class MireldaSys.SysTools.
#pragma once

#include "platform/sys_tools.h"

namespace orbek {

// CoCreateInstance of MireldaSys.SysTools wrapped as a SysTools; every failed call (and the
// creation itself) becomes a VbError carrying the companion's error number.
std::shared_ptr<SysTools> create_com_sys_tools();

} // namespace orbek
