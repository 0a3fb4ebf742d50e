#include "usage_log_support.h"
#include "usagelog/usage_log.h"

#include <optional>

namespace orbek {
namespace {

using namespace testing;
namespace fs = std::filesystem;

const std::string Now = "05/12/2026 14:30:15";
const std::string OpeningVersion = "***** Tesmara 2, Versi\xf3n: 7.1 " + TodayText + " *****";
const std::string ClosingVersion =
    "***** \xabTesmara 2\xbb, Versi\xf3n: 7.1 " + TodayText + " *****";

std::string log_banner() {
    return crlf_lines({Asterisks, FramedBlank, CompanyLine, FramedBlank, StreetLine, FramedBlank,
                       HomePageLine, FramedBlank, SalesLine, SupportLine, InitialsLine, Asterisks,
                       "", OpeningVersion, ""});
}

class UsageLog : public DriveC {
  protected:
    struct Values {
        Variant employee = Variant::missing();
        Variant initial_date = Variant::missing();
        Variant final_date = Variant::missing();
        Variant comment = Variant::missing();
    };

    void log(std::uint8_t mode, TextView module = u"", TextView user = u"ana",
             TextView log_file_op = u"", TextView version = u"7.1") {
        Values values;
        log(mode, module, values, user, log_file_op, version);
    }
    void log(std::uint8_t mode, TextView module, Values& values, TextView user = u"ana",
             TextView log_file_op = u"", TextView version = u"7.1") {
        usage_log(state_, platform(), mode, module, values.employee, values.initial_date,
                  values.final_date, values.comment, log_file_op, user, version);
    }

    // Starts a log on an existing file, so that no banner comes first.
    void start_quietly() {
        put_file("Kalvix/Tesmara.Log", "");
        log(1);
    }

    std::string base_log() const { return bytes_of("Kalvix/Tesmara.Log"); }
};

TEST_F(UsageLog, AWholePeriodOfUseOnANewLogFile) {
    log(1, u"", u"  ana  ");
    ASSERT_TRUE(state_.log);
    EXPECT_EQ(state_.log->path, u"C:\\Kalvix\\Tesmara.Log");
    EXPECT_EQ(base_log(), log_banner() + crlf_lines({"ana: Inicia el Uso de Tesmara. " + Now}));

    Values values{Text(u" Juan "), Variant::date(45000), Variant::missing(), Text(u"ok")};
    log(2, u" Altas ", values, u"ana");
    log(3, u"", u"ana");
    EXPECT_FALSE(state_.log);
    EXPECT_EQ(base_log(), log_banner() + crlf_lines({"ana: Inicia el Uso de Tesmara. " + Now,
                                                     "ana, Altas, Juan, 15/03/2023, ok,  " + Now,
                                                     "ana, Finaliza el Uso de Tesmara. " + Now, "",
                                                     ClosingVersion, ""}));

    // The next period of use appends to the same file, without a banner.
    const std::string first_period = base_log();
    log(1, u"", u"ana");
    EXPECT_EQ(base_log(), first_period + crlf_lines({"ana: Inicia el Uso de Tesmara. " + Now}));
}

TEST_F(UsageLog, RecordLineLayoutAndTheTextsWrittenBack) {
    const Variant m = Variant::missing();
    struct Case {
        const char* name;
        Text module;
        Variant values[4];
        std::string line; // between the user name and the moment
        Text written_back[4];
    };
    const Case cases[] = {
        {"all four",
         u"M",
         {Text(u"A"), Text(u"B"), Text(u"C"), Text(u"D")},
         ", M, A, B, C, D,  ",
         {u"A, ", u"B, ", u"C, ", u"D, "}},
        {"none", u"M", {m, m, m, m}, ", M ", {u"", u"", u"", u""}},
        {"only the initial date",
         u"M",
         {m, Text(u"B"), m, m},
         ", M, B,  ",
         {u"", u"B, ", u"", u""}},
        {"blank module, only the employee",
         u"   ",
         {Text(u"A"), m, m, m},
         ", A,  ",
         {u"A, ", u"", u"", u""}},
        {"Null is not given",
         u"M",
         {Variant::null(), Variant::null(), Text(u"C"), Variant::null()},
         ", M, C,  ",
         {u"", u"", u"C, ", u""}},
        {"empty text still counts",
         u"M",
         {Text(u""), m, m, Text(u"  ")},
         ", M, , ,  ",
         {u", ", u"", u"", u", "}},
        {"Empty counts as given", u"", {Variant(), m, m, m}, ", ,  ", {u", ", u"", u"", u""}},
        {"spaces trimmed, tabs kept",
         u" M\t",
         {Text(u"  A  "), m, m, Text(u"\tD ")},
         ", M\t, A, \tD,  ",
         {u"A, ", u"", u"", u"\tD, "}},
        {"numbers, dates and booleans in their text form",
         u"M",
         {std::int32_t{42}, Variant::date(45000.5), Variant::date(45000), true},
         ", M, 42, 15/03/2023 12:00:00, 15/03/2023, True,  ",
         {u"42, ", u"15/03/2023 12:00:00, ", u"15/03/2023, ", u"True, "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state_ = {};
        fs::remove(at("Kalvix/Tesmara.Log"));
        start_quietly();
        const std::string before = base_log();
        Values values{c.values[0], c.values[1], c.values[2], c.values[3]};
        log(2, c.module, values, u"U");
        EXPECT_EQ(base_log(), before + crlf_lines({"U" + c.line + Now}));
        EXPECT_EQ(values.employee, Variant(c.written_back[0]));
        EXPECT_EQ(values.initial_date, Variant(c.written_back[1]));
        EXPECT_EQ(values.final_date, Variant(c.written_back[2]));
        EXPECT_EQ(values.comment, Variant(c.written_back[3]));
    }
}

TEST_F(UsageLog, UserNameTrimmedOfSpacesOrUsuario) {
    const std::pair<Text, std::string> cases[] = {
        {u"", "Usuario"},      {u"    ", "Usuario"},      {u" pepe ", "pepe"},
        {u"\tpepe", "\tpepe"}, {u"Jos\u00e9", "Jos\xe9"}, {u"\u65e5", "?"},
    };
    start_quietly();
    for (const auto& [user, name] : cases) {
        const std::string before = base_log();
        log(2, u"M", user);
        EXPECT_EQ(base_log(), before + crlf_lines({name + ", M " + Now})) << to_utf8(user);
    }
}

TEST_F(UsageLog, AValueWithoutATextFormEndsTheRecordAfterTheValuesBeforeIt) {
    start_quietly();
    const std::string before = base_log();
    Values values{Text(u" A "), Text(u"B"), Variant(Variant::ErrorValue{5}), Text(u"D")};
    log(2, u"M", values);
    EXPECT_EQ(base_log(), before);
    EXPECT_EQ(values.employee, Variant(Text(u"A, ")));
    EXPECT_EQ(values.initial_date, Variant(Text(u"B, ")));
    EXPECT_EQ(values.final_date, Variant(Variant::ErrorValue{5}));
    EXPECT_EQ(values.comment, Variant(Text(u"D")));
    EXPECT_TRUE(state_.log);
}

TEST_F(UsageLog, CallsThatDoNothing) {
    struct Case {
        const char* name;
        bool log_open;
        std::uint8_t mode;
        Text log_file_op;
    };
    const Case cases[] = {
        {"record before any start", false, 2, u""},
        {"end before any start", false, 3, u""},
        {"mode 0", true, 0, u""},
        {"mode 4", true, 4, u""},
        {"mode 255", true, 255, u""},
        {"start turned off", false, 1, u"No"},
        {"record turned off", true, 2, u"No"},
        {"end turned off", true, 3, u"No"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state_ = {};
        fs::remove(at("Kalvix/Tesmara.Log"));
        if (c.log_open) {
            start_quietly();
        }
        const std::string before = base_log();
        Values values{Text(u" A "), Variant::missing(), Variant::missing(), Variant::null()};
        log(c.mode, u"M", values, u"ana", c.log_file_op);
        EXPECT_EQ(base_log(), before);
        EXPECT_EQ(fs::exists(at("Kalvix/Tesmara.Log")), c.log_open);
        EXPECT_EQ(state_.log.has_value(), c.log_open);
        EXPECT_EQ(values.employee, Variant(Text(u" A ")));
        EXPECT_EQ(values.comment, Variant::null());
    }
}

TEST_F(UsageLog, OnlyExactlyNoTurnsLoggingOff) {
    for (const Text op : {u"no", u"NO", u" No", u"No ", u"Si", u""}) {
        state_ = {};
        fs::remove(at("Kalvix/Tesmara.Log"));
        log(1, u"", u"ana", op);
        EXPECT_TRUE(state_.log) << to_utf8(op);
    }
}

TEST_F(UsageLog, TheMarkerChoosesTheFolder) {
    struct Case {
        const char* name;
        std::vector<const char*> folders;
        std::vector<const char*> files;
        Text log_path;
        const char* written; // the file on disk that gets the start line
    };
    const Case cases[] = {
        {"no marker", {}, {}, u"C:\\Kalvix\\Tesmara.Log", "Kalvix/Tesmara.Log"},
        {"the Log folder without its marker",
         {"Kalvix/Log"},
         {},
         u"C:\\Kalvix\\Tesmara.Log",
         "Kalvix/Tesmara.Log"},
        {"marker present",
         {"Kalvix/Log"},
         {"Kalvix/Log/Log.Dir"},
         u"C:\\Kalvix\\Log\\Tesmara.Log",
         "Kalvix/Log/Tesmara.Log"},
        {"marker named in other letter case",
         {"Kalvix/Log"},
         {"Kalvix/Log/LOG.DIR"},
         u"C:\\Kalvix\\Tesmara.Log",
         "Kalvix/Tesmara.Log"},
        {"folder letter case does not matter",
         {"Kalvix/LOG"},
         {"Kalvix/LOG/Log.Dir"},
         u"C:\\Kalvix\\Log\\Tesmara.Log",
         "Kalvix/LOG/Tesmara.Log"},
        {"a folder named like the marker",
         {"Kalvix/Log", "Kalvix/Log/Log.Dir"},
         {},
         u"C:\\Kalvix\\Tesmara.Log",
         "Kalvix/Tesmara.Log"},
    };
    const std::string start_line = crlf_lines({"ana: Inicia el Uso de Tesmara. " + Now});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state_ = {};
        fs::remove_all(at("Kalvix"));
        fs::create_directories(at("Kalvix"));
        put_file("Kalvix/Tesmara.Log", "old\r\n");
        for (const char* folder : c.folders) {
            fs::create_directories(at(folder));
        }
        for (const char* file : c.files) {
            put_file(file);
        }
        log(1);
        ASSERT_TRUE(state_.log);
        EXPECT_EQ(state_.log->path, c.log_path);
        if (std::string(c.written) == "Kalvix/Tesmara.Log") {
            EXPECT_EQ(base_log(), "old\r\n" + start_line);
        } else {
            EXPECT_EQ(base_log(), "old\r\n");
            EXPECT_EQ(bytes_of(c.written), log_banner() + start_line);
        }
    }
}

TEST_F(UsageLog, ALogNamedInOtherLetterCaseCountsAsNewAndGetsAnotherBanner) {
    put_file("Kalvix/TESMARA.LOG", "earlier\r\n");
    log(1);
    EXPECT_EQ(bytes_of("Kalvix/TESMARA.LOG"),
              "earlier\r\n" + log_banner() + crlf_lines({"ana: Inicia el Uso de Tesmara. " + Now}));
}

TEST_F(UsageLog, AStartWhileTheSameLogIsOpenWritesNothingAndKeepsItOpen) {
    start_quietly();
    const std::string before = base_log();
    log(1, u"", u"otro");
    EXPECT_EQ(base_log(), before);
    log(2, u"M");
    EXPECT_EQ(base_log(), before + crlf_lines({"ana, M " + Now}));
}

TEST_F(UsageLog, AStartOnAnotherLogClosesTheOneBefore) {
    start_quietly();
    fs::create_directories(at("Kalvix/Log"));
    put_file("Kalvix/Log/Log.Dir");
    log(1);
    ASSERT_TRUE(state_.log);
    EXPECT_EQ(state_.log->path, u"C:\\Kalvix\\Log\\Tesmara.Log");
    PosixFileSystem other_thread{WindowsPaths(root_)};
    EXPECT_NO_THROW(other_thread.open_for_append(u"C:\\Kalvix\\Tesmara.Log"));
    EXPECT_THROW(other_thread.open_for_append(u"C:\\Kalvix\\Log\\Tesmara.Log"), VbError);
}

TEST_F(UsageLog, DateTextFailureStopsAfterTheLinesWrittenAndLeavesTheLogOpen) {
    tools_.fail = true;
    log(1);
    ASSERT_TRUE(state_.log);
    const std::string banner_head = crlf_lines(
        {Asterisks, FramedBlank, CompanyLine, FramedBlank, StreetLine, FramedBlank, HomePageLine,
         FramedBlank, SalesLine, SupportLine, InitialsLine, Asterisks, ""});
    EXPECT_EQ(base_log(), banner_head);

    log(2, u"M");
    log(3);
    EXPECT_TRUE(state_.log);
    const std::string ended_once =
        banner_head + crlf_lines({"ana, M " + Now, "ana, Finaliza el Uso de Tesmara. " + Now, ""});
    EXPECT_EQ(base_log(), ended_once);

    tools_.fail = false;
    log(3);
    EXPECT_FALSE(state_.log);
    EXPECT_EQ(base_log(), ended_once + crlf_lines({"ana, Finaliza el Uso de Tesmara. " + Now, "",
                                                   ClosingVersion, ""}));
}

TEST_F(UsageLog, AsksTheCompanionForTodaysDateAlone) {
    clock_.moment = *ole_date_from_parts({2026, 12, 5, 23, 59, 59});
    log(1);
    log(3);
    ASSERT_EQ(tools_.calls.size(), 2u);
    for (const DateTextTools::Call& call : tools_.calls) {
        EXPECT_EQ(call.date, Variant::date(*ole_date_from_parts({2026, 12, 5})));
        EXPECT_EQ(call.style, u"E");
        EXPECT_EQ(call.prefix, u"");
        EXPECT_TRUE(call.with_weekday);
        EXPECT_TRUE(call.with_year);
    }
}

TEST_F(UsageLog, NoBaseFolderMeansNoLogAndNoError) {
    fs::remove_all(at("Kalvix"));
    log(1);
    EXPECT_FALSE(state_.log);
    EXPECT_FALSE(fs::exists(at("Kalvix")));
}

TEST_F(UsageLog, TheLogIsClosedWhenTheStateGoes) {
    start_quietly();
    PosixFileSystem other_thread{WindowsPaths(root_)};
    EXPECT_THROW(other_thread.open_for_append(u"C:\\Kalvix\\Tesmara.Log"), VbError);
    state_ = {};
    EXPECT_NO_THROW(other_thread.open_for_append(u"C:\\Kalvix\\Tesmara.Log"));
}

} // namespace
} // namespace orbek
