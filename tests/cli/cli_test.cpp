#include "cli.h"
#include "shell/object_host.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace orbek {
namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun run(std::vector<std::string> args) {
    testing::RecordingClock clock;
    RecordingWindowLayer windows;
    std::ostringstream out;
    std::ostringstream err;
    const int code = run_cli(args, out, err, clock, windows);
    return {code, out.str(), err.str()};
}

TEST(CommandLine, CallsAMethodByName) {
    const CliRun r = run({"call", "Hrs2Seg", "01:30:15"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "5415\n");
    EXPECT_EQ(r.err, "");
}

TEST(CommandLine, PrintsByReferenceWriteBacksAfterTheResult) {
    const CliRun r = run({"call", "fillhours", ""});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "00:00\nvhours = \"00:00\"\n");
    // An argument the method leaves alone is not printed again.
    EXPECT_EQ(run({"call", "Fillhours", "930"}).out, "09:30\n");
}

TEST(CommandLine, VbErrorsGoToStandardErrorWithExitCodeOne) {
    const CliRun r = run({"call", "Seg2Hrs", "abc"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "error 13: Type mismatch\n");

    const CliRun missing = run({"--no-companion", "call", "Fillhours", ""});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "vhours = \"00:00\"\n");
    EXPECT_EQ(missing.err, "error 91: Object variable or With block variable not set\n");
}

TEST(CommandLine, SpecialArgumentValues) {
    EXPECT_EQ(run({"call", "Delay", "@missing"}).code, 0);
    EXPECT_EQ(run({"call", "Hrs2Seg", "@null"}).err, "error 94: Invalid use of Null\n");
    EXPECT_EQ(run({"call", "Hrs2Seg", "@empty"}).out, "0\n");
}

TEST(CommandLine, EncodedRightsTextGrantsTheModules) {
    const CliRun encoded = run({"encode", "65535"});
    ASSERT_EQ(encoded.code, 0);
    const std::string rights = encoded.out.substr(0, encoded.out.size() - 1);
    EXPECT_EQ(run({"decode", rights}).out, "65535\n");
    for (const char* module : {"1", "9", "16"}) {
        EXPECT_EQ(run({"call", "Acceso", rights, module}).out, "True\n") << module;
    }
    EXPECT_EQ(run({"call", "Acceso", rights, "17"}).code, 1);
}

TEST(CommandLine, ListsTheInterface) {
    const CliRun r = run({"methods"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("Class_Initialize()\nHrs2Seg(ByRef Horas As Variant) As Long\n", 0), 0u);
    EXPECT_NE(r.out.find("Delay(Optional ByRef Nivel_1_10 As Long = 2)\n"), std::string::npos);
    EXPECT_NE(r.out.find("Acceso(ByVal sDer As String, ByRef iModu As Integer) As Boolean\n"),
              std::string::npos);
}

TEST(CommandLine, BadUsage) {
    EXPECT_EQ(run({}).code, 2);
    EXPECT_EQ(run({"call"}).code, 2);
    EXPECT_EQ(run({"frobnicate"}).code, 2);
    EXPECT_EQ(run({"encode"}).code, 2);
    EXPECT_EQ(run({"help"}).code, 0);
}

} // namespace
} // namespace orbek
