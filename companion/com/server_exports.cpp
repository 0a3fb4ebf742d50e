// The entry points of MireldaSys.dll.
#include "platform/win32/automation/server_exports.h"

#include "sys_tools_server.h"

#include <windows.h>

using namespace orbek::com;

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return attach_server() ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
        detach_server();
        break;
    case DLL_THREAD_DETACH:
        release_calling_thread_record();
        break;
    default:
        break;
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID class_id, REFIID iid, void** object) {
    return get_class_object(orbek::SysToolsInterface, SysToolsComObject::create, class_id, iid,
                            object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return can_unload_now();
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return register_server(RegistrationScope::Machine);
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return unregister_server(RegistrationScope::Machine);
}

extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR command) {
    return install_server(install, command);
}
