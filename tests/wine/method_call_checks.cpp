// The shared table of method calls (tests/shell/method_calls.tsv) through the DLL, late-bound,
// each argument in a variable passed by reference as scripts pass them: the same results,
// write-backs and error numbers as the command line gives. Argument: the table's path.
#include "host_checks.h"
#include "support/method_call_table.h"

#include <string>
#include <vector>
#include <windows.h>

using namespace wine_checks;

namespace {

std::wstring wide(const std::string& utf8_text) {
    std::wstring text(utf8_text.size(), L'\0');
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8_text.data(), static_cast<int>(utf8_text.size()),
                            text.data(), static_cast<int>(text.size()));
    text.resize(length > 0 ? length : 0);
    return text;
}

// A script's variable holding the table's argument.
Value variable_for(const std::string& argument) {
    Value value;
    if (argument == "@null") {
        V_VT(value.get()) = VT_NULL;
    } else if (argument != "@empty") {
        V_VT(value.get()) = VT_BSTR;
        V_BSTR(value.get()) = SysAllocString(wide(argument == "\"\"" ? "" : argument).c_str());
    }
    return value;
}

// The text the command line prints for a value: texts quoted when they are write-backs.
std::string display(const VARIANT& value, bool quote_texts) {
    if (V_VT(&value) == VT_BSTR) {
        const std::string text = utf8(std::wstring(V_BSTR(&value), SysStringLen(V_BSTR(&value))));
        return quote_texts ? "\"" + text + "\"" : text;
    }
    VARIANT text;
    VariantInit(&text);
    if (FAILED(
            VariantChangeType(&text, const_cast<VARIANT*>(&value), VARIANT_ALPHABOOL, VT_BSTR))) {
        return "<vt " + std::to_string(V_VT(&value)) + ">";
    }
    const std::string shown = utf8(V_BSTR(&text));
    VariantClear(&text);
    return shown;
}

// The error number a script sees for the call's outcome.
int error_number(const CallResult& outcome) {
    switch (outcome.result) {
    case S_OK:
        return 0;
    case DISP_E_EXCEPTION:
        return outcome.scode & 0xFFFF;
    case DISP_E_TYPEMISMATCH:
        return 13;
    case DISP_E_OVERFLOW:
        return 6;
    case DISP_E_PARAMNOTOPTIONAL:
        return 449;
    case DISP_E_BADPARAMCOUNT:
        return 450;
    default:
        return -1;
    }
}

void check_row(Report& report, IDispatch* component, const orbek::testing::MethodCall& row) {
    std::vector<Value> variables;
    variables.reserve(row.arguments.size());
    std::vector<VARIANT> sent;
    for (const std::string& argument : row.arguments) {
        variables.push_back(variable_for(argument));
        sent.push_back(argument == "@missing" ? *Value::missing() : by_reference(variables.back()));
    }
    std::vector<std::string> before;
    for (const Value& variable : variables) {
        before.push_back(display(*variable, true));
    }
    const CallResult outcome = call(component, wide(row.method).c_str(), sent);

    std::string answer = "error " + std::to_string(error_number(outcome));
    if (outcome.result == S_OK) {
        answer = V_VT(&*outcome.value) == VT_EMPTY ? "" : display(*outcome.value, false);
    }
    std::string expected = row.error != 0 ? "error " + std::to_string(row.error) : row.result;
    // Which arguments came back changed, in the command line's words.
    for (std::size_t i = 0; i < variables.size(); ++i) {
        const std::string now = display(*variables[i], true);
        if (now != before[i]) {
            answer += " | argument " + std::to_string(i + 1) + " = " + now;
        }
    }
    for (const auto& [name, value] : row.written) {
        expected += " | " + name + " = " + value;
    }
    // Write-backs are named by the table and numbered by the host: compare the values only.
    auto values_only = [](std::string text) {
        std::string out;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t bar = text.find(" | ", at);
            const std::string part = text.substr(at, bar - at);
            const std::size_t equals = part.find(" = ");
            out += (at == 0 || equals == std::string::npos ? part : part.substr(equals + 3)) + ";";
            at = bar == std::string::npos ? text.size() : bar + 3;
        }
        return out;
    };
    report.check(row.line, values_only(answer) == values_only(expected),
                 "got \"" + answer + "\", expected \"" + expected + "\"");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    if (argc != 2) {
        report.check("usage: method_call_checks TABLE", false);
        report.done();
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IDispatch* component = create_by_prog_id(L"Orbek_DLL.OrbekDLL");
    const std::string path = utf8(argv[1]);
    const auto rows = orbek::testing::read_method_calls(path);
    report.check("the table of method calls has its rows", rows.size() > 40, path);
    if (component != nullptr) {
        for (const auto& row : rows) {
            check_row(report, component, row);
        }
        component->Release();
    }
    CoUninitialize();
    report.done();
    return report.failures() == 0 ? 0 : 1;
}
