// Checks of the INI routines on a real platform, shared by the native tests (our engine) and
// the Wine host (kernel32): the default file beside the component, the file name written
// back, a name without a folder, a long value, the number 4294967295, a read-only file and a
// missing folder.
#pragma once

#include "settings/mod_control.h"

#include <filesystem>
#include <string>
#include <vector>

namespace orbek::testing {

// Where the checks run: the platform objects and the native folders behind the Windows
// paths the routines use.
struct SettingsSite {
    SettingsPlatform platform;
    Text component_settings; // the default settings path for the extension "INI"
    std::filesystem::path component_folder;
    std::filesystem::path windows_folder; // where a name without a folder lands
    std::filesystem::path scratch;        // a folder of our own
    Text scratch_windows;                 // the same folder as the routines name it
    // Sets or clears the file's read-only mark as the platform knows it.
    void (*set_read_only)(const std::filesystem::path& file, bool read_only);
    // False where the platform lets anyone write a read-only file (Wine run by root): the
    // write then goes through, as any program's would there.
    bool read_only_enforced = true;
};

struct SettingsCheck {
    std::string name;
    std::string failure; // empty when it passed
};

std::vector<SettingsCheck> run_settings_checks(const SettingsSite& site);

} // namespace orbek::testing
