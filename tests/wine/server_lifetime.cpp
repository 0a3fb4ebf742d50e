#include "server_lifetime.h"

namespace wine_checks {
namespace {

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

} // namespace

void check_unloading(Report& report, const wchar_t* path, const std::string& dll, REFCLSID class_id,
                     const std::string& class_name) {
    const std::string prefix = dll + ": ";
    HMODULE library = LoadLibraryW(path);
    if (!report.check(prefix + "LoadLibrary", library != nullptr,
                      "error " + std::to_string(GetLastError()))) {
        return;
    }
    auto get_class_object = export_of<GetClassObject>(library, "DllGetClassObject");
    auto can_unload = export_of<CanUnloadNow>(library, "DllCanUnloadNow");
    if (!report.check(prefix + "DllGetClassObject and DllCanUnloadNow are exported",
                      get_class_object != nullptr && can_unload != nullptr, "missing export")) {
        return;
    }
    report.hresult(prefix + "DllCanUnloadNow with nothing alive", can_unload(), S_OK);
    IClassFactory* factory = nullptr;
    report.hresult(
        prefix + "DllGetClassObject of another class",
        get_class_object(IID_IDispatch, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
        CLASS_E_CLASSNOTAVAILABLE);
    if (!report.hresult(
            prefix + "DllGetClassObject of " + class_name,
            get_class_object(class_id, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
            S_OK)) {
        return;
    }
    report.hresult(prefix + "DllCanUnloadNow while the factory lives", can_unload(), S_FALSE);
    IUnknown* outer = factory;
    IUnknown* aggregated = nullptr;
    report.hresult(
        prefix + "the factory refuses aggregation",
        factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&aggregated)),
        CLASS_E_NOAGGREGATION);
    IDispatch* object = nullptr;
    report.hresult(
        prefix + "the factory creates " + class_name,
        factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)), S_OK);
    factory->Release();
    report.hresult(prefix + "DllCanUnloadNow while an object lives", can_unload(), S_FALSE);
    if (object != nullptr) {
        object->Release();
    }
    report.hresult(prefix + "DllCanUnloadNow after the last object was released", can_unload(),
                   S_OK);

    if (FAILED(get_class_object(class_id, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
        report.check(prefix + "a second DllGetClassObject", false, "failed");
        FreeLibrary(library);
        return;
    }
    factory->LockServer(TRUE);
    factory->Release();
    report.hresult(prefix + "DllCanUnloadNow while the server is locked", can_unload(), S_FALSE);
    if (SUCCEEDED(
            get_class_object(class_id, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
        factory->LockServer(FALSE);
        factory->Release();
    }
    report.hresult(prefix + "DllCanUnloadNow after everything was released", can_unload(), S_OK);
    FreeLibrary(library);
}

} // namespace wine_checks
