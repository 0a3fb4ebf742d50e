#include "platform/win32/automation/com_error.h"

#include "automation/text.h"
#include "platform/win32/automation/com_text.h"

namespace orbek::com {
namespace {

struct KnownFailure {
    HRESULT result;
    int number;
};

// The numbers the host's language gives the standard failures of dispatch and creation.
constexpr KnownFailure KnownFailures[] = {
    {DISP_E_TYPEMISMATCH, vb::TypeMismatch},
    {DISP_E_OVERFLOW, vb::Overflow},
    {DISP_E_PARAMNOTOPTIONAL, vb::ArgumentNotOptional},
    {DISP_E_BADPARAMCOUNT, vb::WrongArgumentCount},
    {DISP_E_MEMBERNOTFOUND, vb::MemberNotFound},
    {DISP_E_UNKNOWNNAME, vb::MemberNotFound},
    {DISP_E_PARAMNOTFOUND, vb::NamedArgumentNotFound},
    {DISP_E_NOTACOLLECTION, vb::NotAnObjectProperty},
    {DISP_E_DIVBYZERO, vb::DivisionByZero},
    {DISP_E_BADINDEX, vb::SubscriptOutOfRange},
    {E_OUTOFMEMORY, vb::OutOfMemory},
    {E_INVALIDARG, vb::InvalidProcedureCall},
    {E_NOTIMPL, vb::ActionNotSupported},
    {E_NOINTERFACE, vb::NoAutomationInterface},
    {E_POINTER, vb::ObjectNotSet},
    {REGDB_E_CLASSNOTREG, vb::CannotCreateObject},
    {CLASS_E_CLASSNOTAVAILABLE, vb::CannotCreateObject},
    {CO_E_CLASSSTRING, vb::CannotCreateObject},
    {CO_E_DLLNOTFOUND, vb::CannotCreateObject},
    {CO_E_ERRORINDLL, vb::CannotCreateObject},
};

// A new BSTR with the error's description; null when out of memory, the caller still has
// the number.
BSTR description_of(const VbError& error) {
    try {
        return make_bstr(from_utf8(error.what()));
    } catch (const VbError&) {
        return nullptr;
    }
}

// The error with the description the failing object gave instead of the standard one;
// an empty description leaves the standard one.
VbError with_description(const VbError& standard, BSTR description) {
    const Text text = text_of(description);
    if (text.empty()) {
        return standard;
    }
    return VbError(standard.number(), to_utf8(text));
}

} // namespace

HRESULT hresult_of(const VbError& error) {
    const int number = error.number();
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL,
                        number >= 1 && number <= 0xFFFF ? number : vb::AutomationError);
}

HRESULT report_error(const VbError& error, const wchar_t* source, REFIID iid) {
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        BSTR description = description_of(error);
        create->SetSource(const_cast<LPOLESTR>(source));
        create->SetDescription(description);
        create->SetGUID(iid);
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
        SysFreeString(description);
    }
    return hresult_of(error);
}

void fill_excepinfo(EXCEPINFO& info, const VbError& error, const wchar_t* source) {
    info = EXCEPINFO{};
    info.scode = hresult_of(error);
    info.bstrSource = SysAllocString(source);
    info.bstrDescription = description_of(error);
}

void fill_excepinfo_from_error_info(EXCEPINFO& info, HRESULT result,
                                    const wchar_t* default_source) {
    info = EXCEPINFO{};
    info.scode = result;
    IErrorInfo* error = nullptr;
    if (GetErrorInfo(0, &error) == S_OK && error != nullptr) {
        error->GetSource(&info.bstrSource);
        error->GetDescription(&info.bstrDescription);
        error->Release();
    }
    if (info.bstrSource == nullptr) {
        info.bstrSource = SysAllocString(default_source);
    }
    if (info.bstrDescription == nullptr) {
        info.bstrDescription = description_of(error_of_failure(result));
    }
}

VbError error_of_failure(HRESULT result) {
    if (HRESULT_FACILITY(result) == FACILITY_CONTROL && HRESULT_CODE(result) != 0) {
        return VbError(HRESULT_CODE(result));
    }
    for (const KnownFailure& known : KnownFailures) {
        if (known.result == result) {
            return VbError(known.number);
        }
    }
    return VbError(vb::AutomationError);
}

VbError error_of_failed_call(HRESULT result) {
    const VbError standard = error_of_failure(result);
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || info == nullptr) {
        return standard;
    }
    BSTR description = nullptr;
    info->GetDescription(&description);
    info->Release();
    const VbError error = with_description(standard, description);
    SysFreeString(description);
    return error;
}

VbError error_of_failed_invoke(HRESULT result, EXCEPINFO& info) {
    if (result != DISP_E_EXCEPTION) {
        return error_of_failure(result);
    }
    if (info.pfnDeferredFillIn != nullptr) {
        info.pfnDeferredFillIn(&info);
    }
    HRESULT carried = info.scode;
    if (carried == S_OK && info.wCode != 0) {
        carried = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, info.wCode);
    }
    const VbError error = with_description(error_of_failure(carried == S_OK ? E_FAIL : carried),
                                           info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    info = EXCEPINFO{};
    return error;
}

} // namespace orbek::com
