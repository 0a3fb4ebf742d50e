// The class factory an in-process server hands out from DllGetClassObject: one class, no
// aggregation, and the server's own counts that decide when it may be unloaded.
#pragma once

#include <unknwn.h>
#include <windows.h>

namespace orbek::com {

// What the factory asks of its server.
struct FactoryServer {
    // Makes a new object and hands it out through `iid` (`object` is never null); returns
    // the failure instead of throwing.
    HRESULT (*create_object)(REFIID iid, void** object);
    // A live factory holds the server: its code must stay loaded while a client keeps it.
    void (*hold)();
    void (*release)();
    // LockServer(TRUE) and LockServer(FALSE).
    void (*lock)();
    void (*unlock)();
};

// A new class factory for `server`, handed out through `iid`.
HRESULT make_class_factory(const FactoryServer& server, REFIID iid, void** factory);

} // namespace orbek::com
