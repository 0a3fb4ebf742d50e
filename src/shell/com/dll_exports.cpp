// The library's entry points: DllMain and the five exports COM and regsvr32 call.
#include "orbek_server.h"
#include "platform/win32/automation/server_exports.h"

#include <windows.h>

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return orbek::com::attach_server() ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
        orbek::com::detach_server();
        break;
    case DLL_THREAD_DETACH:
        orbek::com::release_calling_thread_record();
        break;
    default:
        break;
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    return orbek::com::get_class_object(orbek::OrbekDllInterface,
                                        orbek::server::OrbekComObject::create, clsid, iid, object);
}

// With no object and no lock left the library may go, and with it the calling thread's
// module state: the next object on this thread starts afresh.
STDAPI DllCanUnloadNow() {
    return orbek::com::can_unload_now();
}

STDAPI DllRegisterServer() {
    return orbek::com::register_server(orbek::com::RegistrationScope::Machine);
}

STDAPI DllUnregisterServer() {
    return orbek::com::unregister_server(orbek::com::RegistrationScope::Machine);
}

STDAPI DllInstall(BOOL install, PCWSTR command_line) {
    return orbek::com::install_server(install, command_line);
}

} // extern "C"
