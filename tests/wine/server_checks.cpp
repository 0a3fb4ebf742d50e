// The servers as COM keeps them: DllCanUnloadNow while a class factory, an object or a lock
// holds a server; and each apartment thread with its own module state, shown by a thread that
// creates an OrbekDLL object while the companion is not registered.
// Arguments: the Windows paths of Orbek_DLL.dll and MireldaSys.dll (the companion is
// unregistered for a while, and registered again before the host ends).
#include "host_checks.h"

#include <functional>
#include <windows.h>

using namespace wine_checks;

namespace {

template <typename Function> Function export_of(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using ServerEntry = HRESULT(STDAPICALLTYPE*)();

void check_unloading(Report& report, const wchar_t* path, const wchar_t* prog_id) {
    const std::string label = utf8(prog_id) + ": ";
    HMODULE library = LoadLibraryW(path);
    auto get_class_object = export_of<GetClassObject>(library, "DllGetClassObject");
    auto can_unload = export_of<ServerEntry>(library, "DllCanUnloadNow");
    CLSID class_id{};
    if (!report.check(label + "the server's entry points", get_class_object && can_unload,
                      "LoadLibrary or GetProcAddress failed") ||
        FAILED(CLSIDFromProgID(prog_id, &class_id))) {
        return;
    }
    IClassFactory* factory = nullptr;
    auto get_factory = [&](REFCLSID wanted) {
        return get_class_object(wanted, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    };
    report.hresult(label + "DllCanUnloadNow with nothing alive", can_unload(), S_OK);
    report.hresult(label + "DllGetClassObject of another class", get_factory(IID_IDispatch),
                   CLASS_E_CLASSNOTAVAILABLE);
    if (!report.hresult(label + "DllGetClassObject", get_factory(class_id), S_OK)) {
        return;
    }
    report.hresult(label + "DllCanUnloadNow while the factory lives", can_unload(), S_FALSE);
    IUnknown* object = nullptr;
    report.hresult(
        label + "the factory refuses aggregation",
        factory->CreateInstance(factory, IID_IUnknown, reinterpret_cast<void**>(&object)),
        CLASS_E_NOAGGREGATION);
    report.hresult(
        label + "the factory creates an object",
        factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)), S_OK);
    factory->Release();
    report.hresult(label + "DllCanUnloadNow while an object lives", can_unload(), S_FALSE);
    if (object != nullptr) {
        object->AddRef();
        report.equal(label + "the object's references", object->Release(), 1);
        report.equal(label + "the last release", object->Release(), 0);
    }
    report.hresult(label + "DllCanUnloadNow once the object is gone", can_unload(), S_OK);
    if (SUCCEEDED(get_factory(class_id))) {
        factory->LockServer(TRUE);
        factory->Release();
        report.hresult(label + "DllCanUnloadNow while the server is locked", can_unload(), S_FALSE);
        get_factory(class_id);
        factory->LockServer(FALSE);
        factory->Release();
    }
    report.hresult(label + "DllCanUnloadNow once unlocked", can_unload(), S_OK);
    FreeLibrary(library);
}

// What Seg2Hrs(5415) gives on the object: the text, or "error N".
std::wstring seg2hrs(IDispatch* object) {
    CallResult answer = call(object, L"Seg2Hrs", {*Value(5415L)});
    if (answer.result == DISP_E_EXCEPTION) {
        return L"error " + std::to_wstring(HRESULT_CODE(answer.scode));
    }
    return answer.result == S_OK ? answer.value.text() : L"failure";
}

DWORD WINAPI run_task(void* task) {
    Apartment apartment;
    (*static_cast<const std::function<void()>*>(task))();
    return 0;
}

// Runs `task` on a new thread in its own single-threaded apartment and waits for its end.
void on_another_thread(const std::function<void()>& task) {
    HANDLE thread =
        CreateThread(nullptr, 0, run_task, const_cast<std::function<void()>*>(&task), 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}

void check_module_state(Report& report, const wchar_t* companion_path) {
    HMODULE companion = LoadLibraryW(companion_path);
    auto register_companion = export_of<ServerEntry>(companion, "DllRegisterServer");
    auto unregister_companion = export_of<ServerEntry>(companion, "DllUnregisterServer");
    IDispatch* first = create_by_prog_id(L"Orbek_DLL.OrbekDLL");
    if (!report.check("an object with the companion on the main thread", first && companion,
                      "no object or no companion DLL") ||
        !report.equal("the main thread's object reaches the companion", seg2hrs(first),
                      L"01:30:15")) {
        return;
    }
    report.hresult("the companion unregistered", unregister_companion(), S_OK);
    on_another_thread([&] {
        HRESULT created = E_FAIL;
        IDispatch* second = create_by_prog_id(L"Orbek_DLL.OrbekDLL", &created);
        if (!report.hresult("another thread creates an object without the companion", created,
                            S_OK)) {
            return;
        }
        report.equal("that object's Seg2Hrs fails as on an object never set", seg2hrs(second),
                     L"error 91");
        report.equal("its Hrs2Seg needs no companion",
                     call(second, L"Hrs2Seg", {*Value(L"01:30:15")}).value.text(), L"5415");
        report.hresult("its Class_Initialize ignores the missing companion",
                       call(second, L"Class_Initialize", {}).result, S_OK);
        report.hresult("the companion registered again", register_companion(), S_OK);
        call(second, L"Class_Initialize", {});
        report.equal("Class_Initialize then gives the thread its companion", seg2hrs(second),
                     L"01:30:15");
        second->Release();
    });
    report.equal("the main thread kept its own companion all along", seg2hrs(first), L"01:30:15");
    first->Release();
    register_companion();
    FreeLibrary(companion);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    if (argc != 3) {
        report.check("usage: server_checks ORBEK_DLL MIRELDASYS_DLL", false);
        return 2;
    }
    {
        Apartment apartment;
        check_unloading(report, argv[2], L"MireldaSys.SysTools");
        check_unloading(report, argv[1], L"Orbek_DLL.OrbekDLL");
        check_module_state(report, argv[2]);
    }
    report.done();
    return 0;
}
