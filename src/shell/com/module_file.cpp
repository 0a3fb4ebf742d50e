#include "module_file.h"

#include "Orbek_DLL.h"

// The linker's symbol at the start of this module's image: the module handle without a
// variable to keep it in.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace orbek::server {

HMODULE module_handle() {
    return reinterpret_cast<HMODULE>(&__ImageBase);
}

std::wstring module_path() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(module_handle(), path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return std::wstring();
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

HRESULT load_interface_type_info(ITypeInfo** info) {
    const std::wstring path = module_path();
    if (path.empty()) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    ITypeLib* library = nullptr;
    HRESULT result = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
    if (FAILED(result)) {
        return result;
    }
    result = library->GetTypeInfoOfGuid(IID__OrbekDLL, info);
    library->Release();
    return result;
}

} // namespace orbek::server
