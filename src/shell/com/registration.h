// The registry records that make OrbekDLL creatable by CLSID and ProgID, describe its
// interface to the automation marshaler and locate its type library; written machine-wide
// (HKLM\Software\Classes) or for the current user only (HKCU\Software\Classes).
#pragma once

#include "platform/win32/automation/server_registration.h"

#include <string>
#include <vector>
#include <windows.h>

namespace orbek::server {

// The records for this library's file at `module_path`.
std::vector<com::RegistryKey> server_records(const std::wstring& module_path);

// Writes every record; on failure removes what it wrote and returns the error.
HRESULT register_server(com::RegistrationScope scope);

// Removes the values registration wrote, and each of its keys that is then empty; keys and
// values others added stay. Records that are not there count as removed.
HRESULT unregister_server(com::RegistrationScope scope);

} // namespace orbek::server
