// What the whole MireldaSys.dll process shares: its module handle and the count of live
// objects, factories and locks that decides whether it may be unloaded.
#pragma once

#include <oaidl.h>
#include <string>
#include <windows.h>

namespace orbek::com {

// Set once by DllMain when the library is loaded.
void set_server_module(HMODULE module);
HMODULE server_module();
std::wstring server_path();

// Every live object, factory and LockServer(TRUE) holds the server.
void hold_server();
void release_server();
bool server_in_use();

// The type library embedded in this file (resource TYPELIB 1).
HRESULT load_server_type_library(ITypeLib** library);

// The error source that scripts see.
inline constexpr wchar_t ErrorSource[] = L"MireldaSys";

} // namespace orbek::com
