// This library's own file: where registration points COM and where the type library lies.
#pragma once

#include <oaidl.h>
#include <string>
#include <windows.h>

namespace orbek::server {

HMODULE module_handle();
// The full path of Orbek_DLL.dll; empty when the system cannot say.
std::wstring module_path();

// The type information of _OrbekDLL from the type library inside the file.
HRESULT load_interface_type_info(ITypeInfo** info);

} // namespace orbek::server
