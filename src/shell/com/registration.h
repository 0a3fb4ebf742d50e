// The registry records that make OrbekDLL creatable by CLSID and ProgID, describe its
// interface to the automation marshaler and locate its type library; written machine-wide
// (HKLM\Software\Classes) or for the current user only (HKCU\Software\Classes).
#pragma once

#include <string>
#include <vector>
#include <windows.h>

namespace orbek::server {

enum class RegistrationScope { Machine, User };

struct RegistryValue {
    std::wstring name; // empty: the key's default value
    std::wstring data;
};

struct RegistryKey {
    std::wstring path; // below the classes root; parents come before their subkeys
    std::vector<RegistryValue> values;
};

// The records for this library's file at `module_path`.
std::vector<RegistryKey> server_records(const std::wstring& module_path);

// Writes every record; on failure removes what it wrote and returns the error.
HRESULT register_server(RegistrationScope scope);

// Removes the values registration wrote, and each of its keys that is then empty; keys and
// values others added stay. Records that are not there count as removed.
HRESULT unregister_server(RegistrationScope scope);

} // namespace orbek::server
