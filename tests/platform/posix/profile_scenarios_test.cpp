// The shared INI corpus through the routines behind WrINI, RdINIStr and RdINIInt on the native
// platform: every scenario as Windows gives it.
#include "automation/windows1252.h"
#include "platform/posix/fixed_component_file.h"
#include "platform/posix/posix_profile_store.h"
#include "platform/posix/windows1252_code_page.h"
#include "platform/profile_scenarios.h"
#include "settings/mod_control.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace orbek {
namespace {

namespace fs = std::filesystem;
using testing::ProfileCall;
using testing::ProfileOp;

TEST(ProfileScenarios, TheRoutinesOnOurEngineGiveWhatWindowsGives) {
    const auto scenarios =
        testing::load_profile_scenarios(ORBEK_SOURCE_DIR "/tests/data/ini/profile_corpus.txt");
    ASSERT_GT(scenarios.size(), 50u);
    const fs::path root = fs::temp_directory_path() / ("orbek-ini-" + std::to_string(::getpid()));
    fs::create_directories(root / "Ini");
    const PosixProfileStore store{WindowsPaths(root)};
    const Windows1252CodePage ansi;
    const FixedComponentFile component;
    const SettingsPlatform platform{store, ansi, component};
    const auto caller = [&](const ProfileCall& call, const std::string& path) {
        Text file = from_windows1252(path);
        const Text section = from_windows1252(call.section), key = from_windows1252(call.key),
                   text = from_windows1252(call.text);
        if (call.op == ProfileOp::Write) {
            IniWrite(platform, section, key, text, file, u"INI");
            return std::string();
        }
        if (call.op == ProfileOp::ReadString) {
            return to_windows1252(IniReadStr(platform, section, key, file, text, u"INI"));
        }
        return testing::number_text(IniReadInt(platform, section, key, file, 77, u"INI"));
    };
    for (const testing::ProfileScenario& scenario : scenarios) {
        const testing::ScenarioOutcome outcome =
            testing::run_profile_scenario(scenario, caller, root / "Ini" / (scenario.name + ".ini"),
                                          "C:\\ini\\" + scenario.name + ".ini");
        EXPECT_EQ(testing::scenario_mismatch(scenario, outcome, false), "") << scenario.name;
    }
    fs::remove_all(root);
}

} // namespace
} // namespace orbek
