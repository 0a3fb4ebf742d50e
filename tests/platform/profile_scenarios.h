// One corpus of INI files and calls of WrINI, RdINIStr and RdINIInt
// (tests/data/ini/profile_corpus.txt) that both sides run: natively through the routines on our
// own profile engine, and under Wine through Orbek_DLL.dll. Each scenario states what Windows
// gives; where Wine is known to give something else, it says why and what Wine gives, and the
// Wine run accepts exactly that.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orbek::testing {

enum class ProfileOp { Write, ReadString, ReadInt };

// Texts are Windows-1252 bytes.
struct ProfileCall {
    ProfileOp op;
    std::string section, key;
    std::string text;   // the value written, or the DefaultValue of a text read
    std::string expect; // a read's result: the text, or the number in decimal
    std::optional<std::string> wine_expect;
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

// Makes one call on the file `file` (a Windows path), with the number reads' Valor 77; gives
// a read's result as the corpus writes it, "" for a write, or "error N" for a failed call.
using ProfileCaller = std::function<std::string(const ProfileCall& call, const std::string& file)>;

// A number read's result as the corpus writes it ("-1", "12").
std::string number_text(double value);

struct ScenarioOutcome {
    std::vector<std::string> results; // each call's
    std::optional<std::string> file;  // afterwards
};

// Lays out the scenario's file at `native_file`, makes the calls naming it `file`, and reads
// the file back.
ScenarioOutcome run_profile_scenario(const ProfileScenario& scenario, const ProfileCaller& caller,
                                     const std::filesystem::path& native_file,
                                     const std::string& file);

// What differs from what Windows (or, with `as_wine`, Wine) gives; empty when nothing does.
std::string scenario_mismatch(const ProfileScenario& scenario, const ScenarioOutcome& outcome,
                              bool as_wine);

} // namespace orbek::testing
