// One corpus of INI files and calls that both sides run: natively through our own profile
// engine (GoogleTest) and under Wine through kernel32 (tests/wine/profile_checks.cpp). Each
// scenario states what Windows gives; where Wine is known to give something else, the
// scenario says why and what Wine gives, and the Wine run accepts exactly that.
#pragma once

#include "platform/profile_store.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbek::testing {

enum class ProfileOp { Write, ReadString, ReadInt };

struct ProfileCall {
    ProfileOp op;
    std::string_view section;
    std::string_view key;
    std::string_view text = {};   // the value written, or the default text of a read
    std::string_view expect = {}; // a read's result (a number read as its unsigned decimal)
    std::int32_t fallback = 77;   // the default of a number read
    std::size_t buffer = 255;     // the buffer of a text read
    std::optional<std::string_view> wine_expect = std::nullopt; // what Wine reads instead
};

struct ProfileScenario {
    std::string_view name;                   // also the file's name
    std::optional<std::string_view> initial; // nullopt: no file at the start
    std::vector<ProfileCall> calls;
    std::optional<std::string_view> final_file = std::nullopt; // nullopt: as at the start
    std::string_view wine_difference = {};                     // why Wine's answer is not Windows'
    std::optional<std::string_view> wine_file = std::nullopt;  // the file Wine leaves instead
};

const std::vector<ProfileScenario>& profile_scenarios();

// What one run gave: each call's result (empty for writes) and the file afterwards.
struct ScenarioOutcome {
    std::vector<std::string> results;
    std::optional<std::string> file;
};

// Lays out the scenario's file at `native_file` (removing it when the scenario starts
// without one), makes the calls through `store` naming the file `store_path`, and reads the
// file back.
ScenarioOutcome run_profile_scenario(const ProfileScenario& scenario, const ProfileStore& store,
                                     const std::filesystem::path& native_file,
                                     std::string_view store_path);

// Empty when the outcome is what Windows gives; else what differs.
std::string windows_mismatch(const ProfileScenario& scenario, const ScenarioOutcome& outcome);
// Empty when the outcome is what the scenario says Wine gives.
std::string wine_mismatch(const ProfileScenario& scenario, const ScenarioOutcome& outcome);

} // namespace orbek::testing
