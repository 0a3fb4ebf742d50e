// The registry records of an in-process server, worked out from its type library: the
// creatable classes with their ProgIDs, the automation interfaces and the type library.
#pragma once

#include "platform/win32/automation/server_registration.h"

#include <oaidl.h>
#include <string>
#include <vector>
#include <windows.h>

namespace orbek::com {

// Empty when the library's own attributes cannot be read.
std::vector<RegistryKey> registry_records(ITypeLib* library, const std::wstring& server_path);

} // namespace orbek::com
