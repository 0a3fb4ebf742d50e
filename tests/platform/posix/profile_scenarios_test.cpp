// The shared INI corpus through our own engine: every scenario as Windows gives it.
#include "platform/posix/posix_profile_store.h"
#include "platform/profile_scenarios.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace orbek {
namespace {

namespace fs = std::filesystem;

TEST(ProfileScenarios, OurEngineGivesWhatWindowsGives) {
    const auto scenarios =
        testing::load_profile_scenarios(ORBEK_SOURCE_DIR "/tests/data/ini/profile_corpus.txt");
    ASSERT_GT(scenarios.size(), 40u);
    const fs::path root = fs::temp_directory_path() / ("orbek-ini-" + std::to_string(::getpid()));
    fs::create_directories(root / "Ini");
    const PosixProfileStore store{WindowsPaths(root)};
    for (const testing::ProfileScenario& scenario : scenarios) {
        const testing::ScenarioOutcome outcome =
            testing::run_profile_scenario(scenario, store, root / "Ini" / (scenario.name + ".ini"),
                                          "C:\\ini\\" + scenario.name + ".ini");
        EXPECT_EQ(testing::scenario_mismatch(scenario, outcome, false), "") << scenario.name;
    }
    fs::remove_all(root);
}

} // namespace
} // namespace orbek
