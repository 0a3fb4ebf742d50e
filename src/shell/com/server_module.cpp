#include "server_module.h"

#include "platform/win32/com_sys_tools.h"

#include <windows.h>

namespace orbek::server {
namespace {

// The library's only variables. COM asks DllCanUnloadNow without naming an object, so the
// counts of live objects and locks must be the library's own; and the slot index is how
// every thread finds its own record, so it is shared by all of them. Everything else the
// component keeps lives in a thread's record. (No C++ thread_local: its destructors would
// run from the runtime after the library is gone.)
LONG live_objects = 0;
LONG server_locks = 0;
DWORD thread_slot = TLS_OUT_OF_INDEXES;

using RecordHandle = std::shared_ptr<ThreadRecord>;

RecordHandle* slot_entry() {
    if (thread_slot == TLS_OUT_OF_INDEXES) {
        return nullptr;
    }
    return static_cast<RecordHandle*>(TlsGetValue(thread_slot));
}

} // namespace

ThreadRecord::ThreadRecord() : environment{&clock, create_com_sys_tools} {}

bool attach_process() {
    thread_slot = TlsAlloc();
    return thread_slot != TLS_OUT_OF_INDEXES;
}

// Records of threads that still have one are left behind: releasing them would call into
// the companion library, which may already be unloaded when this library goes.
void detach_process() {
    if (thread_slot != TLS_OUT_OF_INDEXES) {
        TlsFree(thread_slot);
        thread_slot = TLS_OUT_OF_INDEXES;
    }
}

void detach_thread() {
    release_calling_thread_record();
}

std::shared_ptr<ThreadRecord> calling_thread_record() {
    if (RecordHandle* entry = slot_entry()) {
        return *entry;
    }
    auto record = std::make_shared<ThreadRecord>();
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

void object_created() {
    InterlockedIncrement(&live_objects);
}
void object_destroyed() {
    InterlockedDecrement(&live_objects);
}
void lock_server() {
    InterlockedIncrement(&server_locks);
}
void unlock_server() {
    InterlockedDecrement(&server_locks);
}

bool server_in_use() {
    return InterlockedCompareExchange(&live_objects, 0, 0) != 0 ||
           InterlockedCompareExchange(&server_locks, 0, 0) != 0;
}

} // namespace orbek::server
