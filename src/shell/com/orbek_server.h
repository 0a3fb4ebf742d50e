// OrbekDLL as a COM object: the dual interface _OrbekDLL over the core's OrbekObject, which
// works on the record of the thread that created it.
#pragma once

#include "platform/win32/automation/dual_object.h"
#include "platform/win32/automation/server_module.h"
#include "platform/win32/win32_platform.h"
#include "shell/module_state.h"
#include "shell/orbek_object.h"

#include <memory>

namespace orbek::server {

// Everything the objects of one thread share.
struct ThreadRecord final : com::ThreadRecordBase {
    Win32Platform platform{com::server_module()};
    ModuleState state; // after the platform: its windows go before the toolkit
    com::CachedTypeInfo type_info;
};

class OrbekServer {
  public:
    using Methods = OrbekMethods;
    static constexpr const wchar_t* error_source = L"Orbek_DLL";

    // Joins the calling thread's record (made on first use) and runs the class start.
    OrbekServer();

    OrbekObject& implementation() { return object_; }
    HRESULT type_info(ITypeInfo** info);

  private:
    std::shared_ptr<ThreadRecord> thread_;
    OrbekObject object_;
};

using OrbekComObject = com::DualObject<OrbekServer>;

} // namespace orbek::server
