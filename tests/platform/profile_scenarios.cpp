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
        switch (kind) {
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'v':
            out += '\v';
            break;
        case '0':
            out += '\0';
            break;
        case 'x':
            out += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
            i += 2;
            break;
        case '{': {
            const std::size_t close = field.find('}', i);
            const int count = std::stoi(field.substr(i + 1, close - i - 1));
            for (int n = 0; n < count; ++n) {
                out += static_cast<char>('a' + n % 26);
            }
            i = close;
            break;
        }
        default:
            out += kind; // \\ and \|
        }
    }
    return out;
}

// The fields of a line, split at each "|" that is not escaped, still escaped.
std::vector<std::string> fields_of(const std::string& line) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            fields.back() += line.substr(i++, 2);
        } else if (line[i] == '|') {
            fields.emplace_back();
        } else {
            fields.back() += line[i];
        }
    }
    return fields;
}

ProfileCall read_call(ProfileOp op, const std::vector<std::string>& f) {
    ProfileCall call{op, "S", unescape(f[1]), "", "", 255, std::nullopt};
    std::size_t options = 3;
    if (op == ProfileOp::ReadString) {
        call = {op,  unescape(f[1]), unescape(f[2]), unescape(f[3]), unescape(f.at(4)),
                255, std::nullopt};
        options = 5;
    } else {
        call.expect = unescape(f.at(2));
    }
    for (std::size_t i = options; i < f.size(); ++i) {
        if (f[i].starts_with("buffer:")) {
            call.buffer = std::stoul(f[i].substr(7));
        } else if (f[i].starts_with("wine:")) {
            call.wine_expect = unescape(f[i].substr(5));
        }
    }
    return call;
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
            s.initial = unescape(f[1]);
        } else if (kind == "after") {
            s.final_file = unescape(f[1]);
        } else if (kind == "wine") {
            s.wine_difference = f[1];
        } else if (kind == "wine-after") {
            s.wine_file = unescape(f[1]);
        } else if (kind == "write") {
            s.calls.push_back({ProfileOp::Write, unescape(f.at(1)), unescape(f.at(2)),
                               unescape(f.at(3)), "", 255, std::nullopt});
        } else if (kind == "read" || kind == "int") {
            s.calls.push_back(
                read_call(kind == "read" ? ProfileOp::ReadString : ProfileOp::ReadInt, f));
        } else {
            throw std::runtime_error("corpus line " + std::to_string(number) + ": " + line);
        }
    }
    return scenarios;
}

ScenarioOutcome run_profile_scenario(const ProfileScenario& scenario, const ProfileStore& store,
                                     const std::filesystem::path& native_file,
                                     const std::string& store_path) {
    std::error_code ignored;
    std::filesystem::remove(native_file, ignored);
    if (scenario.initial) {
        std::ofstream(native_file, std::ios::binary) << *scenario.initial;
    }
    ScenarioOutcome outcome;
    for (const ProfileCall& call : scenario.calls) {
        if (call.op == ProfileOp::Write) {
            store.write_string(call.section, call.key, call.text, store_path);
            outcome.results.emplace_back();
        } else if (call.op == ProfileOp::ReadString) {
            outcome.results.push_back(
                store.read_string(call.section, call.key, call.text, call.buffer, store_path));
        } else {
            outcome.results.push_back(
                std::to_string(store.read_int(call.section, call.key, 77, store_path)));
        }
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
        if (call.op != ProfileOp::Write && outcome.results[i] != expected) {
            report += "call " + std::to_string(i + 1) + ": got \"" + visible(outcome.results[i]) +
                      "\", expected \"" + visible(expected) + "\"; ";
        }
    }
    std::optional<std::string> file = scenario.final_file ? scenario.final_file : scenario.initial;
    if (as_wine && scenario.wine_file) {
        file = scenario.wine_file;
    }
    if (outcome.file != file) {
        report += "file: got \"" + (outcome.file ? visible(*outcome.file) : "(none)") +
                  "\", expected \"" + (file ? visible(*file) : "(none)") + "\"";
    }
    return report;
}

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

} // namespace orbek::testing
