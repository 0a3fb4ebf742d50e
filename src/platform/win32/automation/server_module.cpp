#include "platform/win32/automation/server_module.h"

#include <atomic>

// The linker's symbol at the start of the image this code is linked into.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace orbek::com {
namespace {

// The server's only variables. COM asks DllCanUnloadNow without naming a thread, so the count
// of what holds the server is the whole library's; and the slot index is how every thread finds
// its own record, so all of them share it. Everything else lives in a thread's record. (No C++
// thread_local: its destructors would run from the runtime after the library is gone.)
std::atomic<long> server_holds{0};
DWORD thread_slot = TLS_OUT_OF_INDEXES;

using RecordHandle = std::shared_ptr<ThreadRecordBase>;

RecordHandle* slot_entry() {
    if (thread_slot == TLS_OUT_OF_INDEXES) {
        return nullptr;
    }
    return static_cast<RecordHandle*>(TlsGetValue(thread_slot));
}

} // namespace

HMODULE server_module() {
    return reinterpret_cast<HMODULE>(&__ImageBase);
}

std::wstring server_path() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(server_module(), path.data(), static_cast<DWORD>(path.size()));
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

HRESULT load_server_type_library(ITypeLib** library) {
    const std::wstring path = server_path();
    if (path.empty()) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, library);
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

bool attach_server() {
    thread_slot = TlsAlloc();
    return thread_slot != TLS_OUT_OF_INDEXES;
}

// Records of threads that still have one are left to the process: releasing them could call
// into another library that is already unloaded when this one goes.
void detach_server() {
    if (thread_slot != TLS_OUT_OF_INDEXES) {
        TlsFree(thread_slot);
        thread_slot = TLS_OUT_OF_INDEXES;
    }
}

std::shared_ptr<ThreadRecordBase>
calling_thread_record(std::shared_ptr<ThreadRecordBase> (*make)()) {
    if (RecordHandle* entry = slot_entry()) {
        return *entry;
    }
    RecordHandle record = make();
    if (thread_slot != TLS_OUT_OF_INDEXES) {
        auto* entry = new RecordHandle(record);
        if (!TlsSetValue(thread_slot, entry)) {
            delete entry; // the record then serves this object alone
        }
    }
    return record;
}

void release_calling_thread_record() {
    if (RecordHandle* entry = slot_entry()) {
        TlsSetValue(thread_slot, nullptr);
        delete entry;
    }
}

CachedTypeInfo::~CachedTypeInfo() {
    if (info_ != nullptr) {
        info_->Release();
    }
}

HRESULT CachedTypeInfo::get(REFIID iid, ITypeInfo** info) {
    if (info_ == nullptr) {
        ITypeLib* library = nullptr;
        HRESULT result = load_server_type_library(&library);
        if (FAILED(result)) {
            return result;
        }
        result = library->GetTypeInfoOfGuid(iid, &info_);
        library->Release();
        if (FAILED(result)) {
            info_ = nullptr;
            return result;
        }
    }
    info_->AddRef();
    *info = info_;
    return S_OK;
}

} // namespace orbek::com
