// One corpus of INI files and calls (tests/data/ini/profile_corpus.txt) that both sides run:
// natively through our own profile engine and under Wine through kernel32. Each scenario
// states what Windows gives; where Wine is known to give something else, it says why and
// what Wine gives, and the Wine run accepts exactly that.
#pragma once

#include "platform/profile_store.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orbek::testing {

enum class ProfileOp { Write, ReadString, ReadInt };

struct ProfileCall {
    ProfileOp op;
    std::string section, key;
    std::string text;   // the value written, or the default of a text read
    std::string expect; // a read's result (a number read as its unsigned decimal)
    std::size_t buffer = 255;
    std::optional<std::string> wine_expect; // what Wine reads instead
};

struct ProfileScenario {
    std::string name; // also the file's name
    std::optional<std::string> initial, final_file;
    std::vector<ProfileCall> calls;
    std::string wine_difference; // why Wine's answer is not Windows'
    std::optional<std::string> wine_file;
};

// The scenarios of a corpus file; throws std::runtime_error for a line it cannot read.
std::vector<ProfileScenario> load_profile_scenarios(const std::filesystem::path& corpus);

struct ScenarioOutcome {
    std::vector<std::string> results; // each call's, empty for writes
    std::optional<std::string> file;  // afterwards
};

// Lays out the scenario's file at `native_file`, makes the calls through `store` naming the
// file `store_path`, and reads the file back.
ScenarioOutcome run_profile_scenario(const ProfileScenario& scenario, const ProfileStore& store,
                                     const std::filesystem::path& native_file,
                                     const std::string& store_path);

// What differs from what Windows (or, with `as_wine`, Wine) gives; empty when nothing does.
std::string scenario_mismatch(const ProfileScenario& scenario, const ScenarioOutcome& outcome,
                              bool as_wine);

// Bytes with control and non-ASCII characters as \xNN, for messages.
std::string visible(const std::string& bytes);

} // namespace orbek::testing
