// Self-registration of an in-process server: its registry records, written under the
// classes root of one scope and removed again value by value, so that whatever others added
// to the same keys survives unregistration.
#pragma once

#include <string>
#include <vector>
#include <windows.h>

namespace orbek::com {

// Machine-wide records go under HKLM\Software\Classes, per-user ones under
// HKCU\Software\Classes and nowhere else.
enum class RegistrationScope { Machine, User };

struct RegistryValue {
    std::wstring name; // empty: the key's default value
    std::wstring data; // always written as REG_SZ
};

// One key and the values the server owns in it. A key with no values is still listed when
// writing a subkey creates it, so that removal finds it and deletes it once it is empty.
struct RegistryKey {
    std::wstring path; // below the classes root; parents come before their subkeys
    std::vector<RegistryValue> values;
};

// The registry form of a GUID: braces, upper-case hex digits.
std::wstring text_of_guid(REFGUID guid);

// The folder holding the file at `path`, without a trailing separator; empty for a bare name.
std::wstring folder_of(const std::wstring& path);

// Writes every record; on failure removes what it wrote and returns the error.
HRESULT write_registry_keys(const std::vector<RegistryKey>& records, RegistrationScope scope);

// Removes the values the records name, then each of their keys that is left empty, subkeys
// before their parents. Keys and values others added stay; records already gone count as
// removed.
HRESULT remove_registry_keys(const std::vector<RegistryKey>& records, RegistrationScope scope);

// The scope DllInstall's command line names, as regsvr32 /n /i:<command> passes it: "user"
// (any case) for per-user, anything else, or none, machine-wide.
RegistrationScope scope_of_install_command(const wchar_t* command);

} // namespace orbek::com
