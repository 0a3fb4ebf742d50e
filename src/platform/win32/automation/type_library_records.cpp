#include "platform/win32/automation/type_library_records.h"

#include <cwchar>

namespace orbek::com {

namespace {

// The system's marshaller for automation-compatible interfaces, driven by the type library.
constexpr wchar_t AutomationMarshaller[] = L"{00020424-0000-0000-C000-000000000046}";

std::wstring hex_version(WORD major, WORD minor) {
    wchar_t buffer[16] = {};
    std::swprintf(buffer, 16, L"%x.%x", major, minor);
    return buffer;
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

// The type library's own keys: its GUID, the version, the locale and the platform path.
void add_library_records(std::vector<RegistryKey>& records, const std::wstring& library_id,
                         const std::wstring& version, LCID lcid, const std::wstring& description,
                         const std::wstring& server_path) {
    const std::wstring library_key = L"TypeLib\\" + library_id;
    const std::wstring version_key = library_key + L"\\" + version;
    wchar_t locale[16] = {};
    std::swprintf(locale, 16, L"%lx", static_cast<unsigned long>(lcid));
    const std::wstring locale_key = version_key + L"\\" + locale;
    const wchar_t* platform = sizeof(void*) == 8 ? L"win64" : L"win32";

    records.push_back({library_key, {}});
    records.push_back({version_key, {{L"", description}}});
    records.push_back({locale_key, {}});
    records.push_back({locale_key + L"\\" + platform, {{L"", server_path}}});
    records.push_back({version_key + L"\\FLAGS", {{L"", L"0"}}});
    records.push_back({version_key + L"\\HELPDIR", {{L"", folder_of(server_path)}}});
}

// A creatable class: its CLSID key and a ProgID of the library's name and its own.
void add_class_records(std::vector<RegistryKey>& records, const std::wstring& id,
                       const std::wstring& name, const std::wstring& library_name,
                       const std::wstring& library_id, const std::wstring& version,
                       const std::wstring& server_path) {
    const std::wstring class_key = L"CLSID\\" + id;
    const std::wstring prog_id = library_name + L"." + name;
    records.push_back({class_key, {{L"", prog_id}}});
    records.push_back(
        {class_key + L"\\InprocServer32", {{L"", server_path}, {L"ThreadingModel", L"Apartment"}}});
    records.push_back({class_key + L"\\ProgID", {{L"", prog_id}}});
    records.push_back({class_key + L"\\TypeLib", {{L"", library_id}}});
    records.push_back({class_key + L"\\Version", {{L"", version}}});
    records.push_back({class_key + L"\\Programmable", {{L"", L""}}});
    records.push_back({prog_id, {{L"", name}}});
    records.push_back({prog_id + L"\\CLSID", {{L"", id}}});
}

// An interface callers reach through the automation marshaller.
void add_interface_records(std::vector<RegistryKey>& records, const std::wstring& id,
                           const std::wstring& name, const std::wstring& library_id,
                           const std::wstring& version) {
    const std::wstring interface_key = L"Interface\\" + id;
    records.push_back({interface_key, {{L"", name}}});
    records.push_back({interface_key + L"\\ProxyStubClsid32", {{L"", AutomationMarshaller}}});
    records.push_back({interface_key + L"\\ProxyStubClsid", {{L"", AutomationMarshaller}}});
    records.push_back({interface_key + L"\\TypeLib", {{L"", library_id}, {L"Version", version}}});
}

} // namespace

std::vector<RegistryKey> registry_records(ITypeLib* library, const std::wstring& server_path) {
    std::vector<RegistryKey> records;
    TLIBATTR* library_attributes = nullptr;
    if (FAILED(library->GetLibAttr(&library_attributes))) {
        return records;
    }
    const std::wstring library_id = text_of_guid(library_attributes->guid);
    const std::wstring version =
        hex_version(library_attributes->wMajorVerNum, library_attributes->wMinorVerNum);
    const LCID lcid = library_attributes->lcid;
    library->ReleaseTLibAttr(library_attributes);
    const std::wstring library_name = name_of(library, -1);
    const std::wstring library_help = help_text_of(library, -1);
    add_library_records(records, library_id, version, lcid,
                        library_help.empty() ? library_name : library_help, server_path);

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
        const std::wstring id = text_of_guid(attributes->guid);
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
            add_class_records(records, id, name, library_name, library_id, version, server_path);
        } else if (automation_interface) {
            add_interface_records(records, id, name, library_id, version);
        }
    }
    return records;
}

} // namespace orbek::com
