#include "platform/win32/automation/server_exports.h"

#include "platform/win32/automation/class_factory.h"
#include "platform/win32/automation/server_module.h"
#include "platform/win32/automation/type_library_records.h"

#include <olectl.h>
#include <vector>

namespace orbek::com {
namespace {

HRESULT records_of_this_server(std::vector<RegistryKey>& records) {
    ITypeLib* library = nullptr;
    const HRESULT outcome = load_server_type_library(&library);
    if (FAILED(outcome)) {
        return outcome;
    }
    records = registry_records(library, server_path());
    library->Release();
    return records.empty() ? SELFREG_E_TYPELIB : S_OK;
}

} // namespace

HRESULT get_class_object(const InterfaceDecl& decl, HRESULT (*create)(REFIID, void**),
                         REFCLSID wanted, REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (!IsEqualCLSID(wanted, guid_of(decl.class_id))) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    // A live factory, like a lock, holds the server.
    const FactoryServer server{create, hold_server, release_server, hold_server, release_server};
    return make_class_factory(server, iid, object);
}

HRESULT can_unload_now() {
    if (server_in_use()) {
        return S_FALSE;
    }
    release_calling_thread_record();
    return S_OK;
}

HRESULT register_server(RegistrationScope scope) {
    std::vector<RegistryKey> records;
    const HRESULT outcome = records_of_this_server(records);
    return FAILED(outcome) ? outcome : write_registry_keys(records, scope);
}

HRESULT unregister_server(RegistrationScope scope) {
    std::vector<RegistryKey> records;
    const HRESULT outcome = records_of_this_server(records);
    return FAILED(outcome) ? outcome : remove_registry_keys(records, scope);
}

HRESULT install_server(BOOL install, const wchar_t* command) {
    const RegistrationScope scope = scope_of_install_command(command);
    return install ? register_server(scope) : unregister_server(scope);
}

} // namespace orbek::com
