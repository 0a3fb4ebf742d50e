// The component's own file on Windows: the module this code is linked into (Orbek_DLL.dll
// inside a host), never the host program.
#pragma once

#include "platform/component_file.h"

namespace orbek {

class Win32ComponentFile final : public ComponentFile {
  public:
    Text path() const override;
};

} // namespace orbek
