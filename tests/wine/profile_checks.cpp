// The INI settings on Windows' own profile functions: the shared corpus of INI cases through
// kernel32 (Wine's answers where Wine is known to differ from Windows are accepted as such,
// and said so), then the INI routines on the Windows platform objects.
#include "host_checks.h"
#include "platform/profile_scenarios.h"
#include "settings/settings_checks.h"
#include "win32_ansi_code_page.h"
#include "win32_component_file.h"
#include "win32_profile_store.h"

#include <filesystem>
#include <string>

using namespace wine_checks;
namespace fs = std::filesystem;

namespace {

fs::path temp_folder() {
    wchar_t buffer[MAX_PATH];
    GetTempPathW(MAX_PATH, buffer);
    return fs::path(buffer) / "orbek-ini-checks";
}

void run_corpus(Report& report, const fs::path& corpus, const fs::path& folder) {
    const orbek::Win32ProfileStore store;
    for (const orbek::testing::ProfileScenario& scenario :
         orbek::testing::load_profile_scenarios(corpus)) {
        const std::string name = "profile " + scenario.name;
        const fs::path file = folder / (scenario.name + ".ini");
        const orbek::testing::ScenarioOutcome outcome =
            orbek::testing::run_profile_scenario(scenario, store, file, file.string());
        const std::string as_windows = orbek::testing::scenario_mismatch(scenario, outcome, false);
        if (as_windows.empty() || scenario.wine_difference.empty()) {
            report.check(name, as_windows.empty(), as_windows);
        } else {
            report.check(name + " (known Wine difference: " + scenario.wine_difference + ")",
                         orbek::testing::scenario_mismatch(scenario, outcome, true).empty(),
                         orbek::testing::scenario_mismatch(scenario, outcome, true));
        }
    }
}

// Whether this system refuses to write a file marked read-only (Wine run by root does not).
bool read_only_enforced(const fs::path& folder) {
    const fs::path probe = folder / "read-only-probe.txt";
    CloseHandle(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    SetFileAttributesW(probe.c_str(), FILE_ATTRIBUTE_READONLY);
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool enforced = file == INVALID_HANDLE_VALUE;
    if (!enforced) {
        CloseHandle(file);
    }
    SetFileAttributesW(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(probe.c_str());
    return enforced;
}

void run_settings(Report& report, const fs::path& folder) {
    const orbek::Win32ProfileStore store;
    const orbek::Win32AnsiCodePage ansi;
    const orbek::Win32ComponentFile component;
    const orbek::Text component_path = component.path();
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    const fs::path component_native(reinterpret_cast<const wchar_t*>(component_path.c_str()));
    orbek::Text settings = component_path.substr(0, component_path.rfind(u'.')) + u".INI";
    const bool enforced = read_only_enforced(folder);
    if (!enforced) {
        std::printf("# this system writes read-only files (Wine run by root): the read-only "
                    "check runs the write without expecting a refusal\n");
    }
    orbek::testing::SettingsSite site{{store, ansi, component},
                                      settings,
                                      component_native.parent_path(),
                                      fs::path(windows),
                                      folder,
                                      reinterpret_cast<const char16_t*>(folder.wstring().c_str()),
                                      [](const fs::path& file, bool read_only) {
                                          SetFileAttributesW(file.c_str(),
                                                             read_only ? FILE_ATTRIBUTE_READONLY
                                                                       : FILE_ATTRIBUTE_NORMAL);
                                      }};
    site.read_only_enforced = enforced;
    for (const orbek::testing::SettingsCheck& check : orbek::testing::run_settings_checks(site)) {
        report.check("settings: " + check.name, check.failure.empty(), check.failure);
    }
}

} // namespace

// The argument is the corpus file (tests/data/ini/profile_corpus.txt).
int wmain(int argc, wchar_t** argv) {
    Report report;
    if (argc < 2) {
        report.check("profile_checks arguments", false, "the corpus file is missing");
        return 1;
    }
    const fs::path folder = temp_folder();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
    report.check("the ANSI code page is Windows-1252", GetACP() == 1252,
                 "code page " + std::to_string(GetACP()));
    run_corpus(report, argv[1], folder);
    run_settings(report, folder);
    fs::remove_all(folder, ignored);
    report.done();
    return 0;
}
