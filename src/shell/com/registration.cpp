#include "registration.h"

#include "Orbek_DLL.h"
#include "module_file.h"

namespace orbek::server {

using com::folder_of;
using com::RegistryKey;
using com::text_of_guid;

namespace {

constexpr wchar_t ClassName[] = L"OrbekDLL";
constexpr wchar_t ProgId[] = L"Orbek_DLL.OrbekDLL";
constexpr wchar_t InterfaceName[] = L"_OrbekDLL";
constexpr wchar_t TypeLibraryHelp[] = L"Orbek_Dll";
constexpr wchar_t TypeLibraryVersion[] = L"1.0";
// The automation marshaler (PSOAInterface), which marshals a dual interface from its type
// library.
constexpr wchar_t AutomationProxyStub[] = L"{00020424-0000-0000-C000-000000000046}";
// The type library's files are kept per platform under locale 0, which every locale's
// lookup falls back to.
constexpr const wchar_t* TypeLibraryPlatform = sizeof(void*) == 8 ? L"win64" : L"win32";

} // namespace

std::vector<RegistryKey> server_records(const std::wstring& module_path) {
    const std::wstring clsid = L"CLSID\\" + text_of_guid(CLSID_OrbekDLL);
    const std::wstring library_id = text_of_guid(LIBID_Orbek_DLL);
    const std::wstring interface_key = L"Interface\\" + text_of_guid(IID__OrbekDLL);
    const std::wstring library = L"TypeLib\\" + library_id;
    const std::wstring library_version = library + L"\\" + TypeLibraryVersion;

    return {
        {clsid, {{L"", ClassName}}},
        {clsid + L"\\InprocServer32", {{L"", module_path}, {L"ThreadingModel", L"Apartment"}}},
        {clsid + L"\\ProgID", {{L"", ProgId}}},
        {clsid + L"\\Programmable", {}},
        {clsid + L"\\TypeLib", {{L"", library_id}}},
        {clsid + L"\\Version", {{L"", TypeLibraryVersion}}},
        {ProgId, {{L"", ClassName}}},
        {std::wstring(ProgId) + L"\\CLSID", {{L"", text_of_guid(CLSID_OrbekDLL)}}},
        {interface_key, {{L"", InterfaceName}}},
        {interface_key + L"\\ProxyStubClsid", {{L"", AutomationProxyStub}}},
        {interface_key + L"\\ProxyStubClsid32", {{L"", AutomationProxyStub}}},
        {interface_key + L"\\TypeLib", {{L"", library_id}, {L"Version", TypeLibraryVersion}}},
        {library, {}},
        {library_version, {{L"", TypeLibraryHelp}}},
        {library_version + L"\\0", {}},
        {library_version + L"\\0\\" + TypeLibraryPlatform, {{L"", module_path}}},
        {library_version + L"\\FLAGS", {{L"", L"0"}}},
        {library_version + L"\\HELPDIR", {{L"", folder_of(module_path)}}},
    };
}

HRESULT register_server(com::RegistrationScope scope) {
    const std::wstring path = module_path();
    if (path.empty()) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    return com::write_registry_keys(server_records(path), scope);
}

HRESULT unregister_server(com::RegistrationScope scope) {
    return com::remove_registry_keys(server_records(module_path()), scope);
}

} // namespace orbek::server
