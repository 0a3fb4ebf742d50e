// The shared INI corpus through our own engine: every scenario as Windows gives it.
#include "platform/posix/posix_profile_store.h"
#include "platform/profile_scenarios.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace orbek {
namespace {

namespace fs = std::filesystem;

TEST(ProfileScenarios, OurEngineGivesWhatWindowsGives) {
    const fs::path root = fs::temp_directory_path() / ("orbek-ini-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "Ini");
    const PosixProfileStore store{WindowsPaths(root)};
    for (const testing::ProfileScenario& scenario : testing::profile_scenarios()) {
        const std::string name(scenario.name);
        const testing::ScenarioOutcome outcome = testing::run_profile_scenario(
            scenario, store, root / "Ini" / (name + ".ini"), "C:\\ini\\" + name + ".ini");
        EXPECT_EQ(testing::windows_mismatch(scenario, outcome), "") << name;
    }
    fs::remove_all(root);
}

} // namespace
} // namespace orbek
