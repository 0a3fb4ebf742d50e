// The implementation of every declared operation of SysTools, in declaration order.
#pragma once

#include "automation/typed_call.h"
#include "platform/sys_tools.h"
#include "sys_tools_interface.h"

namespace orbek {

using SysToolsMethods =
    MethodTable<SysToolsInterface, &SysTools::ShowSystemInfo, &SysTools::CloseEffect,
                &SysTools::PadText, &SysTools::DecodeText, &SysTools::ToBitText,
                &SysTools::DaysInMonth, &SysTools::DateToText, &SysTools::EncodeText>;

} // namespace orbek
