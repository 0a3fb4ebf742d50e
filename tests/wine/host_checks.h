// What the C++ test hosts share: result lines in the harness's form, VARIANTs and BSTRs that
// free themselves, late-bound calls with the error information they leave, a host's object,
// and the windows on the screen.
#pragma once

#include "automation/interface_decl.h"

#include <functional>
#include <oaidl.h>
#include <string>
#include <vector>
#include <windows.h>

namespace wine_checks {

std::string utf8(const std::wstring& text);
std::string hresult_text(HRESULT result);

// The interface declarations' names and identities in the system's types.
std::wstring wide(std::u16string_view text);
GUID guid_of(const orbek::Guid& id);
std::wstring braced(const orbek::Guid& id); // {XXXXXXXX-...}, as the registry holds it

// Prints "ok <name>" or "not ok <name>: <detail>"; done() prints the "# done" line that
// tells the harness the host ran to its end.
class Report {
  public:
    bool check(const std::string& name, bool passed, const std::string& detail = "");
    bool equal(const std::string& name, const std::wstring& actual, const std::wstring& expected);
    bool equal(const std::string& name, long long actual, long long expected);
    bool hresult(const std::string& name, HRESULT actual, HRESULT expected);
    void done() const;
};

// A VARIANT that clears itself.
class Value {
  public:
    Value() { VariantInit(&value_); }
    explicit Value(const wchar_t* text);
    explicit Value(long number);
    Value(const Value& other);
    Value& operator=(const Value&) = delete;
    ~Value() { VariantClear(&value_); }
    static Value of_type(VARTYPE type); // its data zero: Null, a null BSTR, Nothing
    static Value missing();             // an optional argument left out

    VARIANT* get() { return &value_; }
    const VARIANT& operator*() const { return value_; }
    std::wstring text() const; // the value as text ("" when it does not convert)

  private:
    VARIANT value_;
};

// A BSTR that frees itself, for texts passed to and returned by vtable methods.
class Text {
  public:
    Text() = default;
    explicit Text(const wchar_t* text) : value_(SysAllocString(text)) {}
    ~Text() { SysFreeString(value_); }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;

    BSTR get() const { return value_; }
    BSTR* slot() { return &value_; }
    std::wstring str() const { return value_ ? std::wstring(value_, SysStringLen(value_)) : L""; }

  private:
    BSTR value_ = nullptr;
};

// What Invoke answered, with the EXCEPINFO it filled.
struct CallResult {
    HRESULT result = E_FAIL;
    Value value;
    HRESULT scode = S_OK;
    std::wstring source;
    std::wstring description;
    UINT argument_error = 0xFFFF;
};

DISPID member_id(IDispatch* object, const wchar_t* name);

// `outputs` false: no places for the result, the exception and the argument's index.
CallResult invoke(IDispatch* object, DISPID member, DISPPARAMS* params,
                  WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET, REFIID iid = IID_NULL,
                  bool outputs = true);

// Calls a method with positional arguments in their usual order (the first given first);
// by-reference VARIANTs among them write back.
CallResult call(IDispatch* object, DISPID member, std::vector<VARIANT> arguments);
CallResult call(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments);
std::vector<VARIANT> variants(const std::vector<Value>& values);

// A VT_BYREF reference of `type` to `variable`; VT_VARIANT as scripts pass their variables.
VARIANT reference(VARTYPE type, void* variable);
VARIANT by_reference(Value& variable);

// The source of the thread's error information ("" when there is none), its description in
// `description`.
std::wstring error_info_source(std::wstring* description);

IDispatch* create_by_prog_id(const wchar_t* prog_id, HRESULT* result = nullptr);

// The calling thread in a single-threaded apartment for as long as it lives.
struct Apartment {
    Apartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~Apartment() { CoUninitialize(); }
};

// A host's object with one property, `property` (any letter case), that `get` answers; it
// counts its references and lives where it is made.
class HostObject final : public IDispatch {
  public:
    using Getter = std::function<HRESULT(VARIANT* result, EXCEPINFO* exception)>;
    HostObject(const wchar_t* property, Getter get) : property_(property), get_(std::move(get)) {}
    LONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS*,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override;

  private:
    const wchar_t* property_;
    Getter get_;
};

// Pumps the thread's pending messages for `milliseconds`, so that windows paint.
void pump_messages(int milliseconds);

std::wstring class_of(HWND window);
std::wstring text_of(HWND window); // as the system keeps it: no message to the window's thread
std::vector<HWND> descendants(HWND window); // depth first
HWND descendant(HWND window, const std::function<bool(HWND)>& wanted);

} // namespace wine_checks
