// MireldaSys.SysTools in process: its vtable, its late-bound dispatch with every kind of
// argument, its errors, its class factory and unloading, and its version record.
// Argument: the Windows path of MireldaSys.dll.
#include "MireldaSys.h"
#include "dispatch_torture.h"
#include "host_checks.h"
#include "memory_growth.h"
#include "server_lifetime.h"

#include <string>
#include <vector>
#include <windows.h>

using namespace wine_checks;

namespace {

// The methods that open windows or animate one.
const std::vector<std::wstring> windowed_methods = {L"ShowSystemInfo", L"CloseEffect"};

void check_pad_text(Report& report, _SysTools* tools) {
    struct Case {
        const wchar_t* text;
        short width;
        const wchar_t* padded;
    };
    const Case cases[] = {
        {L"7", 2, L"07"},      {L"12", 2, L"12"}, {L"123", 2, L"123"}, {L"5", 4, L"0005"},
        {L"1999", 4, L"1999"}, {L"0", 2, L"00"},  {L"-5", 4, L"-005"},
    };
    for (const Case& c : cases) {
        Text text(c.text);
        Text padded;
        VARIANT fill;
        VariantInit(&fill);
        V_VT(&fill) = VT_ERROR;
        V_ERROR(&fill) = DISP_E_PARAMNOTFOUND;
        const HRESULT result = tools->PadText(text.slot(), c.width, fill, padded.slot());
        const std::string name =
            "vtable PadText(\"" + utf8(c.text) + "\", " + std::to_string(c.width) + ")";
        if (report.hresult(name + " succeeds", result, S_OK)) {
            report.equal(name, padded.str(), c.padded);
            report.equal(name + " leaves its text argument", text.str(), c.text);
        }
    }
}

void check_days_in_month(Report& report, _SysTools* tools) {
    struct Case {
        short month;
        short year;
        short days;
    };
    const Case cases[] = {{1, 2024, 31}, {2, 2024, 29}, {2, 2023, 28}, {2, 1900, 28},
                          {2, 2000, 29}, {4, 2024, 30}, {9, 1999, 30}, {12, 1999, 31}};
    for (const Case& c : cases) {
        short month = c.month;
        short year = c.year;
        short days = 0;
        const std::string name =
            "vtable DaysInMonth(" + std::to_string(c.month) + ", " + std::to_string(c.year) + ")";
        if (report.hresult(name + " succeeds", tools->DaysInMonth(&month, &year, &days), S_OK)) {
            report.equal(name, days, c.days);
        }
    }
    const short wrong_months[] = {0, 13, -1};
    for (const short wrong : wrong_months) {
        short month = wrong;
        short year = 2024;
        short days = 0;
        const std::string name = "vtable DaysInMonth(" + std::to_string(wrong) + ", 2024)";
        report.hresult(name + " is error 5", tools->DaysInMonth(&month, &year, &days),
                       static_cast<HRESULT>(0x800A0005));
        std::wstring description;
        const std::wstring source = error_info_source(&description);
        report.equal(name + " leaves error information from MireldaSys", source, L"MireldaSys");
        report.equal(name + " describes error 5", description,
                     L"Invalid procedure call or argument");
    }
}

void check_encoding(Report& report, _SysTools* tools) {
    const wchar_t* texts[] = {L"", L"1", L"65535", L"M\u00f3dulo \u00f1",
                              L"a longer rights text 0123456789"};
    for (const wchar_t* plain : texts) {
        Text original(plain);
        Text encoded;
        Text decoded;
        const std::string name = "vtable DecodeText(EncodeText(\"" + utf8(plain) + "\"))";
        if (!report.hresult(name + ": EncodeText succeeds",
                            tools->EncodeText(original.get(), encoded.slot()), S_OK)) {
            continue;
        }
        if (*plain != L'\0') {
            report.check(name + ": the encoded text differs from the plain one",
                         encoded.str() != plain, "EncodeText returned its argument");
        }
        if (report.hresult(name + ": DecodeText succeeds",
                           tools->DecodeText(encoded.get(), decoded.slot()), S_OK)) {
            report.equal(name, decoded.str(), plain);
        }
    }
    Text malformed(L"not an encoded text");
    Text decoded;
    report.hresult("vtable DecodeText of a malformed text is error 5",
                   tools->DecodeText(malformed.get(), decoded.slot()),
                   static_cast<HRESULT>(0x800A0005));
}

void check_bit_text(Report& report, _SysTools* tools) {
    const long numbers[] = {0, 1, 2, 5, 255, 32768, 65535};
    for (const long number : numbers) {
        Text argument(std::to_wstring(number).c_str());
        Text bits;
        const std::string name = "vtable ToBitText(\"" + std::to_string(number) + "\")";
        if (!report.hresult(name + " succeeds", tools->ToBitText(argument.get(), bits.slot()),
                            S_OK)) {
            continue;
        }
        const std::wstring digits = bits.str();
        std::string wrong;
        if (digits.size() < 16) {
            wrong = "fewer than 16 digits";
        }
        for (int module = 1; module <= 16 && wrong.empty(); ++module) {
            const wchar_t expected = (number >> (module - 1)) & 1 ? L'1' : L'0';
            if (digits[digits.size() - static_cast<std::size_t>(module)] != expected) {
                wrong = "flag " + std::to_string(module) + " is wrong";
            }
        }
        report.check(name + " has flag m at position 17 - m", wrong.empty(),
                     wrong + " in \"" + utf8(digits) + "\"");
    }
}

void check_date_text(Report& report, _SysTools* tools) {
    VARIANT date;
    VariantInit(&date);
    V_VT(&date) = VT_DATE;
    V_DATE(&date) = 46361.0; // 5 December 2026
    Text style(L"E");
    Text prefix(L"");
    Text text;
    if (report.hresult("vtable DateToText(date, \"E\", \"\", True, True) succeeds",
                       tools->DateToText(date, style.get(), prefix.get(), VARIANT_TRUE,
                                         VARIANT_TRUE, text.slot()),
                       S_OK)) {
        report.check("DateToText states the year of the date",
                     text.str().find(L"2026") != std::wstring::npos, utf8(text.str()));
    }
}

void check_dispatch(Report& report, IDispatch* tools) {
    report.equal("GetIDsOfNames ignores case", member_id(tools, L"pADtEXT"),
                 member_id(tools, L"PadText"));
    report.equal("GetIDsOfNames of an unknown name", member_id(tools, L"NoSuchMethod"),
                 DISPID_UNKNOWN);

    // A variable passed by reference to an argument the operation does not change keeps its
    // own type and value.
    Value month(L"2");
    Value year(2024L);
    CallResult days = call(tools, L"DaysInMonth", {by_reference(month), by_reference(year)});
    if (report.hresult("late-bound DaysInMonth with variables", days.result, S_OK)) {
        report.equal("late-bound DaysInMonth(\"2\", 2024)", days.value.number(), 29);
        report.equal("the month variable keeps its text", V_VT(month.get()), VT_BSTR);
    }

    Value text(L"7");
    CallResult padded = call(tools, L"PadText", {by_reference(text), *Value(2L)});
    if (report.hresult("late-bound PadText with a variable", padded.result, S_OK)) {
        report.equal("late-bound PadText(\"7\", 2)", padded.value.text(), L"07");
    }

    CallResult failed = call(tools, L"DaysInMonth", {*Value(13L), *Value(2024L)});
    report.hresult("late-bound DaysInMonth(13, 2024) raises an exception", failed.result,
                   DISP_E_EXCEPTION);
    report.hresult("its EXCEPINFO carries error 5", failed.scode, static_cast<HRESULT>(0x800A0005));
    report.equal("its EXCEPINFO names MireldaSys", failed.source, L"MireldaSys");

    CallResult mismatch = call(tools, L"DaysInMonth", {*Value(L"abc"), *Value(2024L)});
    report.hresult("a month \"abc\" is a type mismatch", mismatch.result, DISP_E_TYPEMISMATCH);
    report.equal("the mismatch names the month's slot in rgvarg", mismatch.argument_error, 1);

    CallResult overflow = call(tools, L"DaysInMonth", {*Value(100000L), *Value(2024L)});
    report.hresult("a month 100000 is an overflow", overflow.result, DISP_E_OVERFLOW);

    CallResult too_few = call(tools, L"PadText", {*Value(L"7")});
    report.hresult("PadText without its width", too_few.result, DISP_E_PARAMNOTOPTIONAL);
    CallResult too_many =
        call(tools, L"PadText", {*Value(L"7"), *Value(2L), *Value(L"0"), *Value(L"x")});
    report.hresult("PadText with four arguments", too_many.result, DISP_E_BADPARAMCOUNT);

    CallResult no_window =
        call(tools, L"CloseEffect", {*Value(0L), *Value(3135L), *Value(0L), *Value(0L)});
    report.hresult("CloseEffect on window handle 0 raises an exception", no_window.result,
                   DISP_E_EXCEPTION);
    report.hresult("CloseEffect on window handle 0 is error 5", no_window.scode,
                   static_cast<HRESULT>(0x800A0005));
    VARIANT itself;
    VariantInit(&itself);
    V_VT(&itself) = VT_DISPATCH;
    V_DISPATCH(&itself) = tools; // an object without an hWnd property
    CallResult no_handle =
        call(tools, L"CloseEffect", {*Value(0L), *Value(3135L), *Value(0L), itself});
    report.hresult("CloseEffect on an object without hWnd is error 438", no_handle.scode,
                   static_cast<HRESULT>(0x800A01B6));

    // Named arguments, in any order.
    DISPID ids[3] = {};
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"PadText"), const_cast<LPOLESTR>(L"width"),
                        const_cast<LPOLESTR>(L"text")};
    report.hresult("GetIDsOfNames of PadText's argument names",
                   tools->GetIDsOfNames(IID_NULL, names, 3, LOCALE_USER_DEFAULT, ids), S_OK);
    Value width(3L);
    Value five(L"5");
    VARIANT named_values[2] = {*width, *five}; // width, text
    DISPID named_ids[2] = {ids[1], ids[2]};
    DISPPARAMS named{named_values, named_ids, 2, 2};
    Value result;
    HRESULT answer =
        tools->Invoke(ids[0], IID_NULL, 0, DISPATCH_METHOD, &named, result.get(), nullptr, nullptr);
    if (report.hresult("PadText(width:=3, text:=\"5\")", answer, S_OK)) {
        report.equal("PadText(width:=3, text:=\"5\") pads", result.text(), L"005");
    }
    DISPID unknown_ids[2] = {ids[1], 7};
    DISPPARAMS unknown_name{named_values, unknown_ids, 2, 2};
    UINT wrong_argument = 99;
    answer = tools->Invoke(ids[0], IID_NULL, 0, DISPATCH_METHOD, &unknown_name, result.get(),
                           nullptr, &wrong_argument);
    report.hresult("a named argument that PadText does not have", answer, DISP_E_PARAMNOTFOUND);
    report.equal("puArgErr names that argument", wrong_argument, 1);

    // Malformed requests.
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    const DISPID pad = member_id(tools, L"PadText");
    report.hresult(
        "Invoke of an unknown DISPID",
        tools->Invoke(999, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
        DISP_E_MEMBERNOTFOUND);
    report.hresult(
        "Invoke with an interface other than IID_NULL",
        tools->Invoke(pad, IID_IDispatch, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
        DISP_E_UNKNOWNINTERFACE);
    report.hresult(
        "Invoke without DISPPARAMS",
        tools->Invoke(pad, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
        E_INVALIDARG);
    DISPPARAMS missing_array{nullptr, nullptr, 2, 0};
    report.hresult(
        "Invoke with arguments counted but no array",
        tools->Invoke(pad, IID_NULL, 0, DISPATCH_METHOD, &missing_array, nullptr, nullptr, nullptr),
        E_INVALIDARG);
    DISPPARAMS more_named{named_values, named_ids, 1, 2};
    report.hresult(
        "Invoke with more named arguments than arguments",
        tools->Invoke(pad, IID_NULL, 0, DISPATCH_METHOD, &more_named, nullptr, nullptr, nullptr),
        E_INVALIDARG);
    report.hresult(
        "a property put on a method",
        tools->Invoke(pad, IID_NULL, 0, DISPATCH_PROPERTYPUT, &named, nullptr, nullptr, nullptr),
        DISP_E_MEMBERNOTFOUND);
    DISPPARAMS failing{nullptr, nullptr, 0, 0};
    VARIANT failing_values[2] = {*Value(2024L), *Value(13L)};
    failing.rgvarg = failing_values;
    failing.cArgs = 2;
    report.hresult("a failing call without EXCEPINFO or result",
                   tools->Invoke(member_id(tools, L"DaysInMonth"), IID_NULL, 0, DISPATCH_METHOD,
                                 &failing, nullptr, nullptr, nullptr),
                   DISP_E_EXCEPTION);

    check_every_argument_kind(report, tools, "SysTools", windowed_methods);
}

// What a client does that succeeds and writes into its variables (so the object replaces what
// they held), and a call that fails with an EXCEPINFO the client frees. Returns how many calls
// answered otherwise than expected.
int client_calls(IDispatch* tools) {
    int unexpected = 0;
    auto expect = [&unexpected](bool as_expected) { unexpected += as_expected ? 0 : 1; };

    Value month(L"2");
    Value year(L"2024");
    CallResult days = call(tools, L"DaysInMonth", {by_reference(month), by_reference(year)});
    expect(days.value.number() == 29 && V_VT(month.get()) == VT_BSTR &&
           V_VT(year.get()) == VT_BSTR);

    Value text(L"7");
    CallResult padded = call(tools, L"PadText", {by_reference(text), *Value(2L)});
    expect(padded.value.text() == L"07" && text.text() == L"7");

    Text typed(L"5");
    VARIANT typed_reference;
    VariantInit(&typed_reference);
    V_VT(&typed_reference) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&typed_reference) = typed.slot();
    CallResult year_text = call(tools, L"PadText", {typed_reference, *Value(4L)});
    expect(year_text.value.text() == L"0005" && typed.str() == L"5");

    CallResult encoded = call(tools, L"EncodeText", {*Value(L"M\u00f3dulo \u00f1")});
    CallResult decoded = call(tools, L"DecodeText", {*encoded.value});
    expect(decoded.value.text() == L"M\u00f3dulo \u00f1");

    CallResult bits = call(tools, L"ToBitText", {*Value(L"5")});
    expect(bits.value.text().size() >= 16);

    Value date;
    V_VT(date.get()) = VT_DATE;
    V_DATE(date.get()) = 46361.0; // 5 December 2026
    CallResult date_text =
        call(tools, L"DateToText",
             {*date, *Value(L"E"), *Value(L""), *Value::boolean(true), *Value::boolean(true)});
    expect(date_text.value.text().find(L"2026") != std::wstring::npos);

    Value wrong_month(13L);
    CallResult failed = call(tools, L"DaysInMonth", {by_reference(wrong_month), *Value(2024L)});
    expect(failed.result == DISP_E_EXCEPTION && failed.scode == static_cast<HRESULT>(0x800A0005) &&
           failed.source == L"MireldaSys" && !failed.description.empty());
    return unexpected;
}

void check_memory(Report& report, IDispatch* tools) {
    const Round client_round = [tools] { return client_calls(tools); };
    check_measurement_sees_a_leak(report, "SysTools", 200, tools, client_round);
    check_no_memory_growth(report, "SysTools", "every argument kind and the client calls", 200,
                           tools, [tools, &client_round] {
                               return count_undefined_answers(tools, windowed_methods) +
                                      client_round();
                           });
}

std::wstring version_string(const wchar_t* path, const wchar_t* name) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoW(path, 0, size, block.data())) {
        return L"<no version record>";
    }
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) {
        return L"<missing>";
    }
    return value != nullptr ? std::wstring(value) : L"";
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    if (argc < 2) {
        report.check("companion_checks arguments", false, "usage: companion_checks <dll path>");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    check_unloading(report, argv[1], "MireldaSys", __uuidof(SysTools), "SysTools");

    _SysTools* tools = nullptr;
    const HRESULT created = CoCreateInstance(__uuidof(SysTools), nullptr, CLSCTX_INPROC_SERVER,
                                             __uuidof(_SysTools), reinterpret_cast<void**>(&tools));
    if (report.hresult("CoCreateInstance of SysTools for _SysTools", created, S_OK)) {
        check_pad_text(report, tools);
        check_days_in_month(report, tools);
        check_encoding(report, tools);
        check_bit_text(report, tools);
        check_date_text(report, tools);
        check_dispatch(report, tools);
        check_memory(report, tools);
        check_error_info_support(report, tools, "SysTools", __uuidof(_SysTools), "_SysTools");
        tools->Release();
    }

    report.equal("version record: FileVersion", version_string(argv[1], L"FileVersion"), L"1.00");
    report.equal("version record: OriginalFilename", version_string(argv[1], L"OriginalFilename"),
                 L"MireldaSys.dll");
    report.check("version record: marked self-registering",
                 version_string(argv[1], L"OLESelfRegister") != L"<missing>",
                 "no OLESelfRegister entry");
    CoUninitialize();
    report.done();
    return 0;
}
