#include "registration.h"

#include <cwchar>
#include <olectl.h>

namespace orbek::com {

namespace {

// The system's marshaller for automation-compatible interfaces, driven by the type library.
constexpr wchar_t AutomationMarshaller[] = L"{00020424-0000-0000-C000-000000000046}";

std::wstring guid_text(REFGUID guid) {
    wchar_t buffer[40] = {};
    StringFromGUID2(guid, buffer, 40);
    return buffer;
}

std::wstring hex_version(WORD major, WORD minor) {
    wchar_t buffer[16] = {};
    std::swprintf(buffer, 16, L"%x.%x", major, minor);
    return buffer;
}

std::wstring folder_of(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring name_of(ITypeLib* library, INT index) {
    BSTR name = nullptr;
    library->GetDocumentation(index, &name, nullptr, nullptr, nullptr);
    std::wstring result = name != nullptr ? name : L"";
    SysFreeString(name);
    return result;
}

std::wstring help_text_of(ITypeLib* library, INT index) {
    BSTR help = nullptr;
    library->GetDocumentation(index, nullptr, &help, nullptr, nullptr);
    std::wstring result = help != nullptr ? help : L"";
    SysFreeString(help);
    return result;
}

HKEY classes_root(RegistryScope scope, REGSAM access, HKEY* root) {
    const HKEY hive = scope == RegistryScope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    if (RegCreateKeyExW(hive, L"Software\\Classes", 0, nullptr, 0, access, nullptr, root,
                        nullptr) != ERROR_SUCCESS) {
        *root = nullptr;
    }
    return *root;
}

} // namespace

RegistryRecords registry_records(ITypeLib* library, const std::wstring& server_path) {
    RegistryRecords records;
    TLIBATTR* library_attributes = nullptr;
    if (FAILED(library->GetLibAttr(&library_attributes))) {
        return records;
    }
    const std::wstring library_id = guid_text(library_attributes->guid);
    const std::wstring version =
        hex_version(library_attributes->wMajorVerNum, library_attributes->wMinorVerNum);
    wchar_t locale[16] = {};
    std::swprintf(locale, 16, L"%lx", static_cast<unsigned long>(library_attributes->lcid));
    library->ReleaseTLibAttr(library_attributes);
    const std::wstring library_name = name_of(library, -1);
    const std::wstring platform = sizeof(void*) == 8 ? L"win64" : L"win32";

    const std::wstring library_key = L"TypeLib\\" + library_id;
    const std::wstring version_key = library_key + L"\\" + version;
    const std::wstring library_help = help_text_of(library, -1);
    records.values.push_back(
        {version_key, L"", library_help.empty() ? library_name : library_help});
    records.values.push_back({version_key + L"\\" + locale + L"\\" + platform, L"", server_path});
    records.values.push_back({version_key + L"\\FLAGS", L"", L"0"});
    records.values.push_back({version_key + L"\\HELPDIR", L"", folder_of(server_path)});
    records.owned_keys.push_back(library_key);

    const UINT count = library->GetTypeInfoCount();
    for (UINT index = 0; index < count; ++index) {
        ITypeInfo* info = nullptr;
        if (FAILED(library->GetTypeInfo(index, &info))) {
            continue;
        }
        TYPEATTR* attributes = nullptr;
        if (FAILED(info->GetTypeAttr(&attributes))) {
            info->Release();
            continue;
        }
        const std::wstring id = guid_text(attributes->guid);
        const std::wstring name = name_of(library, static_cast<INT>(index));
        const bool creatable_class =
            attributes->typekind == TKIND_COCLASS && (attributes->wTypeFlags & TYPEFLAG_FCANCREATE);
        const bool automation_interface =
            (attributes->typekind == TKIND_DISPATCH && (attributes->wTypeFlags & TYPEFLAG_FDUAL)) ||
            (attributes->typekind == TKIND_INTERFACE &&
             (attributes->wTypeFlags & TYPEFLAG_FOLEAUTOMATION));
        info->ReleaseTypeAttr(attributes);
        info->Release();

        if (creatable_class) {
            const std::wstring class_key = L"CLSID\\" + id;
            const std::wstring prog_id = library_name + L"." + name;
            records.values.push_back({class_key, L"", prog_id});
            records.values.push_back({class_key + L"\\InprocServer32", L"", server_path});
            records.values.push_back(
                {class_key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"});
            records.values.push_back({class_key + L"\\ProgID", L"", prog_id});
            records.values.push_back({class_key + L"\\TypeLib", L"", library_id});
            records.values.push_back({class_key + L"\\Version", L"", version});
            records.values.push_back({class_key + L"\\Programmable", L"", L""});
            records.values.push_back({prog_id, L"", name});
            records.values.push_back({prog_id + L"\\CLSID", L"", id});
            records.owned_keys.push_back(class_key);
            records.owned_keys.push_back(prog_id);
        } else if (automation_interface) {
            const std::wstring interface_key = L"Interface\\" + id;
            records.values.push_back({interface_key, L"", name});
            records.values.push_back(
                {interface_key + L"\\ProxyStubClsid32", L"", AutomationMarshaller});
            records.values.push_back(
                {interface_key + L"\\ProxyStubClsid", L"", AutomationMarshaller});
            records.values.push_back({interface_key + L"\\TypeLib", L"", library_id});
            records.values.push_back({interface_key + L"\\TypeLib", L"Version", version});
            records.owned_keys.push_back(interface_key);
        }
    }
    return records;
}

HRESULT write_registry_records(const RegistryRecords& records, RegistryScope scope) {
    HKEY root = nullptr;
    if (classes_root(scope, KEY_ALL_ACCESS, &root) == nullptr) {
        return SELFREG_E_CLASS;
    }
    HRESULT outcome = S_OK;
    for (const RegistryValue& value : records.values) {
        HKEY key = nullptr;
        LSTATUS status = RegCreateKeyExW(root, value.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                         nullptr, &key, nullptr);
        if (status == ERROR_SUCCESS) {
            const auto bytes = static_cast<DWORD>((value.data.size() + 1) * sizeof(wchar_t));
            status =
                RegSetValueExW(key, value.name.empty() ? nullptr : value.name.c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(value.data.c_str()), bytes);
            RegCloseKey(key);
        }
        if (status != ERROR_SUCCESS) {
            outcome = HRESULT_FROM_WIN32(status);
            break;
        }
    }
    RegCloseKey(root);
    if (FAILED(outcome)) {
        remove_registry_records(records, scope);
    }
    return outcome;
}

HRESULT remove_registry_records(const RegistryRecords& records, RegistryScope scope) {
    HKEY root = nullptr;
    if (classes_root(scope, KEY_ALL_ACCESS, &root) == nullptr) {
        return SELFREG_E_CLASS;
    }
    HRESULT outcome = S_OK;
    for (const std::wstring& key : records.owned_keys) {
        const LSTATUS status = RegDeleteTreeW(root, key.c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND && SUCCEEDED(outcome)) {
            outcome = HRESULT_FROM_WIN32(status);
        }
    }
    RegCloseKey(root);
    return outcome;
}

RegistryScope scope_of_install_command(const wchar_t* command) {
    if (command != nullptr && _wcsicmp(command, L"user") == 0) {
        return RegistryScope::User;
    }
    return RegistryScope::Machine;
}

} // namespace orbek::com
