// Orbek_DLL.OrbekDLL in process, late-bound: named arguments (which scripts cannot send),
// every kind of argument to every method that neither opens a window nor writes a file, and
// the server's unloading. Argument: the Windows path of Orbek_DLL.dll.
#include "dispatch_torture.h"
#include "host_checks.h"
#include "memory_growth.h"
#include "server_lifetime.h"

#include <string>
#include <vector>
#include <windows.h>

using namespace wine_checks;

namespace {

struct Named {
    const wchar_t* name;
    const wchar_t* value;
};

// Calls a method with named arguments only, their DISPIDs asked of GetIDsOfNames.
CallResult call_named(IDispatch* object, const wchar_t* method, const std::vector<Named>& named,
                      HRESULT* names_result) {
    std::vector<LPOLESTR> names{const_cast<LPOLESTR>(method)};
    for (const Named& argument : named) {
        names.push_back(const_cast<LPOLESTR>(argument.name));
    }
    std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
    *names_result = object->GetIDsOfNames(IID_NULL, names.data(), static_cast<UINT>(names.size()),
                                          LOCALE_USER_DEFAULT, ids.data());
    std::vector<Value> values;
    values.reserve(named.size());
    for (const Named& argument : named) {
        values.emplace_back(argument.value);
    }
    std::vector<VARIANT> sent;
    for (Value& value : values) {
        sent.push_back(*value);
    }
    CallResult outcome;
    DISPPARAMS params{sent.data(), ids.data() + 1, static_cast<UINT>(sent.size()),
                      static_cast<UINT>(sent.size())};
    EXCEPINFO exception{};
    outcome.result = object->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                    outcome.value.get(), &exception, &outcome.argument_error);
    outcome.scode = exception.scode;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return outcome;
}

void check_named_arguments(Report& report, IDispatch* component) {
    struct Case {
        const char* name;
        const wchar_t* method;
        std::vector<Named> arguments;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"SumaHoras(Hora1:=, Hora2:=)",
         L"SumaHoras",
         {{L"Hora1", L"01:30:00"}, {L"Hora2", L"00:45:30"}},
         L"02:15:30"},
        {"SumaHoras(Hora5:=, Hora2:=, Hora1:=) skips the absent Hora3 and Hora4",
         L"SumaHoras",
         {{L"Hora5", L"00:00:30"}, {L"Hora2", L"00:30:00"}, {L"Hora1", L"01:00:00"}},
         L"01:30:30"},
        {"RestaHoras(Hora2:=, Hora1:=) subtracts the second from the first",
         L"RestaHoras",
         {{L"Hora2", L"08:30:00"}, {L"Hora1", L"10:00:00"}},
         L"01:30:00"},
        {"Hrs2Seg(horas:=) in another case", L"Hrs2Seg", {{L"horas", L"01:30:15"}}, L"5415"},
        {"Seg2Hrs(Segundos:=)", L"Seg2Hrs", {{L"Segundos", L"90000"}}, L"25:00:00"},
    };
    for (const Case& c : cases) {
        HRESULT names = E_FAIL;
        CallResult outcome = call_named(component, c.method, c.arguments, &names);
        report.hresult(std::string("names of ") + c.name, names, S_OK);
        if (report.hresult(c.name, outcome.result, S_OK)) {
            report.equal(std::string(c.name) + " result", outcome.value.text(), c.expected);
        }
    }
    HRESULT names = E_FAIL;
    CallResult unknown = call_named(component, L"SumaHoras",
                                    {{L"Hora1", L"01:00:00"}, {L"Hora9", L"01:00:00"}}, &names);
    report.hresult("GetIDsOfNames of an argument SumaHoras does not have", names,
                   DISP_E_UNKNOWNNAME);
    report.check("SumaHoras with the unknown argument Hora9 fails", FAILED(unknown.result),
                 "it succeeded");
    CallResult no_first = call_named(component, L"SumaHoras", {{L"Hora2", L"01:00:00"}}, &names);
    report.check("SumaHoras without Hora1 fails", FAILED(no_first.result), "it succeeded");
}

void check_errors(Report& report, IDispatch* component) {
    struct Case {
        const char* name;
        const wchar_t* method;
        std::vector<const wchar_t*> arguments;
        HRESULT expected; // the HRESULT, or the scode when the method raised an exception
    };
    const Case cases[] = {
        {"Fillhours(\"1\") is error 5", L"Fillhours", {L"1"}, static_cast<HRESULT>(0x800A0005)},
        {"Acceso(sDer, 17) is error 5", L"Acceso", {L"", L"17"}, static_cast<HRESULT>(0x800A0005)},
        {"Seg2Hrs(\"3000000000\") is an overflow", L"Seg2Hrs", {L"3000000000"}, DISP_E_OVERFLOW},
        {"Seg2Hrs(\"abc\") is a type mismatch", L"Seg2Hrs", {L"abc"}, DISP_E_TYPEMISMATCH},
        {"Hrs2Seg with two arguments", L"Hrs2Seg", {L"1", L"2"}, DISP_E_BADPARAMCOUNT},
        {"SumaHoras with one argument", L"SumaHoras", {L"01:00:00"}, DISP_E_PARAMNOTOPTIONAL},
    };
    for (const Case& c : cases) {
        std::vector<Value> values;
        values.reserve(c.arguments.size());
        for (const wchar_t* argument : c.arguments) {
            values.emplace_back(argument);
        }
        std::vector<VARIANT> sent;
        for (Value& value : values) {
            sent.push_back(*value);
        }
        CallResult outcome = call(component, c.method, sent);
        report.hresult(c.name, outcome.result == DISP_E_EXCEPTION ? outcome.scode : outcome.result,
                       c.expected);
    }
}

// The methods that open windows or message boxes, write files, or pause.
const std::vector<std::wstring> left_out_methods = {
    L"ProgressBar", L"STIProgressBar", L"ProgressShow", L"FechaValida", L"sSplash",
    L"WrINI",       L"ArchStay",       L"Log",          L"Delay"};

VARIANT text_reference(BSTR* text) {
    VARIANT reference;
    VariantInit(&reference);
    V_VT(&reference) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&reference) = text;
    return reference;
}

// What a client does that succeeds and writes into its variables (so the component replaces
// what they held), and calls that fail with an EXCEPINFO the client frees. Returns how many
// calls answered otherwise than expected.
int client_calls(IDispatch* component) {
    int unexpected = 0;
    auto expect = [&unexpected](bool as_expected) { unexpected += as_expected ? 0 : 1; };

    Value empty;
    CallResult filled = call(component, L"Fillhours", {by_reference(empty)});
    expect(filled.result == S_OK && filled.value.text() == L"00:00" && empty.text() == L"00:00");

    Text typed(L"");
    CallResult typed_filled = call(component, L"Fillhours", {text_reference(typed.slot())});
    expect(typed_filled.result == S_OK && typed.str() == L"00:00");

    Text typed_short(L"930");
    CallResult padded = call(component, L"Fillhours", {text_reference(typed_short.slot())});
    expect(padded.value.text() == L"09:30" && typed_short.str() == L"930");

    Value seconds(L"90000"); // a text where a Long is declared
    CallResult hours = call(component, L"Seg2Hrs", {by_reference(seconds)});
    expect(hours.value.text() == L"25:00:00" && seconds.number() == 90000);

    Value times[] = {Value(L"01:30:00"), Value(L"00:45:30"), Value(L"00:00:30"),
                     Value(L"02:00:00"), Value(L"10:00:00"), Value(L"00:00:00")};
    std::vector<VARIANT> references;
    for (Value& time : times) {
        references.push_back(by_reference(time));
    }
    CallResult sum = call(component, L"SumaHoras", references);
    expect(sum.result == S_OK && sum.value.text() == L"14:16:00");

    Value one_character(L"1");
    CallResult failed = call(component, L"Fillhours", {by_reference(one_character)});
    expect(failed.result == DISP_E_EXCEPTION && failed.scode == static_cast<HRESULT>(0x800A0005) &&
           !failed.description.empty() && one_character.text() == L"1");

    Value module(17L);
    CallResult refused = call(component, L"Acceso", {*Value(L""), by_reference(module)});
    expect(refused.result == DISP_E_EXCEPTION && !refused.source.empty());
    return unexpected;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    if (argc < 2) {
        report.check("component_checks arguments", false, "usage: component_checks <dll path>");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CLSID class_id{};
    CLSIDFromProgID(L"Orbek_DLL.OrbekDLL", &class_id);
    check_unloading(report, argv[1], "Orbek_DLL", class_id, "OrbekDLL");
    HRESULT created = S_OK;
    IDispatch* component = create_by_prog_id(L"Orbek_DLL.OrbekDLL", &created);
    if (report.hresult("create Orbek_DLL.OrbekDLL", created, S_OK)) {
        check_named_arguments(report, component);
        check_errors(report, component);
        check_every_argument_kind(report, component, "OrbekDLL", left_out_methods);
        const Round client_round = [component] { return client_calls(component); };
        check_measurement_sees_a_leak(report, "OrbekDLL", 120, component, client_round);
        check_no_memory_growth(report, "OrbekDLL", "every argument kind and the client calls", 120,
                               component, [component, &client_round] {
                                   return count_undefined_answers(component, left_out_methods) +
                                          client_round();
                               });
        component->Release();
    }
    CoUninitialize();
    report.done();
    return 0;
}
