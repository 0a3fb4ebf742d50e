// The registry records of an in-process server, worked out from its type library: the
// creatable classes with their ProgIDs, the automation interfaces and the type library.
#pragma once

#include <oaidl.h>
#include <string>
#include <vector>
#include <windows.h>

namespace orbek::com {

// Machine-wide records go under HKLM\Software\Classes, per-user ones under
// HKCU\Software\Classes and nowhere else.
enum class RegistryScope { Machine, User };

struct RegistryValue {
    std::wstring key;  // below the Classes root
    std::wstring name; // empty for the key's default value
    std::wstring data;
};

struct RegistryRecords {
    std::vector<RegistryValue> values;
    std::vector<std::wstring> owned_keys; // removed whole when unregistering
};

RegistryRecords registry_records(ITypeLib* library, const std::wstring& server_path);

HRESULT write_registry_records(const RegistryRecords& records, RegistryScope scope);
// Keys already gone count as removed.
HRESULT remove_registry_records(const RegistryRecords& records, RegistryScope scope);

// The scope DllInstall's command line names: "user" (any case) for per-user, anything else
// machine-wide, as Orbek_DLL.dll reads it.
RegistryScope scope_of_install_command(const wchar_t* command);

} // namespace orbek::com
