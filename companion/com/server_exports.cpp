// The five entry points of MireldaSys.dll.
#include "MireldaSys.h"
#include "platform/win32/automation/class_factory.h"
#include "registration.h"
#include "server_module.h"
#include "sys_tools_object.h"

#include <olectl.h>
#include <vector>
#include <windows.h>

using namespace orbek::com;

namespace {

HRESULT records_of_this_server(std::vector<RegistryKey>* records) {
    ITypeLib* library = nullptr;
    const HRESULT outcome = load_server_type_library(&library);
    if (FAILED(outcome)) {
        return outcome;
    }
    *records = registry_records(library, server_path());
    library->Release();
    return records->empty() ? SELFREG_E_TYPELIB : S_OK;
}

HRESULT register_in(RegistrationScope scope) {
    std::vector<RegistryKey> records;
    const HRESULT outcome = records_of_this_server(&records);
    return FAILED(outcome) ? outcome : write_registry_keys(records, scope);
}

HRESULT unregister_in(RegistrationScope scope) {
    std::vector<RegistryKey> records;
    const HRESULT outcome = records_of_this_server(&records);
    return FAILED(outcome) ? outcome : remove_registry_keys(records, scope);
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        set_server_module(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID class_id, REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (class_id != __uuidof(SysTools)) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    // A live factory, like a lock, holds the server.
    const FactoryServer server{SysToolsObject::create, hold_server, release_server, hold_server,
                               release_server};
    return make_class_factory(server, iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return server_in_use() ? S_FALSE : S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return register_in(RegistrationScope::Machine);
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return unregister_in(RegistrationScope::Machine);
}

extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR command) {
    const RegistrationScope scope = scope_of_install_command(command);
    return install ? register_in(scope) : unregister_in(scope);
}
