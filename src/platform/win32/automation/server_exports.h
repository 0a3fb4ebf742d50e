// The work behind the exports every in-process server of ours has (DllGetClassObject,
// DllCanUnloadNow, DllRegisterServer, DllUnregisterServer, DllInstall), the same for each:
// the registry records always come from the server's own type library.
#pragma once

#include "automation/interface_decl.h"
#include "platform/win32/automation/server_registration.h"

#include <windows.h>

namespace orbek::com {

// The class factory of the declared class, which makes objects with `create`.
HRESULT get_class_object(const InterfaceDecl& decl, HRESULT (*create)(REFIID, void**),
                         REFCLSID wanted, REFIID iid, void** object);

// S_OK when no object and no lock holds the server; the calling thread's record goes then.
HRESULT can_unload_now();

// Writes (or removes) the records of the server's creatable class, its interface and its type
// library, worked out from the type library inside the server's file.
HRESULT register_server(RegistrationScope scope);
HRESULT unregister_server(RegistrationScope scope);

// DllInstall: regsvr32 /n /i:user registers for the current user only, /u /n /i:user removes
// that; any other command text means machine-wide.
HRESULT install_server(BOOL install, const wchar_t* command);

} // namespace orbek::com
