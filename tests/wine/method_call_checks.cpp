// The shared table of method calls (tests/shell/method_calls.tsv) through the DLL, late-bound,
// each argument in a variable passed by reference as scripts pass them: the same results,
// write-backs and error numbers as the command line gives. Argument: the table's path.
#include "host_checks.h"
#include "shell/orbek_interface.h"
#include "support/method_call_table.h"

#include <windows.h>

using namespace wine_checks;

namespace {

std::wstring from_utf8(const std::string& utf8_text) {
    std::wstring text(utf8_text.size(), L'\0');
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8_text.data(), static_cast<int>(utf8_text.size()),
                            text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

// A script's variable holding the table's argument.
Value variable_for(const std::string& argument) {
    if (argument == "@null") {
        return Value::of_type(VT_NULL);
    }
    return argument == "@empty" ? Value()
                                : Value(from_utf8(argument == "\"\"" ? "" : argument).c_str());
}

// A value as the command line prints it: texts quoted when they are write-backs.
std::string display(const VARIANT& value, bool quote_texts) {
    Value text;
    if (FAILED(VariantChangeType(text.get(), const_cast<VARIANT*>(&value), VARIANT_ALPHABOOL,
                                 VT_BSTR))) {
        return "<vt " + std::to_string(V_VT(&value)) + ">";
    }
    const std::string shown = utf8(text.text());
    return quote_texts && V_VT(&value) == VT_BSTR ? "\"" + shown + "\"" : shown;
}

// The error number a script sees for the call's outcome.
int error_number(const CallResult& outcome) {
    const std::pair<HRESULT, int> numbers[] = {{S_OK, 0},
                                               {DISP_E_TYPEMISMATCH, 13},
                                               {DISP_E_OVERFLOW, 6},
                                               {DISP_E_PARAMNOTOPTIONAL, 449},
                                               {DISP_E_BADPARAMCOUNT, 450},
                                               {DISP_E_EXCEPTION, HRESULT_CODE(outcome.scode)}};
    for (const auto& [result, number] : numbers) {
        if (outcome.result == result) {
            return number;
        }
    }
    return -1;
}

void check_row(Report& report, IDispatch* component, const orbek::testing::MethodCall& row) {
    const orbek::MethodDecl* method = nullptr;
    for (const orbek::MethodDecl& each : orbek::OrbekDllInterface.methods) {
        method = std::string(each.name.begin(), each.name.end()) == row.method ? &each : method;
    }
    std::vector<Value> variables;
    std::vector<VARIANT> sent;
    std::vector<std::string> before;
    variables.reserve(row.arguments.size());
    for (const std::string& argument : row.arguments) {
        variables.push_back(variable_for(argument));
        sent.push_back(argument == "@missing" ? *Value::missing() : by_reference(variables.back()));
        before.push_back(display(*variables.back(), true));
    }
    const CallResult outcome = call(component, from_utf8(row.method).c_str(), sent);
    std::string answer = outcome.result != S_OK ? "! " + std::to_string(error_number(outcome))
                                                : "=> " + (V_VT(&*outcome.value) == VT_EMPTY
                                                               ? std::string()
                                                               : display(*outcome.value, false));
    for (std::size_t i = 0; i < variables.size(); ++i) {
        const std::string now = display(*variables[i], true);
        if (now != before[i]) {
            const bool named = method != nullptr && i < method->args.size();
            const auto& name = named ? method->args[i].name : u"?";
            answer += ' ';
            answer += std::string(name.begin(), name.end()) + "=" + now;
        }
    }
    std::string expected = row.error != 0 ? "! " + std::to_string(row.error) : "=> " + row.result;
    for (const auto& [name, value] : row.written) {
        expected += " " + name + "=" + value;
    }
    report.check(row.line, answer == expected,
                 "got \"" + answer + "\", expected \"" + expected + "\"");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    if (argc != 2) {
        report.check("usage: method_call_checks TABLE", false);
        return 2;
    }
    Apartment apartment;
    IDispatch* component = create_by_prog_id(L"Orbek_DLL.OrbekDLL");
    const auto rows = orbek::testing::read_method_calls(utf8(argv[1]));
    report.check("the table of method calls has its rows", rows.size() > 40, utf8(argv[1]));
    if (report.check("create Orbek_DLL.OrbekDLL", component != nullptr, "failed")) {
        for (const auto& row : rows) {
            check_row(report, component, row);
        }
        component->Release();
    }
    report.done();
    return 0;
}
