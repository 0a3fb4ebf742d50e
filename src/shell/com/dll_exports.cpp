// The library's entry points: DllMain and the five exports COM and regsvr32 call.
#include "Orbek_DLL.h"
#include "orbek_com_object.h"
#include "platform/win32/automation/class_factory.h"
#include "registration.h"
#include "server_module.h"

#include <objbase.h>
#include <windows.h>

using orbek::com::RegistrationScope;

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return orbek::server::attach_process() ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
        orbek::server::detach_process();
        break;
    case DLL_THREAD_DETACH:
        orbek::server::detach_thread();
        break;
    default:
        break;
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_OrbekDLL)) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    // A factory counts as a live object until its last release.
    const orbek::com::FactoryServer server{
        orbek::server::OrbekComObject::create, orbek::server::object_created,
        orbek::server::object_destroyed, orbek::server::lock_server, orbek::server::unlock_server};
    return orbek::com::make_class_factory(server, iid, object);
}

// With no object and no lock left the library may go, and with it the calling thread's
// module state: the next object on this thread starts afresh.
STDAPI DllCanUnloadNow() {
    if (orbek::server::server_in_use()) {
        return S_FALSE;
    }
    orbek::server::release_calling_thread_record();
    return S_OK;
}

STDAPI DllRegisterServer() {
    return orbek::server::register_server(RegistrationScope::Machine);
}

STDAPI DllUnregisterServer() {
    return orbek::server::unregister_server(RegistrationScope::Machine);
}

// regsvr32 /n /i:user registers for the current user only, /u /n /i:user removes that;
// any other command text means machine-wide.
STDAPI DllInstall(BOOL install, PCWSTR command_line) {
    const RegistrationScope scope = orbek::com::scope_of_install_command(command_line);
    return install ? orbek::server::register_server(scope)
                   : orbek::server::unregister_server(scope);
}

} // extern "C"
