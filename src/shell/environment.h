// The platform services an object works with, chosen by whoever hosts the core.
#pragma once

#include "platform/clock.h"
#include "platform/sys_tools.h"

namespace orbek {

struct Environment {
    const Clock* clock = nullptr;
    SysToolsFactory make_sys_tools;
};

} // namespace orbek
