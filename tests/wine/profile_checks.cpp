// The shared INI corpus through Orbek_DLL.dll on kernel32's profile functions: WrINI, RdINIStr
// and RdINIInt of Orbek_DLL.OrbekDLL called late-bound, each argument a variable passed by
// reference as scripts pass them. Where Wine is known to differ from Windows, Wine's answer is
// accepted as such, and said so. Argument: the corpus file.
#include "host_checks.h"
#include "platform/profile_scenarios.h"

#include <filesystem>
#include <string>

using namespace wine_checks;
using orbek::testing::ProfileCall;
using orbek::testing::ProfileOp;
namespace fs = std::filesystem;

namespace {

// The corpus's texts are Windows-1252 bytes, one character a byte.
Value text_variable(const std::string& bytes) {
    std::wstring text(bytes.size(), L'\0');
    MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        static_cast<int>(text.size()));
    Value variable;
    V_VT(variable.get()) = VT_BSTR;
    V_BSTR(variable.get()) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return variable;
}

std::string bytes_of(const wchar_t* text, std::size_t length) {
    std::string bytes(length, '\0');
    WideCharToMultiByte(1252, 0, text, static_cast<int>(length), bytes.data(),
                        static_cast<int>(length), nullptr, nullptr);
    return bytes;
}

std::string call_method(IDispatch* component, const ProfileCall& row, const std::string& path) {
    Value section = text_variable(row.section), key = text_variable(row.key),
          text = text_variable(row.text), file = text_variable(path), valor(77L);
    const wchar_t* method = L"RdINIInt";
    std::vector<VARIANT> arguments{by_reference(section), by_reference(key)};
    if (row.op == ProfileOp::Write) {
        method = L"WrINI";
        arguments.insert(arguments.end(), {by_reference(text), by_reference(file)});
    } else if (row.op == ProfileOp::ReadString) {
        method = L"RdINIStr";
        arguments.insert(arguments.end(), {by_reference(file), by_reference(text)});
    } else {
        arguments.insert(arguments.end(), {by_reference(file), by_reference(valor)});
    }
    const CallResult outcome = call(component, method, arguments);
    const VARIANT& result = *outcome.value;
    if (outcome.result != S_OK) {
        return "error " + hresult_text(outcome.result) + " " + hresult_text(outcome.scode);
    }
    if (bytes_of(V_BSTR(file.get()), SysStringLen(V_BSTR(file.get()))) != path) {
        return "the file name given was changed"; // only an empty one is written back
    }
    switch (row.op) {
    case ProfileOp::Write:
        return V_VT(&result) == VT_EMPTY ? "" : "WrINI gave a result";
    case ProfileOp::ReadString:
        return V_VT(&result) == VT_BSTR ? bytes_of(V_BSTR(&result), SysStringLen(V_BSTR(&result)))
                                        : "RdINIStr gave no String";
    default:
        return V_VT(&result) == VT_R8 ? orbek::testing::number_text(V_R8(&result))
                                      : "RdINIInt gave no Double";
    }
}

void run_corpus(Report& report, IDispatch* component, const fs::path& corpus,
                const fs::path& folder) {
    for (const orbek::testing::ProfileScenario& scenario :
         orbek::testing::load_profile_scenarios(corpus)) {
        const fs::path file = folder / (scenario.name + ".ini");
        const auto outcome = orbek::testing::run_profile_scenario(
            scenario,
            [&](const ProfileCall& c, const std::string& path) {
                return call_method(component, c, path);
            },
            file, bytes_of(file.c_str(), file.native().size()));
        const std::string as_windows = orbek::testing::scenario_mismatch(scenario, outcome, false);
        const std::string name = "WrINI, RdINIStr and RdINIInt: " + scenario.name;
        if (as_windows.empty() || scenario.wine_difference.empty()) {
            report.check(name, as_windows.empty(), as_windows);
        } else {
            const std::string as_wine = orbek::testing::scenario_mismatch(scenario, outcome, true);
            report.check(name + " (known Wine difference: " + scenario.wine_difference + ")",
                         as_wine.empty(), as_wine);
        }
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    if (argc != 2) {
        report.check("usage: profile_checks CORPUS", false);
        report.done();
        return 2;
    }
    report.check("the ANSI code page is Windows-1252", GetACP() == 1252,
                 "code page " + std::to_string(GetACP()));
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HRESULT created = S_OK;
    IDispatch* component = create_by_prog_id(L"Orbek_DLL.OrbekDLL", &created);
    report.check("Orbek_DLL.OrbekDLL is created", component != nullptr, hresult_text(created));
    if (component != nullptr) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        const fs::path folder = fs::path(temp) / "orbek-ini-corpus";
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        fs::create_directories(folder);
        run_corpus(report, component, argv[1], folder);
        fs::remove_all(folder, ignored);
        component->Release();
    }
    CoUninitialize();
    report.done();
    return 0;
}
