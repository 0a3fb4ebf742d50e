#include "server_module.h"

#include <atomic>

namespace orbek::com {

namespace {

// Unloading is a decision for the whole process, so these two cannot live per thread: the
// handle is written once at load and the count is atomic.
HMODULE loaded_module = nullptr;
std::atomic<long> server_holds{0};

} // namespace

void set_server_module(HMODULE module) {
    loaded_module = module;
}

HMODULE server_module() {
    return loaded_module;
}

std::wstring server_path() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(loaded_module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void hold_server() {
    ++server_holds;
}

void release_server() {
    --server_holds;
}

bool server_in_use() {
    return server_holds.load() != 0;
}

HRESULT load_server_type_library(ITypeLib** library) {
    const std::wstring path = server_path();
    if (path.empty()) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, library);
}

} // namespace orbek::com
