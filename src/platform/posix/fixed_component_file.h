// Where the native build says the component's file lies: a Windows path fixed by the host,
// by default C:\Kalvix\Orbek_DLL.dll (under the folder that stands for drive C:), so its
// settings file is C:\Kalvix\Orbek_DLL.INI.
#pragma once

#include "platform/component_file.h"

namespace orbek {

inline constexpr char16_t DefaultComponentPath[] = u"C:\\Kalvix\\Orbek_DLL.dll";

class FixedComponentFile final : public ComponentFile {
  public:
    explicit FixedComponentFile(Text path = DefaultComponentPath) : path_(std::move(path)) {}
    Text path() const override { return path_; }

  private:
    Text path_;
};

} // namespace orbek
