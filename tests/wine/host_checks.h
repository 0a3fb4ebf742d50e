// What the C++ test hosts share: result lines in the harness's form, late-bound calls, the
// VARIANTs and BSTRs they pass, and the error information a failed call leaves.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <oaidl.h>
#include <string>
#include <vector>
#include <windows.h>

namespace wine_checks {

std::string utf8(const std::wstring& text);
std::string hresult_text(HRESULT result);

// Prints "ok <name>" or "not ok <name>: <detail>"; done() prints the "# done" line that
// tells the harness the host ran to its end.
class Report {
  public:
    bool check(const std::string& name, bool passed, const std::string& detail = "");
    bool equal(const std::string& name, const std::wstring& actual, const std::wstring& expected);
    bool equal(const std::string& name, long long actual, long long expected);
    bool hresult(const std::string& name, HRESULT actual, HRESULT expected);
    void done() const;
    int failures() const { return failures_; }

  private:
    int failures_ = 0;
};

// A VARIANT that clears itself.
class Value {
  public:
    Value() { VariantInit(&value_); }
    explicit Value(const wchar_t* text);
    explicit Value(long number);
    static Value boolean(bool value);
    static Value missing();
    ~Value() { VariantClear(&value_); }
    Value(const Value& other);
    Value& operator=(const Value&) = delete;

    VARIANT* get() { return &value_; }
    const VARIANT& operator*() const { return value_; }
    std::wstring text() const; // the value as text ("" when it does not convert)
    long number() const;       // the value as a Long (0 when it does not convert)

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

// The source the thread's error information names ("" when there is none); its description
// goes to `description`.
std::wstring error_info_source(std::wstring* description);

// The object says, through ISupportErrorInfo, that `iid` leaves error information.
void check_error_info_support(Report& report, IUnknown* object, const std::string& class_name,
                              REFIID iid, const std::string& interface_name);

struct CallResult {
    HRESULT result = E_FAIL;
    Value value;
    HRESULT scode = S_OK; // of EXCEPINFO after DISP_E_EXCEPTION
    std::wstring source;
    std::wstring description;
    UINT argument_error = 0;
};

DISPID member_id(IDispatch* object, const wchar_t* name);

// Calls a method by name with positional arguments in their usual order (the first given
// first); `arguments` are passed as they stand, so by-reference VARIANTs write back.
CallResult call(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments);

// A VT_BYREF|VT_VARIANT reference to a variable, as scripts pass variables.
VARIANT by_reference(Value& variable);

// An entry point of a loaded DLL as the function type it has.
template <typename Function> Function export_of(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

IDispatch* create_by_prog_id(const wchar_t* prog_id, HRESULT* result = nullptr);

} // namespace wine_checks
