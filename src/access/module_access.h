// Whether a user's encoded rights text grants one of the host's 16 modules.
#pragma once

#include "automation/text.h"
#include "platform/sys_tools.h"

#include <cstdint>

namespace orbek {

bool module_granted(TextView rights, std::int16_t module, SysTools& tools); // Acceso

} // namespace orbek
