// The GUIDs a DLL's embedded type library gives its classes, interfaces and itself: what its
// registration must record and its unregistration remove.
#pragma once

#include <string>
#include <vector>
#include <windows.h>

namespace wine_checks {

struct ServerIdentity {
    bool loaded = false;
    std::wstring library_id; // {...}
    std::wstring version;    // "1.0"
    std::vector<std::wstring> class_ids;
    std::vector<std::wstring> interface_ids; // the dual and automation interfaces
};

ServerIdentity identity_of(const wchar_t* dll_path);

std::wstring guid_text(REFGUID guid);

} // namespace wine_checks
