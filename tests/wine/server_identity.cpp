#include "server_identity.h"

#include <cwchar>
#include <oaidl.h>

namespace wine_checks {

std::wstring guid_text(REFGUID guid) {
    wchar_t buffer[40] = {};
    StringFromGUID2(guid, buffer, 40);
    return buffer;
}

ServerIdentity identity_of(const wchar_t* dll_path) {
    ServerIdentity identity;
    ITypeLib* library = nullptr;
    if (FAILED(LoadTypeLibEx(dll_path, REGKIND_NONE, &library))) {
        return identity;
    }
    TLIBATTR* attributes = nullptr;
    if (SUCCEEDED(library->GetLibAttr(&attributes))) {
        identity.library_id = guid_text(attributes->guid);
        wchar_t version[16] = {};
        std::swprintf(version, 16, L"%x.%x", attributes->wMajorVerNum, attributes->wMinorVerNum);
        identity.version = version;
        library->ReleaseTLibAttr(attributes);
        identity.loaded = true;
    }
    for (UINT index = 0; index < library->GetTypeInfoCount(); ++index) {
        TYPEKIND kind = TKIND_MAX;
        library->GetTypeInfoType(index, &kind);
        ITypeInfo* info = nullptr;
        if (FAILED(library->GetTypeInfo(index, &info))) {
            continue;
        }
        TYPEATTR* type = nullptr;
        if (SUCCEEDED(info->GetTypeAttr(&type))) {
            if (kind == TKIND_COCLASS) {
                identity.class_ids.push_back(guid_text(type->guid));
            } else if (kind == TKIND_DISPATCH || kind == TKIND_INTERFACE) {
                identity.interface_ids.push_back(guid_text(type->guid));
            }
            info->ReleaseTypeAttr(type);
        }
        info->Release();
    }
    library->Release();
    return identity;
}

} // namespace wine_checks
