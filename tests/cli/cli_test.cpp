#include "cli.h"

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
    std::ostringstream out;
    std::ostringstream err;
    const int code = run_cli(args, out, err);
    return {code, out.str(), err.str()};
}

TEST(CommandLine, ReportsTheMethodsOwnErrorAfterWhatItWroteBack) {
    const CliRun missing = run({"--no-companion", "call", "Fillhours", ""});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "vhours = \"00:00\"\n");
    EXPECT_EQ(missing.err, "error 91: Object variable or With block variable not set\n");
    EXPECT_EQ(run({"call", "NoSuchMethod"}).err,
              "error 438: Object doesn't support this property or method\n");
}

TEST(CommandLine, EncodedRightsTextRoundTrips) {
    const CliRun encoded = run({"encode", "65535"});
    ASSERT_EQ(encoded.code, 0);
    const std::string rights = encoded.out.substr(0, encoded.out.size() - 1);
    EXPECT_EQ(run({"decode", rights}).out, "65535\n");
    EXPECT_EQ(run({"call", "Acceso", rights, "16"}).out, "True\n");
}

TEST(CommandLine, ListsTheInterfaceAsTheHostsLanguageDeclaresIt) {
    const CliRun r = run({"methods"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("Class_Initialize()\nHrs2Seg(ByRef Horas As Variant) As Long\n", 0), 0u);
    EXPECT_NE(r.out.find("Delay(Optional ByRef Nivel_1_10 As Long = 2)\n"), std::string::npos);
    EXPECT_NE(r.out.find("Optional ByRef Regresa_a_0 As Boolean = False"), std::string::npos);
    EXPECT_NE(r.out.find("Acceso(ByVal sDer As String, ByRef iModu As Integer) As Boolean\n"),
              std::string::npos);
}

TEST(CommandLine, BadUsage) {
    // clang-format off
    const std::vector<std::string> bad[] = {
        {}, {"call"}, {"frobnicate"}, {"encode"}, {"--now", "2026-13-01 00:00:00", "methods"},
        {"--now", "yesterday", "methods"}, {"--now"}};
    // clang-format on
    for (const auto& args : bad)
        EXPECT_EQ(run(args).code, 2) << (args.empty() ? "" : args[0]);
    EXPECT_EQ(run({"help"}).code, 0);
    EXPECT_EQ(run({"--now", "2026-12-05 23:59:59", "methods"}).code, 0);
}

TEST(CommandLine, AFormsControlsAndTheUsersMessageBox) {
    EXPECT_EQ(
        run({"call", "FechaValida", "31/04/2025", " txtFec ", "@form:txtFec1,Other,TXTFECHA2"}).out,
        "False\nCont = \"TXTFEC\"\ntxtFec1.Text = \"30/04/2025\"\nOther.Text = \"\"\n"
        "TXTFECHA2.Text = \"30/04/2025\"\n");
    const CliRun rejected = run({"call", "FechaValida", "00/05/2024", "txt", "@form:txt1"});
    EXPECT_EQ(rejected.out.rfind("-- message box: ERROR en la Fecha\n", 0), 0u) << rejected.out;
    EXPECT_NE(rejected.out.find("fecha: 00/05/2024\r\n"), std::string::npos) << rejected.out;
    EXPECT_NE(rejected.out.find("-- OK\nTrue\nCont = \"TXT\"\ntxt1.Text = \"\"\n"),
              std::string::npos)
        << rejected.out;
}

TEST(CommandLine, CallsAfterOneAnotherShareTheObjectAndTheFixedClock) {
    const CliRun r = run({"--now", "2026-12-06 09:30:00", "call", "FechaTxtBox", "True", "", "--",
                          "Seg2Hrs", "90000"});
    EXPECT_EQ(r.out, "01/12/2026\nFecha = \"06/12/2026\"\n25:00:00\n");
}

} // namespace
} // namespace orbek
