// SysTools as a COM object: the dual interface _SysTools over our SysTools operations.
#pragma once

#include "platform/win32/automation/dual_object.h"
#include "platform/win32/automation/server_module.h"
#include "sys_tools_impl.h"
#include "sys_tools_methods.h"
#include "win32_window_layer.h"

#include <memory>

namespace orbek::com {

// What the objects of one thread share.
struct CompanionThread final : ThreadRecordBase {
    CachedTypeInfo type_info;
};

class SysToolsServer {
  public:
    using Methods = SysToolsMethods;
    static constexpr const wchar_t* error_source = L"MireldaSys";

    SysToolsServer();

    SysTools& implementation() { return tools_; }
    HRESULT type_info(ITypeInfo** info);

  private:
    std::shared_ptr<CompanionThread> thread_;
    Win32WindowLayer windows_;
    SysToolsImpl tools_{windows_};
};

using SysToolsComObject = DualObject<SysToolsServer>;

} // namespace orbek::com
