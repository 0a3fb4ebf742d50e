// Runs the shared table of method calls (method_calls.tsv) through the command line.
#include "cli.h"
#include "support/method_call_table.h"
#include "support/thread_host.h"

#include <gtest/gtest.h>
#include <sstream>

namespace orbek {
namespace {

TEST(MethodCalls, TheCommandLineAnswersEveryRowOfTheSharedTable) {
    const auto rows = testing::read_method_calls(ORBEK_SOURCE_DIR "/tests/shell/method_calls.tsv");
    ASSERT_GT(rows.size(), 40u);
    const testing::TemporaryFolder c_root;
    for (const testing::MethodCall& row : rows) {
        std::vector<std::string> args{
            "--now", "2026-12-05 12:00:00", "--c-root", c_root.path(), "call", row.method};
        for (const std::string& argument : row.arguments) {
            args.push_back(argument == "\"\"" ? std::string() : argument);
        }
        std::ostringstream out;
        std::ostringstream err;
        const int code = run_cli(args, out, err);

        std::string expected_out = row.error == 0 && !row.result.empty() ? row.result + "\n" : "";
        for (const auto& [name, value] : row.written) {
            expected_out += name + " = " + value + "\n";
        }
        SCOPED_TRACE(row.line);
        EXPECT_EQ(out.str(), expected_out);
        if (row.error == 0) {
            EXPECT_EQ(code, 0) << err.str();
        } else {
            EXPECT_EQ(code, 1);
            EXPECT_EQ(err.str().rfind("error " + std::to_string(row.error) + ":", 0), 0u)
                << err.str();
        }
    }
}

} // namespace
} // namespace orbek
