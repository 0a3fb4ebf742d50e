#include "host_checks.h"

#include <algorithm>
#include <cstdio>

namespace wine_checks {

std::string utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::string hresult_text(HRESULT result) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(result));
    return buffer;
}

std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

GUID guid_of(const orbek::Guid& id) {
    GUID guid{id.data1, id.data2, id.data3, {}};
    std::copy(id.data4.begin(), id.data4.end(), guid.Data4);
    return guid;
}

std::wstring braced(const orbek::Guid& id) {
    wchar_t text[40] = {};
    StringFromGUID2(guid_of(id), text, 40);
    return text;
}

bool Report::check(const std::string& name, bool passed, const std::string& detail) {
    if (passed) {
        std::printf("ok %s\n", name.c_str());
    } else {
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
    V_VT(&value_) = VT_BSTR;
    V_BSTR(&value_) = SysAllocString(text);
}

Value::Value(long number) {
    V_VT(&value_) = VT_I4;
    V_I4(&value_) = number;
}

Value::Value(const Value& other) {
    VariantInit(&value_);
    VariantCopy(&value_, const_cast<VARIANT*>(&other.value_));
}

Value Value::of_type(VARTYPE type) {
    Value result;
    V_VT(result.get()) = type;
    return result;
}

Value Value::missing() {
    Value result = of_type(VT_ERROR);
    V_ERROR(result.get()) = DISP_E_PARAMNOTFOUND;
    return result;
}

std::wstring Value::text() const {
    Value converted;
    if (FAILED(VariantChangeType(converted.get(), const_cast<VARIANT*>(&value_), 0, VT_BSTR))) {
        return {};
    }
    const BSTR text = V_BSTR(converted.get());
    return text ? std::wstring(text, SysStringLen(text)) : L"";
}

DISPID member_id(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

CallResult invoke(IDispatch* object, DISPID member, DISPPARAMS* params, WORD flags, REFIID iid,
                  bool outputs) {
    CallResult outcome;
    EXCEPINFO exception{};
    outcome.result = object->Invoke(
        member, iid, LOCALE_USER_DEFAULT, flags, params, outputs ? outcome.value.get() : nullptr,
        outputs ? &exception : nullptr, outputs ? &outcome.argument_error : nullptr);
    outcome.scode = exception.scode;
    outcome.source = exception.bstrSource ? exception.bstrSource : L"";
    outcome.description = exception.bstrDescription ? exception.bstrDescription : L"";
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return outcome;
}

CallResult call(IDispatch* object, DISPID member, std::vector<VARIANT> arguments) {
    std::reverse(arguments.begin(), arguments.end());
    DISPPARAMS params{arguments.empty() ? nullptr : arguments.data(), nullptr,
                      static_cast<UINT>(arguments.size()), 0};
    return invoke(object, member, &params);
}

CallResult call(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments) {
    return call(object, member_id(object, name), std::move(arguments));
}

std::vector<VARIANT> variants(const std::vector<Value>& values) {
    std::vector<VARIANT> result;
    for (const Value& value : values) {
        result.push_back(*value);
    }
    return result;
}

VARIANT reference(VARTYPE type, void* variable) {
    VARIANT made;
    VariantInit(&made);
    V_VT(&made) = VT_BYREF | type;
    V_BYREF(&made) = variable;
    return made;
}

VARIANT by_reference(Value& variable) {
    return reference(VT_VARIANT, variable.get());
}

std::wstring error_info_source(std::wstring* description) {
    IErrorInfo* info = nullptr;
    std::wstring source;
    description->clear();
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

HRESULT HostObject::QueryInterface(REFIID iid, void** object) {
    *object = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ? this : nullptr;
    return *object != nullptr ? (AddRef(), S_OK) : E_NOINTERFACE;
}

HRESULT HostObject::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT HostObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) {
    *ids = lstrcmpiW(names[0], property_) == 0 ? 1 : DISPID_UNKNOWN;
    return *ids == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT HostObject::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                           EXCEPINFO* exception, UINT*) {
    return member == 1 ? get_(result, exception) : DISP_E_MEMBERNOTFOUND;
}

void pump_messages(int milliseconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    } while (GetTickCount64() < end);
}

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring text_of(HWND window) {
    wchar_t text[1024] = {};
    InternalGetWindowText(window, text, 1024);
    return text;
}

static BOOL CALLBACK collect(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

std::vector<HWND> descendants(HWND window) {
    std::vector<HWND> found;
    if (window != nullptr) {
        EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&found));
    }
    return found;
}

HWND descendant(HWND window, const std::function<bool(HWND)>& wanted) {
    for (HWND child : descendants(window)) {
        if (wanted(child)) {
            return child;
        }
    }
    return nullptr;
}

} // namespace wine_checks
