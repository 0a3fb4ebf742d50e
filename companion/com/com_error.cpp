#include "com_error.h"

#include "automation/text.h"
#include "com_text.h"

#include <string>

namespace orbek::com {

namespace {

constexpr int AutomationErrorNumber = 440;

struct KnownFailure {
    HRESULT result;
    int number;
};

// The numbers the host's language gives the standard failures of dispatch and creation.
constexpr KnownFailure known_failures[] = {
    {E_OUTOFMEMORY, 7},
    {E_INVALIDARG, 5},
    {E_NOTIMPL, 445},
    {E_NOINTERFACE, 430},
    {E_POINTER, 91},
    {DISP_E_TYPEMISMATCH, 13},
    {DISP_E_OVERFLOW, 6},
    {DISP_E_DIVBYZERO, 11},
    {DISP_E_BADINDEX, 9},
    {DISP_E_MEMBERNOTFOUND, 438},
    {DISP_E_UNKNOWNNAME, 438},
    {DISP_E_BADPARAMCOUNT, 450},
    {DISP_E_PARAMNOTOPTIONAL, 449},
    {DISP_E_PARAMNOTFOUND, 448},
    {DISP_E_NOTACOLLECTION, 451},
    {REGDB_E_CLASSNOTREG, 429},
    {CO_E_CLASSSTRING, 429},
    {CLASS_E_CLASSNOTAVAILABLE, 429},
    {CO_E_DLLNOTFOUND, 429},
    {CO_E_ERRORINDLL, 429},
};

// Descriptions of the numbers that only the COM boundary produces.
struct BoundaryDescription {
    int number;
    const char* text;
};

constexpr BoundaryDescription boundary_descriptions[] = {
    {7, "Out of memory"},
    {11, "Division by zero"},
    {51, "Internal error"},
    {429, "ActiveX component can't create object"},
    {430, "Class does not support Automation or does not support expected interface"},
    {440, "Automation error"},
    {448, "Named argument not found"},
    {451, "Object not a collection"},
};

std::string utf8_of(BSTR text) {
    return to_utf8(text_of(text));
}

} // namespace

VbError vb_error_of_number(int number) {
    for (const BoundaryDescription& entry : boundary_descriptions) {
        if (entry.number == number) {
            return VbError(number, entry.text);
        }
    }
    return VbError(number);
}

HRESULT hresult_of_error_number(int number) {
    if (number <= 0 || number > 0xFFFF) {
        number = AutomationErrorNumber;
    }
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
}

HRESULT report_vb_error(const VbError& error, const wchar_t* source, REFIID iid) {
    const HRESULT result = hresult_of_error_number(error.number());
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create))) {
        return result;
    }
    const std::wstring description = wide_of(from_utf8(error.what()));
    create->SetSource(const_cast<wchar_t*>(source));
    create->SetDescription(const_cast<wchar_t*>(description.c_str()));
    create->SetGUID(iid);
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
    return result;
}

int error_number_of_hresult(HRESULT result) {
    if (HRESULT_FACILITY(result) == FACILITY_CONTROL) {
        return HRESULT_CODE(result);
    }
    for (const KnownFailure& known : known_failures) {
        if (known.result == result) {
            return known.number;
        }
    }
    return AutomationErrorNumber;
}

VbError vb_error_from_failed_call(HRESULT result) {
    const int number = error_number_of_hresult(result);
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || info == nullptr) {
        return vb_error_of_number(number);
    }
    BSTR description = nullptr;
    info->GetDescription(&description);
    info->Release();
    std::string text = utf8_of(description);
    SysFreeString(description);
    if (text.empty()) {
        return vb_error_of_number(number);
    }
    return VbError(number, text);
}

VbError vb_error_from_excepinfo(const EXCEPINFO& info) {
    HRESULT result = info.scode;
    if (result == S_OK && info.wCode != 0) {
        result = hresult_of_error_number(info.wCode);
    }
    if (result == S_OK) {
        result = E_FAIL;
    }
    const int number = error_number_of_hresult(result);
    std::string text = utf8_of(info.bstrDescription);
    if (text.empty()) {
        return vb_error_of_number(number);
    }
    return VbError(number, text);
}

void fill_excepinfo(EXCEPINFO* info, HRESULT result, const wchar_t* default_source) {
    if (info == nullptr) {
        return;
    }
    *info = EXCEPINFO{};
    info->scode = result;
    IErrorInfo* error = nullptr;
    if (GetErrorInfo(0, &error) == S_OK && error != nullptr) {
        error->GetSource(&info->bstrSource);
        error->GetDescription(&info->bstrDescription);
        error->Release();
    }
    if (info->bstrSource == nullptr) {
        info->bstrSource = SysAllocString(default_source);
    }
    if (info->bstrDescription == nullptr) {
        const VbError standard = vb_error_of_number(error_number_of_hresult(result));
        const std::wstring description = wide_of(from_utf8(standard.what()));
        info->bstrDescription = SysAllocString(description.c_str());
    }
}

} // namespace orbek::com
