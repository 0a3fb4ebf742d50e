// Where the component's own file lies, as a Windows path: its INI settings file sits beside it.
#pragma once

#include "automation/text.h"

namespace orbek {

class ComponentFile {
  public:
    virtual ~ComponentFile() = default;
    // The full path of the component's file ("C:\Kalvix\Orbek_DLL.dll"). A platform that
    // cannot tell throws a VbError, which reaches the caller of the method.
    virtual Text path() const = 0;
};

} // namespace orbek
