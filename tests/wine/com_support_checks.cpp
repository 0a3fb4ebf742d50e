// The automation helpers both COM servers are built on, checked directly: VARIANTs read as
// core values and written back, the write-back into a caller's typed variable, the error
// numbers failures stand for and the error information that carries them out, an object of
// the host reached through IDispatch, and the class factory's counts.
#include "automation/conversions.h"
#include "host_checks.h"
#include "platform/win32/automation/class_factory.h"
#include "platform/win32/automation/com_error.h"
#include "platform/win32/automation/com_text.h"
#include "platform/win32/automation/com_variant.h"
#include "platform/win32/automation/dispatch_object.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

using namespace wine_checks;
using orbek::Currency;
using orbek::Variant;
using orbek::VbError;
using orbek::com::reference_to;

namespace {

std::string describe(const Variant& value) {
    std::string text = "type " + std::to_string(static_cast<int>(value.type()));
    try {
        text += " \"" + orbek::to_utf8(orbek::to_text(value)) + "\"";
    } catch (const VbError&) {
    }
    return text;
}

// A BSTR the checks read, null as the empty text.
std::wstring wide(BSTR text) {
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

// A VbError's description as the wide text the checks compare.
std::wstring description_of(const VbError& error) {
    return orbek::com::wide_of(orbek::from_utf8(error.what()));
}

// The error number a call fails with; 0 when it succeeds.
int error_number(const std::function<void()>& call) {
    try {
        call();
    } catch (const VbError& error) {
        return error.number();
    }
    return 0;
}

// A conversion against its case: the error number it must fail with, or else the value it
// must give.
void expect_outcome(Report& report, const std::string& name, int error, const Variant& value,
                    int expected_error, const Variant& expected) {
    if (expected_error != 0) {
        report.equal(name + " is an error", error, expected_error);
    } else if (report.equal(name + " succeeds", error, 0)) {
        report.check(name, value == expected,
                     "got " + describe(value) + ", expected " + describe(expected));
    }
}

// A VARIANT by value whose value union starts with `value`.
template <typename T> VARIANT by_value(VARTYPE type, T value) {
    VARIANT made;
    VariantInit(&made);
    V_VT(&made) = type;
    std::memcpy(&V_UI1(&made), &value, sizeof value);
    return made;
}

VARIANT decimal(double value) {
    VARIANT made;
    VariantInit(&made);
    VarDecFromR8(value, &V_DECIMAL(&made)); // the DECIMAL covers the VARTYPE too: set it after
    V_VT(&made) = VT_DECIMAL;
    return made;
}

void check_reading(Report& report) {
    LONG long_variable = 41;
    SHORT short_variable = 12;
    VARIANT double_variable = by_value(VT_R8, 0.5);
    VARIANT typed_reference = reference_to(VT_I2, &short_variable);
    VARIANT first_link;
    VARIANT second_link = reference_to(VT_VARIANT, &first_link);
    first_link = reference_to(VT_VARIANT, &second_link);
    struct Case {
        const char* name;
        VARIANT value;
        Variant expected;
        int error;
    };
    const Case cases[] = {
        {"VT_EMPTY", by_value(VT_EMPTY, 0), Variant(), 0},
        {"VT_NULL", by_value(VT_NULL, 0), Variant::null(), 0},
        {"VT_I2", by_value(VT_I2, std::int16_t{-7}), Variant(std::int16_t{-7}), 0},
        {"VT_I4", by_value(VT_I4, std::int32_t{70000}), Variant(std::int32_t{70000}), 0},
        {"VT_R4", by_value(VT_R4, 1.5f), Variant(1.5f), 0},
        {"VT_CY", by_value(VT_CY, std::int64_t{12345}), Variant(Currency::from_scaled(12345)), 0},
        {"VT_DATE", by_value(VT_DATE, 45000.25), Variant::date(45000.25), 0},
        {"a null VT_BSTR", by_value(VT_BSTR, BSTR{}), Variant(orbek::Text()), 0},
        {"VT_BOOL", by_value(VT_BOOL, VARIANT_TRUE), Variant(true), 0},
        {"VT_UI1", by_value(VT_UI1, std::uint8_t{200}), Variant(std::uint8_t{200}), 0},
        {"VT_ERROR", by_value(VT_ERROR, DISP_E_PARAMNOTFOUND), Variant::missing(), 0},
        {"VT_I1 as Long", by_value(VT_I1, std::int8_t{-3}), Variant(std::int32_t{-3}), 0},
        {"VT_UI2 as Long", by_value(VT_UI2, std::uint16_t{65535}), Variant(std::int32_t{65535}), 0},
        {"VT_UI4 beyond Long as Double", by_value(VT_UI4, 4000000000u), Variant(4000000000.0), 0},
        {"VT_I8 within Long", by_value(VT_I8, std::int64_t{-2}), Variant(std::int32_t{-2}), 0},
        {"VT_I8 beyond Long as Double", by_value(VT_I8, std::int64_t{1} << 40),
         Variant(1099511627776.0), 0},
        {"VT_UINT as Long", by_value(VT_UINT, 9u), Variant(std::int32_t{9}), 0},
        // A Decimal keeps its fraction: it is never cut to a whole number.
        {"VT_DECIMAL 2.5 as Double", decimal(2.5), Variant(2.5), 0},
        {"VT_DECIMAL 3 as Double", decimal(3), Variant(3.0), 0},
        {"Nothing", by_value(VT_DISPATCH, nullptr), Variant(Variant::ObjectRef()), 0},
        {"VT_BYREF|VT_I4", reference_to(VT_I4, &long_variable), Variant(std::int32_t{41}), 0},
        {"VT_BYREF|VT_VARIANT to a Double", reference_to(VT_VARIANT, &double_variable),
         Variant(0.5), 0},
        {"VT_BYREF|VT_VARIANT to a typed reference", reference_to(VT_VARIANT, &typed_reference),
         Variant(std::int16_t{12}), 0},
        {"a chain of variant references", first_link, Variant(), 13},
        {"a null reference", reference_to(VT_I4, nullptr), Variant(), 13},
        {"VT_BYREF|VT_EMPTY", reference_to(VT_EMPTY, &long_variable), Variant(), 13},
        {"VT_VARIANT by value", by_value(VT_VARIANT, 0), Variant(), 13},
        {"an array", by_value(VT_ARRAY | VT_I4, nullptr), Variant(), 13},
        {"VT_RECORD", by_value(VT_RECORD, nullptr), Variant(), 13},
    };
    for (const Case& c : cases) {
        Variant read;
        const int error = error_number([&] { read = orbek::com::variant_of(c.value); });
        expect_outcome(report, std::string("reading ") + c.name, error, read, c.error, c.expected);
    }
}

// Every value the core has crosses to COM and back unchanged.
void check_round_trips(Report& report) {
    struct Case {
        const char* name;
        Variant value;
        VARTYPE type;
    };
    const Case cases[] = {
        {"Empty", Variant(), VT_EMPTY},
        {"Null", Variant::null(), VT_NULL},
        {"Integer", Variant(std::int16_t{-32768}), VT_I2},
        {"Long", Variant(std::int32_t{2147483647}), VT_I4},
        {"Single", Variant(0.25f), VT_R4},
        {"Double", Variant(-1e300), VT_R8},
        {"Currency", Variant(Currency::from_scaled(-922337203685477)), VT_CY},
        {"Date", Variant::date(-1.5), VT_DATE},
        {"String", Variant(orbek::Text(u"M\u00f3dulo \U0001F600")), VT_BSTR},
        {"Boolean", Variant(false), VT_BOOL},
        {"Byte", Variant(std::uint8_t{255}), VT_UI1},
        {"Error", Variant(Variant::ErrorValue{static_cast<std::int32_t>(0x800A0005)}), VT_ERROR},
        {"Nothing", Variant(Variant::ObjectRef()), VT_DISPATCH},
    };
    for (const Case& c : cases) {
        orbek::com::OwnedVariant crossed(c.value);
        report.equal(std::string("a ") + c.name + " leaves as its VARTYPE", V_VT(crossed.get()),
                     c.type);
        expect_outcome(report, std::string("a ") + c.name + " coming back", 0,
                       orbek::com::variant_of(crossed.value()), 0, c.value);
    }
}

void check_store_through(Report& report) {
    // The caller's variable: of `type` (VT_VARIANT a variant holding a text), reached
    // directly or through a variant that refers to it.
    struct Case {
        const char* name;
        VARTYPE type;
        bool through_variant;
        Variant stored;
        Variant expected; // read back through the reference
        int error;
    };
    const Case cases[] = {
        {"a number into a String variable", VT_BSTR, false, Variant(std::int32_t{42}),
         Variant(orbek::Text(u"42")), 0},
        {"a text into an Integer variable", VT_I2, false, Variant(orbek::Text(u"12")),
         Variant(std::int16_t{12}), 0},
        {"40000 into an Integer variable", VT_I2, false, Variant(std::int32_t{40000}), Variant(),
         6},
        {"a word into an Integer variable", VT_I2, false, Variant(orbek::Text(u"abc")), Variant(),
         13},
        {"1 into a Boolean variable", VT_BOOL, false, Variant(std::int32_t{1}), Variant(true), 0},
        {"1.5 into a Currency variable", VT_CY, false, Variant(1.5),
         Variant(Currency::from_scaled(15000)), 0},
        {"a Long into an unsigned variable", VT_UI4, false, Variant(std::int32_t{7}),
         Variant(std::int32_t{7}), 0},
        {"1E10 into an unsigned variable", VT_UI4, false, Variant(1e10), Variant(), 6},
        {"a word into an unsigned variable", VT_UI4, false, Variant(orbek::Text(u"abc")), Variant(),
         13},
        {"a Long into a 64-bit variable", VT_I8, false, Variant(std::int32_t{-5}),
         Variant(std::int32_t{-5}), 0},
        {"a Long into a variant variable", VT_VARIANT, false, Variant(std::int32_t{5}),
         Variant(std::int32_t{5}), 0},
        {"a Long into a variant that refers to an Integer", VT_I2, true, Variant(std::int32_t{300}),
         Variant(std::int16_t{300}), 0},
    };
    for (const Case& c : cases) {
        VARIANT variable = by_value(VT_EMPTY, 0); // its value union is the typed variable
        if (c.type == VT_VARIANT) {
            V_VT(&variable) = VT_BSTR;
            V_BSTR(&variable) = SysAllocString(L"old");
        } else if (c.type == VT_BSTR) {
            V_BSTR(&variable) = SysAllocString(L"old");
        }
        void* storage = c.type == VT_VARIANT ? static_cast<void*>(&variable) : &V_UI1(&variable);
        VARIANT typed = reference_to(c.type, storage);
        const VARIANT caller = c.through_variant ? reference_to(VT_VARIANT, &typed) : typed;

        const int error = error_number([&] { orbek::com::store_through(caller, c.stored); });
        const Variant stored = error == 0 ? orbek::com::variant_of(caller) : Variant();
        expect_outcome(report, std::string("storing ") + c.name, error, stored, c.error,
                       c.expected);
        if (c.type == VT_BSTR) {
            SysFreeString(V_BSTR(&variable));
        }
        VariantClear(&variable);
    }

    report.equal("storing into a null reference is an error", error_number([] {
                     orbek::com::store_through(reference_to(VT_I4, nullptr),
                                               Variant(std::int32_t{1}));
                 }),
                 13);
    VARIANT given = by_value(VT_I4, std::int32_t{3});
    orbek::com::store_through(given, Variant(std::int32_t{9}));
    report.equal("a VARIANT passed by value is left alone", V_I4(&given), 3);
}

void check_failure_numbers(Report& report) {
    struct Case {
        HRESULT result;
        int number;
        const wchar_t* description;
    };
    const Case cases[] = {
        {static_cast<HRESULT>(0x800A0005), 5, L"Invalid procedure call or argument"},
        {static_cast<HRESULT>(0x800A0000), 440, L"Automation error"},
        {DISP_E_TYPEMISMATCH, 13, L"Type mismatch"},
        {DISP_E_PARAMNOTFOUND, 448, L"Named argument not found"},
        {DISP_E_NOTACOLLECTION, 451,
         L"Property let procedure not defined and property get procedure did not return an "
         L"object"},
        {DISP_E_DIVBYZERO, 11, L"Division by zero"},
        {DISP_E_UNKNOWNNAME, 438, L"Object doesn't support this property or method"},
        {E_OUTOFMEMORY, 7, L"Out of memory"},
        {E_NOINTERFACE, 430,
         L"Class does not support Automation or does not support expected interface"},
        {REGDB_E_CLASSNOTREG, 429, L"ActiveX component can't create object"},
        {E_FAIL, 440, L"Automation error"},
    };
    for (const Case& c : cases) {
        const VbError error = orbek::com::error_of_failure(c.result);
        const std::string name = "the failure " + hresult_text(c.result);
        report.equal(name + " is its error number", error.number(), c.number);
        report.equal(name + " has its description", description_of(error), c.description);
    }

    struct Outgoing {
        int number;
        HRESULT result;
    };
    for (const Outgoing& c : {Outgoing{5, static_cast<HRESULT>(0x800A0005)},
                              Outgoing{65535, static_cast<HRESULT>(0x800AFFFF)},
                              Outgoing{0, static_cast<HRESULT>(0x800A01B8)},
                              Outgoing{65536, static_cast<HRESULT>(0x800A01B8)},
                              Outgoing{-1, static_cast<HRESULT>(0x800A01B8)}}) {
        report.hresult("error " + std::to_string(c.number) + " leaves as",
                       orbek::com::hresult_of(VbError(c.number, "x")), c.result);
    }
}

// An interface IID of this test's own, to see that error information names the one given.
constexpr GUID TestInterface = {
    0x5b1f3f0e, 0x2c7a, 0x4d51, {0x9a, 0x3e, 0x61, 0x0c, 0x88, 0x47, 0x12, 0xd4}};

void check_error_information(Report& report) {
    report.hresult("report_error returns the error's HRESULT",
                   orbek::com::report_error(VbError(9, "Fuera de rango"), L"Tester", TestInterface),
                   static_cast<HRESULT>(0x800A0009));
    IErrorInfo* info = nullptr;
    if (report.check("report_error leaves error information",
                     GetErrorInfo(0, &info) == S_OK && info != nullptr)) {
        GUID guid{};
        info->GetGUID(&guid);
        report.check("the error information names the interface", IsEqualGUID(guid, TestInterface));
        info->Release();
    }
    orbek::com::report_error(VbError(9, "Fuera de rango"), L"Tester", TestInterface);
    std::wstring description;
    report.equal("the error information names the source", error_info_source(&description),
                 L"Tester");
    report.equal("the error information describes the error", description, L"Fuera de rango");

    EXCEPINFO exception{};
    orbek::com::fill_excepinfo(exception, VbError(13), L"Tester");
    report.hresult("fill_excepinfo: scode", exception.scode, static_cast<HRESULT>(0x800A000D));
    report.equal("fill_excepinfo: wCode", exception.wCode, 0);
    report.equal("fill_excepinfo: source", wide(exception.bstrSource), L"Tester");
    report.equal("fill_excepinfo: description", wide(exception.bstrDescription), L"Type mismatch");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);

    orbek::com::report_error(VbError(5, "Mes no valido"), L"Method", TestInterface);
    orbek::com::fill_excepinfo_from_error_info(exception, static_cast<HRESULT>(0x800A0005),
                                               L"Default");
    report.equal("EXCEPINFO from error information: source", wide(exception.bstrSource), L"Method");
    report.equal("EXCEPINFO from error information: description", wide(exception.bstrDescription),
                 L"Mes no valido");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SetErrorInfo(0, nullptr);
    orbek::com::fill_excepinfo_from_error_info(exception, DISP_E_OVERFLOW, L"Default");
    report.hresult("EXCEPINFO without error information: scode", exception.scode, DISP_E_OVERFLOW);
    report.equal("EXCEPINFO without error information: source", wide(exception.bstrSource),
                 L"Default");
    report.equal("EXCEPINFO without error information: description",
                 wide(exception.bstrDescription), L"Overflow");
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);

    orbek::com::report_error(VbError(53, "Falta el archivo"), L"Other", TestInterface);
    const VbError described = orbek::com::error_of_failed_call(static_cast<HRESULT>(0x800A0035));
    report.equal("a failed call with error information keeps its number", described.number(), 53);
    report.equal("a failed call with error information keeps its description",
                 description_of(described), L"Falta el archivo");
    SetErrorInfo(0, nullptr);
    const VbError plain = orbek::com::error_of_failed_call(E_INVALIDARG);
    report.equal("a failed call without error information: number", plain.number(), 5);
    report.equal("a failed call without error information: description", description_of(plain),
                 L"Invalid procedure call or argument");
}

HRESULT STDAPICALLTYPE fill_in_later(EXCEPINFO* info) {
    info->scode = static_cast<HRESULT>(0x800A0009);
    info->bstrDescription = SysAllocString(L"Filled in later");
    return S_OK;
}

void check_failed_invokes(Report& report) {
    struct Case {
        const char* name;
        HRESULT result;
        HRESULT scode;
        WORD code;
        const wchar_t* description;
        bool deferred;
        int number;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"an exception with its own words", DISP_E_EXCEPTION, static_cast<HRESULT>(0x800A000D), 0,
         L"Tipo incorrecto", false, 13, L"Tipo incorrecto"},
        {"an exception with a wCode only", DISP_E_EXCEPTION, S_OK, 9, nullptr, false, 9,
         L"Subscript out of range"},
        {"an exception with neither", DISP_E_EXCEPTION, S_OK, 0, nullptr, false, 440,
         L"Automation error"},
        {"an exception filled in later", DISP_E_EXCEPTION, S_OK, 0, nullptr, true, 9,
         L"Filled in later"},
        {"a member that is not there", DISP_E_MEMBERNOTFOUND, S_OK, 0, nullptr, false, 438,
         L"Object doesn't support this property or method"},
    };
    for (const Case& c : cases) {
        EXCEPINFO info{};
        info.scode = c.scode;
        info.wCode = c.code;
        info.bstrSource = SysAllocString(L"Form1");
        info.bstrDescription = c.description ? SysAllocString(c.description) : nullptr;
        info.pfnDeferredFillIn = c.deferred ? fill_in_later : nullptr;
        const VbError error = orbek::com::error_of_failed_invoke(c.result, info);
        const std::string name = std::string("a failed Invoke: ") + c.name;
        report.equal(name + ": number", error.number(), c.number);
        report.equal(name + ": description", description_of(error), c.expected);
        if (c.result == DISP_E_EXCEPTION) {
            report.check(name + ": EXCEPINFO's strings are freed",
                         info.bstrSource == nullptr && info.bstrDescription == nullptr);
        } else {
            SysFreeString(info.bstrSource);
            SysFreeString(info.bstrDescription);
        }
    }
}

void check_guarded_calls(Report& report) {
    struct Case {
        const char* name;
        void (*body)();
        HRESULT result;
        const wchar_t* description;
    };
    const Case cases[] = {
        {"a body that succeeds", [] {}, S_OK, nullptr},
        {"a body that fails with its own words", [] { throw VbError(76, "Sin ruta"); },
         static_cast<HRESULT>(0x800A004C), L"Sin ruta"},
        {"a body out of memory", [] { throw std::bad_alloc(); }, static_cast<HRESULT>(0x800A0007),
         L"Out of memory"},
        {"a body that throws something else", [] { throw 1; }, static_cast<HRESULT>(0x800A0033),
         L"Internal error"},
    };
    for (const Case& c : cases) {
        SetErrorInfo(0, nullptr);
        const HRESULT result = orbek::com::guarded_call(L"Guarded", TestInterface, c.body);
        const std::string name = std::string("guarded_call: ") + c.name;
        report.hresult(name, result, c.result);
        if (c.description != nullptr) {
            std::wstring description;
            report.equal(name + ": source", error_info_source(&description), L"Guarded");
            report.equal(name + ": description", description, c.description);
        }
    }
}

void check_texts(Report& report) {
    report.equal("a null BSTR is the empty text", orbek::com::text_of(nullptr).size(), 0);
    const wchar_t with_nul[] = {L'a', L'\0', L'b'};
    BSTR inner_nul = SysAllocStringLen(with_nul, 3);
    report.equal("a BSTR keeps a character 0 inside", orbek::com::text_of(inner_nul).size(), 3);
    SysFreeString(inner_nul);

    orbek::com::OwnedBstr owned(u"\u00f1and\u00fa \U0001F600");
    report.equal("a BSTR holds the text's UTF-16 units", SysStringLen(owned.get()), 8);
    report.check("a BSTR comes back as the same text",
                 owned.text() == orbek::Text(u"\u00f1and\u00fa \U0001F600"));
    orbek::com::replace_bstr(owned.slot(), u"nuevo");
    report.equal("replace_bstr puts the new text in place", orbek::com::wide_of(owned.text()),
                 L"nuevo");
    report.equal("text_view_of reads up to the first character 0",
                 orbek::com::text_view_of(L"abc").size(), 3);
}

// QueryInterface of a fake that offers IUnknown and one interface.
HRESULT offer(IUnknown* self, REFIID offered, REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, offered)) {
        *object = self;
        self->AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// A form of the host as IDispatch sees it: a Caption, a Locked member that always fails,
// an Owner that takes objects, and its items.
class FakeForm final : public IDispatch {
  public:
    explicit FakeForm(bool collection) : collection_(collection) { VariantInit(&caption_); }
    ~FakeForm() { VariantClear(&caption_); }
    FakeForm(const FakeForm&) = delete;
    FakeForm& operator=(const FakeForm&) = delete;

    static constexpr DISPID Caption = 1;
    static constexpr DISPID Locked = 2;
    static constexpr DISPID Owner = 3;

    LONG references = 1;
    WORD last_put_flags = 0;
    const VARIANT& caption() const { return caption_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        return offer(static_cast<IDispatch*>(this), IID_IDispatch, iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID,
                                            DISPID* ids) override {
        const std::pair<const wchar_t*, DISPID> members[] = {
            {L"Caption", Caption}, {L"Locked", Locked}, {L"Owner", Owner}};
        for (const auto& [name, id] : members) {
            if (lstrcmpiW(names[0], name) == 0) {
                *ids = id;
                return S_OK;
            }
        }
        *ids = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override {
        switch (member) {
        case Caption:
            if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
                last_put_flags = flags;
                return VariantCopy(&caption_, &params->rgvarg[0]);
            }
            V_VT(result) = VT_BSTR;
            V_BSTR(result) = SysAllocString(L"Captura de horas");
            return S_OK;
        case Owner:
            last_put_flags = flags;
            return S_OK;
        case Locked:
            *exception = EXCEPINFO{};
            exception->scode = static_cast<HRESULT>(0x800A0046);
            exception->bstrDescription = SysAllocString(L"Caption is locked");
            return DISP_E_EXCEPTION;
        case DISPID_NEWENUM:
            if (!collection_) {
                return DISP_E_MEMBERNOTFOUND;
            }
            V_VT(result) = VT_UNKNOWN;
            V_UNKNOWN(result) = new Items();
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

  private:
    // The form's two items, a Long and a text.
    class Items final : public IEnumVARIANT {
      public:
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
            return offer(static_cast<IEnumVARIANT*>(this), IID_IEnumVARIANT, iid, object);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
        ULONG STDMETHODCALLTYPE Release() override {
            const ULONG left = --references_;
            if (left == 0) {
                delete this;
            }
            return left;
        }
        HRESULT STDMETHODCALLTYPE Next(ULONG, VARIANT* item, ULONG* fetched) override {
            *fetched = 0;
            if (next_ == 0) {
                V_VT(item) = VT_I4;
                V_I4(item) = 1;
            } else if (next_ == 1) {
                V_VT(item) = VT_BSTR;
                V_BSTR(item) = SysAllocString(L"two");
            } else {
                return S_FALSE;
            }
            ++next_;
            *fetched = 1;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Reset() override {
            next_ = 0;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT**) override { return E_NOTIMPL; }

      private:
        ULONG references_ = 1;
        int next_ = 0;
    };

    bool collection_;
    VARIANT caption_;
};

// An object of the core's own, which has no IDispatch to cross with.
class CoreObject final : public orbek::AutomationObject {
  public:
    Variant get_property(orbek::TextView) override { return Variant(); }
    void put_property(orbek::TextView, const Variant&) override {}
    std::vector<Variant> enumerate() override { return {}; }
};

void check_host_objects(Report& report) {
    FakeForm form(true);
    {
        VARIANT given;
        VariantInit(&given);
        V_VT(&given) = VT_DISPATCH;
        V_DISPATCH(&given) = &form;
        const Variant object = orbek::com::variant_of(given);
        report.check("an IDispatch becomes an object", object.type() == orbek::VarType::Object);
        auto& host = *object.as<Variant::ObjectRef>();

        report.check("a property of the host's object",
                     host.get_property(u"caption") == Variant(orbek::Text(u"Captura de horas")));
        report.equal("a member the object lacks is error 438",
                     error_number([&] { host.get_property(u"Width"); }), 438);
        VbError locked(0);
        try {
            host.get_property(u"Locked");
        } catch (const VbError& error) {
            locked = error;
        }
        report.equal("the object's own error keeps its number", locked.number(), 70);
        report.equal("the object's own error keeps its description", description_of(locked),
                     L"Caption is locked");

        host.put_property(u"Caption", Variant(std::int32_t{5}));
        report.equal("a value is put with DISPATCH_PROPERTYPUT", form.last_put_flags,
                     DISPATCH_PROPERTYPUT);
        report.check("the object receives the value",
                     V_VT(&form.caption()) == VT_I4 && V_I4(&form.caption()) == 5);
        host.put_property(u"Owner", object);
        report.equal("an object is put with DISPATCH_PROPERTYPUTREF", form.last_put_flags,
                     DISPATCH_PROPERTYPUTREF);

        const std::vector<Variant> items = host.enumerate();
        report.check(
            "the items of a collection, in order",
            items == std::vector<Variant>{Variant(std::int32_t{1}), Variant(orbek::Text(u"two"))});

        orbek::com::OwnedVariant back(object);
        report.check("the object crosses back as the same IDispatch",
                     V_VT(back.get()) == VT_DISPATCH && V_DISPATCH(back.get()) == &form);
    }
    report.equal("every reference taken on the object is given back", form.references, 1);

    FakeForm single(false);
    orbek::com::DispatchObject not_a_collection(&single);
    report.equal("the items of an object that is not a collection are error 438",
                 error_number([&] { not_a_collection.enumerate(); }), 438);

    VARIANT out;
    report.equal("an object of the core's own cannot cross to COM: error 13", error_number([&] {
                     orbek::com::to_com(Variant(Variant::ObjectRef(std::make_shared<CoreObject>())),
                                        &out);
                 }),
                 13);
}

// What a class factory did to its server, counted by the server's hooks.
struct ServerCounts {
    int holds = 0;
    int locks = 0;
    int created = 0;
    GUID asked_for{};
};

ServerCounts& counts() {
    static ServerCounts kept;
    return kept;
}

HRESULT create_test_object(REFIID iid, void** object) {
    ++counts().created;
    counts().asked_for = iid;
    *object = nullptr;
    return E_NOINTERFACE;
}

void check_class_factory(Report& report) {
    const orbek::com::FactoryServer server{create_test_object, [] { ++counts().holds; },
                                           [] { --counts().holds; }, [] { ++counts().locks; },
                                           [] { --counts().locks; }};
    IClassFactory* factory = nullptr;
    report.hresult("a class factory is made",
                   orbek::com::make_class_factory(server, IID_IClassFactory,
                                                  reinterpret_cast<void**>(&factory)),
                   S_OK);
    if (factory == nullptr) {
        return;
    }
    report.equal("a live factory holds the server", counts().holds, 1);
    IUnknown* outer = factory;
    void* object = &counts();
    report.hresult("aggregation is refused", factory->CreateInstance(outer, IID_IDispatch, &object),
                   CLASS_E_NOAGGREGATION);
    report.check("a refused creation clears the pointer and makes nothing",
                 object == nullptr && counts().created == 0);
    report.hresult("a creation without a place for the object",
                   factory->CreateInstance(nullptr, IID_IDispatch, nullptr), E_POINTER);
    report.hresult("a creation returns the server's answer",
                   factory->CreateInstance(nullptr, IID_IDispatch, &object), E_NOINTERFACE);
    report.check("the server is asked for the interface the client named",
                 counts().created == 1 && IsEqualIID(counts().asked_for, IID_IDispatch));
    factory->LockServer(TRUE);
    factory->LockServer(TRUE);
    factory->LockServer(FALSE);
    report.equal("LockServer counts its locks", counts().locks, 1);
    factory->LockServer(FALSE);
    factory->Release();
    report.equal("the last release of the factory lets the server go", counts().holds, 0);

    void* unknown_interface = &counts();
    report.hresult("a factory asked for an interface it lacks",
                   orbek::com::make_class_factory(server, IID_IDispatch, &unknown_interface),
                   E_NOINTERFACE);
    report.check("leaves nothing behind", unknown_interface == nullptr && counts().holds == 0);
}

} // namespace

int wmain() {
    Report report;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    check_reading(report);
    check_round_trips(report);
    check_store_through(report);
    check_failure_numbers(report);
    check_error_information(report);
    check_failed_invokes(report);
    check_guarded_calls(report);
    check_texts(report);
    check_host_objects(report);
    check_class_factory(report);
    CoUninitialize();
    report.done();
    return 0;
}
