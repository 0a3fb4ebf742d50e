#include "error_info.h"

#include "Orbek_DLL.h"
#include "automation/text.h"
#include "com_values.h"

namespace orbek::server {
namespace {

constexpr int AutomationError = 440;

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
    {DISP_E_PARAMNOTFOUND, 448},
    {DISP_E_NOTACOLLECTION, 451},
    {DISP_E_DIVBYZERO, 11},
    {DISP_E_BADINDEX, vb::SubscriptOutOfRange},
    {E_OUTOFMEMORY, 7},
    {E_INVALIDARG, vb::InvalidProcedureCall},
    {E_NOTIMPL, vb::ActionNotSupported},
    {E_NOINTERFACE, 430},
    {E_POINTER, vb::ObjectNotSet},
    {REGDB_E_CLASSNOTREG, 429},
    {CLASS_E_CLASSNOTAVAILABLE, 429},
    {CO_E_CLASSSTRING, 429},
    {CO_E_DLLNOTFOUND, 429},
    {CO_E_ERRORINDLL, 429},
};

struct BoundaryDescription {
    int number;
    const char* text;
};

constexpr BoundaryDescription BoundaryDescriptions[] = {
    {7, "Out of memory"},
    {11, "Division by zero"},
    {51, "Internal error"},
    {429, "ActiveX component can't create object"},
    {430, "Class does not support Automation or does not support expected interface"},
    {440, "Automation error"},
    {448, "Named argument not found"},
    {451, "Object not a collection"},
};

BSTR description_of(const VbError& error) {
    try {
        return make_bstr(from_utf8(error.what()));
    } catch (const VbError&) {
        return nullptr; // out of memory: the caller still gets the number
    }
}

} // namespace

VbError error_of_number(int number) {
    for (const BoundaryDescription& entry : BoundaryDescriptions) {
        if (entry.number == number) {
            return VbError(number, entry.text);
        }
    }
    return VbError(number);
}

HRESULT hresult_of(const VbError& error) {
    const int number = error.number();
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL,
                        number >= 1 && number <= 0xFFFF ? number : AutomationError);
}

HRESULT report_error(const VbError& error) {
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        BSTR description = description_of(error);
        create->SetSource(const_cast<LPOLESTR>(ErrorSource));
        create->SetDescription(description);
        create->SetGUID(IID__OrbekDLL);
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

void fill_excepinfo(EXCEPINFO& info, const VbError& error) {
    info = EXCEPINFO{};
    info.scode = hresult_of(error);
    info.bstrSource = SysAllocString(ErrorSource);
    info.bstrDescription = description_of(error);
}

VbError error_of_failure(HRESULT result) {
    if (HRESULT_FACILITY(result) == FACILITY_CONTROL && HRESULT_CODE(result) != 0) {
        return error_of_number(HRESULT_CODE(result));
    }
    for (const KnownFailure& known : KnownFailures) {
        if (known.result == result) {
            return error_of_number(known.number);
        }
    }
    return error_of_number(AutomationError);
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
    const VbError standard = error_of_failure(carried == S_OK ? E_FAIL : carried);
    const Text description = text_of(info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    info = EXCEPINFO{};
    if (description.empty()) {
        return standard;
    }
    return VbError(standard.number(), to_utf8(description));
}

} // namespace orbek::server
