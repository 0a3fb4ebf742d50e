#include "registration.h"

#include "Orbek_DLL.h"
#include "module_file.h"

#include <objbase.h>

namespace orbek::server {
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

std::wstring text_of_guid(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring folder_of(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

HKEY scope_root(RegistrationScope scope) {
    return scope == RegistrationScope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

class OpenKey {
  public:
    OpenKey() = default;
    ~OpenKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

LSTATUS write_key(HKEY root, const RegistryKey& record) {
    OpenKey key;
    LSTATUS status = RegCreateKeyExW(root, record.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_WRITE, nullptr, key.out(), nullptr);
    for (const RegistryValue& value : record.values) {
        if (status != ERROR_SUCCESS) {
            break;
        }
        const DWORD bytes = static_cast<DWORD>((value.data.size() + 1) * sizeof(wchar_t));
        status = RegSetValueExW(key.get(), value.name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.data.c_str()), bytes);
    }
    return status;
}

bool is_empty_key(HKEY key) {
    DWORD subkeys = 0;
    DWORD values = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return subkeys == 0 && values == 0;
}

LSTATUS remove_key(HKEY root, const RegistryKey& record) {
    bool empty = false;
    {
        OpenKey key;
        LSTATUS status =
            RegOpenKeyExW(root, record.path.c_str(), 0, KEY_READ | KEY_WRITE, key.out());
        if (status == ERROR_FILE_NOT_FOUND) {
            return ERROR_SUCCESS;
        }
        if (status != ERROR_SUCCESS) {
            return status;
        }
        for (const RegistryValue& value : record.values) {
            status = RegDeleteValueW(key.get(), value.name.c_str());
            if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
                return status;
            }
        }
        empty = is_empty_key(key.get());
    }
    if (!empty) {
        return ERROR_SUCCESS;
    }
    const LSTATUS status = RegDeleteKeyW(root, record.path.c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

// Later records are subkeys of earlier ones: remove from the end.
LSTATUS remove_records(HKEY root, const std::vector<RegistryKey>& records) {
    LSTATUS first_failure = ERROR_SUCCESS;
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        const LSTATUS status = remove_key(root, *record);
        if (first_failure == ERROR_SUCCESS) {
            first_failure = status;
        }
    }
    return first_failure;
}

HRESULT open_classes_root(RegistrationScope scope, REGSAM access, OpenKey& classes) {
    const LSTATUS status =
        RegCreateKeyExW(scope_root(scope), L"Software\\Classes", 0, nullptr,
                        REG_OPTION_NON_VOLATILE, access, nullptr, classes.out(), nullptr);
    return HRESULT_FROM_WIN32(status);
}

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

HRESULT register_server(RegistrationScope scope) {
    const std::wstring path = module_path();
    if (path.empty()) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    OpenKey classes;
    const HRESULT opened = open_classes_root(scope, KEY_READ | KEY_WRITE, classes);
    if (FAILED(opened)) {
        return opened;
    }
    const std::vector<RegistryKey> records = server_records(path);
    for (const RegistryKey& record : records) {
        const LSTATUS status = write_key(classes.get(), record);
        if (status != ERROR_SUCCESS) {
            remove_records(classes.get(), records);
            return HRESULT_FROM_WIN32(status);
        }
    }
    return S_OK;
}

HRESULT unregister_server(RegistrationScope scope) {
    OpenKey classes;
    const LSTATUS status = RegOpenKeyExW(scope_root(scope), L"Software\\Classes", 0,
                                         KEY_READ | KEY_WRITE, classes.out());
    if (status == ERROR_FILE_NOT_FOUND) {
        return S_OK;
    }
    if (status != ERROR_SUCCESS) {
        return HRESULT_FROM_WIN32(status);
    }
    return HRESULT_FROM_WIN32(remove_records(classes.get(), server_records(module_path())));
}

} // namespace orbek::server
