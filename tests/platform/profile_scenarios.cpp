#include "profile_scenarios.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orbek::testing {
namespace {

std::string unescape(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        const char kind = field[++i];
        if (kind == 'x') {
            out += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else if (kind == '{') {
            const std::size_t close = field.find('}', i);
            const int count = std::stoi(field.substr(i + 1, close - i - 1));
            for (int n = 0; n < count; ++n) {
                out += static_cast<char>('a' + n % 26);
            }
            i = close;
        } else {
            static constexpr std::string_view names = "rntv0", bytes{"\r\n\t\v\0", 5};
            const std::size_t at = names.find(kind);
            out += at == std::string_view::npos ? kind : bytes[at]; // \\ gives one backslash
        }
    }
    return out;
}

std::vector<std::string> fields_of(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '|');) {
        fields.push_back(unescape(field));
    }
    if (line.ends_with('|')) {
        fields.emplace_back();
    }
    return fields;
}

// "read|SECTION|KEY|DEFAULT|EXPECTED" or "int|KEY|EXPECTED", then "wine:WHAT".
ProfileCall read_call(const std::vector<std::string>& f) {
    const bool text = f[0] == "read";
    ProfileCall call =
        text ? ProfileCall{ProfileOp::ReadString, f.at(1), f.at(2), f.at(3), f.at(4), std::nullopt}
             : ProfileCall{ProfileOp::ReadInt, "S", f.at(1), "", f.at(2), std::nullopt};
    if (const std::size_t wine = text ? 5 : 3; f.size() > wine && f[wine].starts_with("wine:")) {
        call.wine_expect = f[wine].substr(5);
    }
    return call;
}

// Bytes with control and non-ASCII characters as \xNN, for messages.
std::string visible(const std::string& bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7F || c == '\\') {
            static constexpr char digits[] = "0123456789ABCDEF";
            out += {'\\', 'x', digits[u >> 4], digits[u & 15]};
        } else {
            out += c;
        }
    }
    return out;
}

std::string shown(const std::optional<std::string>& file) {
    // (Appended, not added: GCC 12 warns falsely on "\"" + text there.)
    return file ? std::string("\"").append(visible(*file)).append("\"") : "(none)";
}

} // namespace

std::vector<ProfileScenario> load_profile_scenarios(const std::filesystem::path& corpus) {
    std::ifstream in(corpus, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + corpus.string());
    }
    std::vector<ProfileScenario> scenarios;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::vector<std::string> f = fields_of(line);
        const std::string& kind = f[0];
        if (kind == "scenario") {
            scenarios.emplace_back().name = f.at(1);
        } else if (scenarios.empty() || f.size() < 2) {
            throw std::runtime_error("corpus line " + std::to_string(number) + ": " + line);
        } else if (ProfileScenario& s = scenarios.back(); kind == "file") {
            s.initial = f[1];
        } else if (kind == "after") {
            s.final_file = f[1];
        } else if (kind == "wine") {
            s.wine_difference = f[1];
        } else if (kind == "wine-after") {
            s.wine_file = f[1];
        } else if (kind == "write") {
            s.calls.push_back({ProfileOp::Write, f.at(1), f.at(2), f.at(3), "", std::nullopt});
        } else if (kind == "read" || kind == "int") {
            s.calls.push_back(read_call(f));
        } else {
            throw std::runtime_error("corpus line " + std::to_string(number) + ": " + line);
        }
    }
    return scenarios;
}

std::string number_text(double value) {
    std::ostringstream text;
    text.precision(17);
    text << value;
    return text.str();
}

ScenarioOutcome run_profile_scenario(const ProfileScenario& scenario, const ProfileCaller& caller,
                                     const std::filesystem::path& native_file,
                                     const std::string& file) {
    std::error_code ignored;
    std::filesystem::remove(native_file, ignored);
    if (scenario.initial) {
        std::ofstream(native_file, std::ios::binary) << *scenario.initial;
    }
    ScenarioOutcome outcome;
    for (const ProfileCall& call : scenario.calls) {
        outcome.results.push_back(caller(call, file));
    }
    if (std::ifstream in{native_file, std::ios::binary}) {
        std::ostringstream bytes;
        bytes << in.rdbuf();
        outcome.file = bytes.str();
    }
    return outcome;
}

std::string scenario_mismatch(const ProfileScenario& scenario, const ScenarioOutcome& outcome,
                              bool as_wine) {
    std::string report;
    for (std::size_t i = 0; i < scenario.calls.size(); ++i) {
        const ProfileCall& call = scenario.calls[i];
        const std::string& expected = as_wine && call.wine_expect ? *call.wine_expect : call.expect;
        if (outcome.results[i] != expected) {
            report += "call " + std::to_string(i + 1) + ": got \"" + visible(outcome.results[i]) +
                      "\", expected \"" + visible(expected) + "\"; ";
        }
    }
    std::optional<std::string> file = scenario.final_file ? scenario.final_file : scenario.initial;
    if (as_wine && scenario.wine_file) {
        file = scenario.wine_file;
    }
    if (outcome.file != file) {
        report += "file: got " + shown(outcome.file) + ", expected " + shown(file);
    }
    return report;
}

} // namespace orbek::testing
