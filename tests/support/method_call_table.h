// The shared table of method calls (tests/shell/method_calls.tsv), read the same way by every
// host that runs it.
#pragma once

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace orbek::testing {

struct MethodCall {
    std::string line; // as written, for messages
    std::string method;
    std::vector<std::string> arguments; // "" stands for the empty text
    int error = 0;                      // 0: the call succeeds with `result`
    std::string result;
    std::vector<std::pair<std::string, std::string>> written; // name, value as displayed
};

inline std::vector<std::string> tab_fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

inline std::vector<MethodCall> read_method_calls(const std::string& path) {
    std::vector<MethodCall> rows;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::vector<std::string> fields = tab_fields(line);
        MethodCall row{line, fields[0], {}, 0, {}, {}};
        std::size_t i = 1;
        for (; i < fields.size() && fields[i] != "=>" && fields[i] != "!"; ++i) {
            row.arguments.push_back(fields[i]);
        }
        if (i < fields.size() && fields[i] == "!") {
            row.error = i + 1 < fields.size() ? std::stoi(fields[i + 1]) : -1;
        } else if (i + 1 < fields.size()) {
            row.result = fields[i + 1];
        }
        for (i += 2; i < fields.size(); ++i) {
            const std::size_t equals = fields[i].find('=');
            row.written.emplace_back(fields[i].substr(0, equals), fields[i].substr(equals + 1));
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace orbek::testing
