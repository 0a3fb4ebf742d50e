// Registration-free activation: with no registry record of the class, an activation context
// made from the manifest beside the DLL lets a client create the class by ProgID and call it.
// Arguments: the Windows path of the manifest, the class's ProgID.
#include "host_checks.h"

#include <string>
#include <windows.h>

using namespace wine_checks;

namespace {

// A call that shows the object works, per class.
void check_a_call(Report& report, IDispatch* object, const std::wstring& prog_id) {
    if (prog_id == L"MireldaSys.SysTools") {
        CallResult padded = call(object, L"PadText", {*Value(L"7"), *Value(2L)});
        if (report.hresult("PadText through the activation context", padded.result, S_OK)) {
            report.equal("PadText(\"7\", 2) through the activation context", padded.value.text(),
                         L"07");
        }
    } else {
        CallResult seconds = call(object, L"Hrs2Seg", {*Value(L"01:30:15")});
        if (report.hresult("Hrs2Seg through the activation context", seconds.result, S_OK)) {
            report.equal("Hrs2Seg(\"01:30:15\") through the activation context",
                         seconds.value.number(), 5415);
        }
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    if (argc < 3) {
        report.check("activation_checks arguments", false,
                     "usage: activation_checks <manifest path> <ProgID>");
        return 2;
    }
    const std::wstring manifest = argv[1];
    const std::wstring prog_id = argv[2];
    const std::string label = utf8(prog_id) + " without registration: ";
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    HRESULT outside = S_OK;
    IDispatch* unregistered = create_by_prog_id(prog_id.c_str(), &outside);
    report.check(label + "creation fails outside the activation context", unregistered == nullptr,
                 "the class is still registered");
    if (unregistered != nullptr) {
        unregistered->Release();
    }

    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.lpSource = manifest.c_str();
    HANDLE activation = CreateActCtxW(&context);
    if (report.check(label + "CreateActCtx from " + utf8(manifest),
                     activation != INVALID_HANDLE_VALUE,
                     "error " + std::to_string(GetLastError()))) {
        ULONG_PTR cookie = 0;
        report.check(label + "ActivateActCtx", ActivateActCtx(activation, &cookie) != FALSE,
                     "error " + std::to_string(GetLastError()));
        HRESULT created = S_OK;
        IDispatch* object = create_by_prog_id(prog_id.c_str(), &created);
        if (report.hresult(label + "creation by ProgID inside the context", created, S_OK)) {
            UINT count = 0;
            report.check(label + "the object has its type information",
                         SUCCEEDED(object->GetTypeInfoCount(&count)) && count == 1,
                         "GetTypeInfoCount gave " + std::to_string(count));
            check_a_call(report, object, prog_id);
            object->Release();
        }
        DeactivateActCtx(0, cookie);
        ReleaseActCtx(activation);
    }
    CoUninitialize();
    report.done();
    return 0;
}
