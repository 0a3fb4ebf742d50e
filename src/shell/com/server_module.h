// What the server keeps outside its objects: the counts that tell COM whether the library
// may be unloaded, and each thread's record of the component's module state.
#pragma once

#include "platform/win32/win32_clock.h"
#include "shell/environment.h"
#include "shell/module_state.h"

#include <memory>

namespace orbek::server {

// Everything the objects of one thread share: the module state and the platform services
// their class start and methods use.
struct ThreadRecord {
    ThreadRecord();
    ThreadRecord(const ThreadRecord&) = delete;
    ThreadRecord& operator=(const ThreadRecord&) = delete;

    Win32Clock clock;
    Environment environment;
    ModuleState state;
};

// DllMain's events. Attaching reserves the thread slot (false when none is left); a thread
// that ends gives up its record.
bool attach_process();
void detach_process();
void detach_thread();

// The calling thread's record, made on its first use. Objects hold a reference, so a
// record outlives the thread's slot entry as long as one of them lives.
std::shared_ptr<ThreadRecord> calling_thread_record();
// Drops the calling thread's entry; the record goes with its last object.
void release_calling_thread_record();

// Live objects (class factories included) and LockServer locks.
void object_created();
void object_destroyed();
void lock_server();
void unlock_server();
bool server_in_use();

} // namespace orbek::server
