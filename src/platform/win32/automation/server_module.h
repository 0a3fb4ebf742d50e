// What an in-process server keeps outside its objects: its own file, its type library, the
// counts that tell COM whether it may be unloaded, and the slot through which each thread finds
// its own record. Every server DLL links its own copy, so each has its own counts and slot.
#pragma once

#include "automation/interface_decl.h"

#include <memory>
#include <oaidl.h>
#include <string>
#include <windows.h>

namespace orbek::com {

inline GUID guid_of(const Guid& id) {
    GUID guid{id.data1, id.data2, id.data3, {}};
    for (std::size_t i = 0; i < 8; ++i) {
        guid.Data4[i] = id.data4[i];
    }
    return guid;
}

// The module this code is linked into (the DLL itself, never the host program) and its full
// path; an empty path when the system cannot say.
HMODULE server_module();
std::wstring server_path();

// The type library embedded in the server's file (resource TYPELIB 1).
HRESULT load_server_type_library(ITypeLib** library);

// Live objects, class factories and LockServer locks each hold the server.
void hold_server();
void release_server();
bool server_in_use();

// DllMain's events: attaching reserves the thread slot (false when none is left), detaching
// gives it back.
bool attach_server();
void detach_server();

// What a thread's record must offer: nothing but a way to be destroyed.
class ThreadRecordBase {
  public:
    virtual ~ThreadRecordBase() = default;
};

// The calling thread's record, made by `make` on the thread's first use. Objects keep a
// reference, so a record outlives its slot entry while one of them lives.
std::shared_ptr<ThreadRecordBase>
    calling_thread_record(std::shared_ptr<ThreadRecordBase> (*make)());
// Drops the calling thread's entry (thread end, or the server about to be unloaded).
void release_calling_thread_record();

// The type information of one interface, loaded from the server's type library on first use
// and kept: GetTypeInfo is asked often and the library does not change.
class CachedTypeInfo {
  public:
    CachedTypeInfo() = default;
    ~CachedTypeInfo();
    CachedTypeInfo(const CachedTypeInfo&) = delete;
    CachedTypeInfo& operator=(const CachedTypeInfo&) = delete;

    // A new reference to the type information of `iid` (its dispatch side for a dual one).
    HRESULT get(REFIID iid, ITypeInfo** info);

  private:
    ITypeInfo* info_ = nullptr;
};

} // namespace orbek::com
