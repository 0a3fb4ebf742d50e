#include "host_checks.h"

#include <algorithm>

namespace wine_checks {

std::string utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::string hresult_text(HRESULT result) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(result));
    return buffer;
}

bool Report::check(const std::string& name, bool passed, const std::string& detail) {
    if (passed) {
        std::printf("ok %s\n", name.c_str());
    } else {
        ++failures_;
        std::printf("not ok %s: %s\n", name.c_str(), detail.c_str());
    }
    std::fflush(stdout);
    return passed;
}

bool Report::equal(const std::string& name, const std::wstring& actual,
                   const std::wstring& expected) {
    return check(name, actual == expected,
                 "got \"" + utf8(actual) + "\", expected \"" + utf8(expected) + "\"");
}

bool Report::equal(const std::string& name, long long actual, long long expected) {
    return check(name, actual == expected,
                 "got " + std::to_string(actual) + ", expected " + std::to_string(expected));
}

bool Report::hresult(const std::string& name, HRESULT actual, HRESULT expected) {
    return check(name, actual == expected,
                 "got " + hresult_text(actual) + ", expected " + hresult_text(expected));
}

void Report::done() const {
    std::printf("# done\n");
    std::fflush(stdout);
}

Value::Value(const wchar_t* text) {
    VariantInit(&value_);
    V_VT(&value_) = VT_BSTR;
    V_BSTR(&value_) = SysAllocString(text);
}

Value::Value(long number) {
    VariantInit(&value_);
    V_VT(&value_) = VT_I4;
    V_I4(&value_) = number;
}

Value Value::boolean(bool value) {
    Value result;
    V_VT(result.get()) = VT_BOOL;
    V_BOOL(result.get()) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return result;
}

Value Value::missing() {
    Value result;
    V_VT(result.get()) = VT_ERROR;
    V_ERROR(result.get()) = DISP_E_PARAMNOTFOUND;
    return result;
}

Value::Value(const Value& other) {
    VariantInit(&value_);
    VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
}

std::wstring Value::text() const {
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value_), 0, VT_BSTR))) {
        return {};
    }
    std::wstring result(V_BSTR(&converted) ? V_BSTR(&converted) : L"",
                        SysStringLen(V_BSTR(&converted)));
    VariantClear(&converted);
    return result;
}

long Value::number() const {
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value_), 0, VT_I4))) {
        return 0;
    }
    return V_I4(&converted);
}

std::wstring error_info_source(std::wstring* description) {
    IErrorInfo* info = nullptr;
    std::wstring source;
    if (GetErrorInfo(0, &info) == S_OK && info != nullptr) {
        BSTR text = nullptr;
        info->GetSource(&text);
        source = text ? text : L"";
        SysFreeString(text);
        text = nullptr;
        info->GetDescription(&text);
        *description = text ? text : L"";
        SysFreeString(text);
        info->Release();
    }
    return source;
}

void check_error_info_support(Report& report, IUnknown* object, const std::string& class_name,
                              REFIID iid, const std::string& interface_name) {
    ISupportErrorInfo* support = nullptr;
    if (report.hresult(
            class_name + " offers ISupportErrorInfo",
            object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)),
            S_OK)) {
        report.hresult("for " + interface_name, support->InterfaceSupportsErrorInfo(iid), S_OK);
        support->Release();
    }
}

DISPID member_id(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

CallResult call(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments) {
    CallResult outcome;
    std::reverse(arguments.begin(), arguments.end());
    DISPPARAMS params{arguments.empty() ? nullptr : arguments.data(), nullptr,
                      static_cast<UINT>(arguments.size()), 0};
    EXCEPINFO exception{};
    outcome.result = object->Invoke(member_id(object, name), IID_NULL, LOCALE_USER_DEFAULT,
                                    DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                                    outcome.value.get(), &exception, &outcome.argument_error);
    if (outcome.result == DISP_E_EXCEPTION) {
        outcome.scode = exception.scode;
        outcome.source = exception.bstrSource ? exception.bstrSource : L"";
        outcome.description = exception.bstrDescription ? exception.bstrDescription : L"";
    }
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return outcome;
}

VARIANT by_reference(Value& variable) {
    VARIANT reference;
    VariantInit(&reference);
    V_VT(&reference) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&reference) = variable.get();
    return reference;
}

IDispatch* create_by_prog_id(const wchar_t* prog_id, HRESULT* result) {
    CLSID class_id{};
    HRESULT outcome = CLSIDFromProgID(prog_id, &class_id);
    IDispatch* object = nullptr;
    if (SUCCEEDED(outcome)) {
        outcome = CoCreateInstance(class_id, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(&object));
    }
    if (result != nullptr) {
        *result = outcome;
    }
    return SUCCEEDED(outcome) ? object : nullptr;
}

} // namespace wine_checks
