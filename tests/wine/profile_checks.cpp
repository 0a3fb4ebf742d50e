// The INI settings on Windows' own profile functions: the shared corpus of INI cases through
// kernel32 (Wine's answers where Wine is known to differ from Windows are accepted as such,
// and said so), then the INI routines on the Windows platform objects.
// With the argument "show", the file each differing scenario leaves is printed.
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

std::string visible(const std::string& bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", u);
        out += (u < 0x20 || u >= 0x7F) ? std::string(hex) : std::string(1, c);
    }
    return out;
}

fs::path temp_folder() {
    wchar_t buffer[MAX_PATH];
    GetTempPathW(MAX_PATH, buffer);
    return fs::path(buffer) / "orbek-ini-checks";
}

void run_corpus(Report& report, const fs::path& folder, bool show) {
    const orbek::Win32ProfileStore store;
    for (const orbek::testing::ProfileScenario& scenario : orbek::testing::profile_scenarios()) {
        const std::string name = "profile " + std::string(scenario.name);
        const fs::path file = folder / (std::string(scenario.name) + ".ini");
        const orbek::testing::ScenarioOutcome outcome =
            orbek::testing::run_profile_scenario(scenario, store, file, file.string());
        const std::string as_windows = orbek::testing::windows_mismatch(scenario, outcome);
        if (show && (!as_windows.empty() || !scenario.wine_difference.empty())) {
            std::printf("# %s file: %s\n", name.c_str(),
                        outcome.file ? visible(*outcome.file).c_str() : "(none)");
        }
        if (as_windows.empty()) {
            report.check(name, true);
        } else if (!scenario.wine_difference.empty()) {
            const std::string as_wine = orbek::testing::wine_mismatch(scenario, outcome);
            report.check(
                name + " (known Wine difference: " + std::string(scenario.wine_difference) + ")",
                as_wine.empty(), as_wine);
        } else {
            report.check(name, false, as_windows);
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

int wmain(int argc, wchar_t** argv) {
    Report report;
    const bool show = argc > 1 && std::wstring(argv[1]) == L"show";
    const fs::path folder = temp_folder();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
    report.check("the ANSI code page is Windows-1252", GetACP() == 1252,
                 "code page " + std::to_string(GetACP()));
    run_corpus(report, folder, show);
    run_settings(report, folder);
    fs::remove_all(folder, ignored);
    report.done();
    return report.failures() == 0 ? 0 : 1;
}
