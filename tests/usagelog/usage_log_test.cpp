#include "usage_log_support.h"
#include "usagelog/usage_log.h"

namespace orbek {
namespace {

using namespace testing;
namespace fs = std::filesystem;

const std::string Banner = crlf_lines(
    {Stars, Blank, Company, Blank, Street, Blank, Web, Blank, Sales, Support, Initials, Stars, ""});
const std::string OpeningVersion = "***** Tesmara 2, Versi\xf3n: 7.1 " + TodayText + " *****";
const std::string StartLine = "ana: Inicia el Uso de Tesmara. " + Now;

class UsageLog : public DriveC {
  protected:
    void log(std::uint8_t mode, TextView module = u"", TextView op = u"", TextView user = u"ana") {
        Variant values[4] = {Variant::missing(), Variant::missing(), Variant::missing(),
                             Variant::missing()};
        log(mode, module, values, op, user);
    }
    void log(std::uint8_t mode, TextView module, Variant (&values)[4], TextView op = u"",
             TextView user = u"ana") {
        usage_log(state_, platform(), mode, module, values[0], values[1], values[2], values[3], op,
                  user, u"7.1");
    }
    // A log on a file that was there, so without a banner.
    void reopen(const char* existing = "Kalvix/Tesmara.Log") {
        state_ = {};
        fs::remove_all(at("Kalvix"));
        fs::create_directories(at("Kalvix/Log"));
        put_file(existing, "");
        log(1);
    }
    std::string base_log() const { return bytes_of("Kalvix/Tesmara.Log"); }
};

TEST_F(UsageLog, APeriodOfUseOnANewFileThenAnotherWithoutBanner) {
    log(1, u"", u"", u"  ana  ");
    EXPECT_EQ(state_.log->path, u"C:\\Kalvix\\Tesmara.Log");
    EXPECT_EQ(base_log(), Banner + crlf_lines({OpeningVersion, "", StartLine}));
    log(3);
    EXPECT_FALSE(state_.log);
    const std::string first =
        Banner + crlf_lines({OpeningVersion, "", StartLine,
                             "ana, Finaliza el Uso de Tesmara. " + Now, "", ClosingVersion, ""});
    EXPECT_EQ(base_log(), first);
    log(1);
    EXPECT_EQ(base_log(), first + crlf_lines({StartLine}));
}

TEST_F(UsageLog, RecordLinesAndTheTextsWrittenBack) {
    const Variant m = Variant::missing();
    struct Case {
        Text module;
        Text user;
        Variant values[4];
        std::string line;
        Text written_back[4];
    };
    const Case cases[] = {
        {u" M ",
         u"U",
         {Text(u" A "), Text(u"B"), Text(u"C"), Text(u"D")},
         "U, M, A, B, C, D,  ",
         {u"A, ", u"B, ", u"C, ", u"D, "}},
        {u"M", u"U", {m, m, m, m}, "U, M ", {u"", u"", u"", u""}},
        {u"M",
         u"   ",
         {m, Text(u"B"), Variant::null(), m},
         "Usuario, M, B,  ",
         {u"", u"B, ", u"", u""}},
        {u"  ", u"\tU", {Text(u"A"), m, m, m}, "\tU, A,  ", {u"A, ", u"", u"", u""}},
        {u"M",
         u"Jos\u00e9",
         {Text(u"   "), m, m, Variant()},
         "Jos\xe9, M, , ,  ",
         {u", ", u"", u"", u", "}},
        {u"\u65e5",
         u"U",
         {std::int32_t{42}, Variant::date(45000.5), Variant::date(45000), true},
         "U, ?, 42, 15/03/2023 12:00:00, 15/03/2023, True,  ",
         {u"42, ", u"15/03/2023 12:00:00, ", u"15/03/2023, ", u"True, "}},
    };
    for (const Case& c : cases) {
        reopen();
        Variant values[4] = {c.values[0], c.values[1], c.values[2], c.values[3]};
        log(2, c.module, values, u"", c.user);
        EXPECT_EQ(base_log(), crlf_lines({StartLine, c.line + Now}));
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(values[i], Variant(c.written_back[i])) << c.line << " value " << i;
        }
    }
}

TEST_F(UsageLog, AValueWithoutATextFormEndsTheRecord) {
    reopen();
    Variant values[4] = {Text(u" A "), Variant(Variant::ErrorValue{5}), Text(u"C"), Variant()};
    log(2, u"M", values);
    EXPECT_EQ(base_log(), crlf_lines({StartLine}));
    EXPECT_EQ(values[0], Variant(Text(u"A, ")));
    EXPECT_EQ(values[1], Variant(Variant::ErrorValue{5}));
    EXPECT_EQ(values[2], Variant(Text(u"C")));
}

TEST_F(UsageLog, CallsThatDoNothing) {
    const std::tuple<bool, std::uint8_t, Text> cases[] = {
        {false, 2, u""},   {false, 3, u""},  {true, 0, u""},   {true, 4, u""},
        {false, 1, u"No"}, {true, 2, u"No"}, {true, 3, u"No"}, {true, 1, u""}, // the same log
    };
    for (const auto& [open, mode, op] : cases) {
        reopen();
        if (!open) {
            state_ = {};
            fs::remove(at("Kalvix/Tesmara.Log"));
        }
        const std::string before = base_log();
        Variant values[4] = {Text(u" A "), Variant::null(), Variant::missing(), Variant()};
        log(mode, u"M", values, op, u"otro");
        EXPECT_EQ(base_log(), before) << int(mode) << to_utf8(op);
        EXPECT_EQ(state_.log.has_value(), open);
        EXPECT_EQ(values[0], Variant(Text(u" A ")));
    }
    log(2, u"M"); // the open log took no harm from the second start
    EXPECT_EQ(base_log(), crlf_lines({StartLine, "ana, M " + Now}));
}

TEST_F(UsageLog, OnlyAMarkerNamedExactlyLogDirMovesTheLog) {
    const std::pair<const char*, const char*> cases[] = {
        {"Kalvix/Log/Log.Dir", "Kalvix/Log/Tesmara.Log"},
        {"Kalvix/Log/LOG.DIR", "Kalvix/Tesmara.Log"},
        {"Kalvix/Log/Other.Dir", "Kalvix/Tesmara.Log"},
    };
    for (const auto& [marker, log_file] : cases) {
        reopen(marker);
        EXPECT_EQ(bytes_of(log_file), Banner + crlf_lines({OpeningVersion, "", StartLine}))
            << marker;
    }
}

TEST_F(UsageLog, ALogNamedInOtherLetterCaseGetsAnotherBanner) {
    put_file("Kalvix/TESMARA.LOG", "old\r\n");
    log(1);
    EXPECT_EQ(bytes_of("Kalvix/TESMARA.LOG"),
              "old\r\n" + Banner + crlf_lines({OpeningVersion, "", StartLine}));
}

TEST_F(UsageLog, AStartOnAnotherLogClosesTheOneBefore) {
    reopen();
    put_file("Kalvix/Log/Log.Dir");
    log(1);
    EXPECT_EQ(state_.log->path, u"C:\\Kalvix\\Log\\Tesmara.Log");
    PosixFileSystem other_thread{WindowsPaths(root_)};
    EXPECT_NO_THROW(other_thread.open_for_append(u"C:\\Kalvix\\Tesmara.Log"));
}

TEST_F(UsageLog, WithoutTheDateTextTheLinesBeforeStayAndTheLogStaysOpen) {
    companion_fails_ = true;
    log(1);
    log(2, u"M");
    log(3);
    const std::string ended_once =
        Banner + crlf_lines({"ana, M " + Now, "ana, Finaliza el Uso de Tesmara. " + Now, ""});
    EXPECT_EQ(base_log(), ended_once);
    companion_fails_ = false;
    log(3);
    EXPECT_FALSE(state_.log);
    EXPECT_EQ(base_log(), ended_once + crlf_lines({"ana, Finaliza el Uso de Tesmara. " + Now, "",
                                                   ClosingVersion, ""}));
}

TEST_F(UsageLog, NoLogWithoutTheBaseFolderAndNoneAfterTheStateGoes) {
    fs::remove_all(at("Kalvix"));
    log(1);
    EXPECT_FALSE(state_.log);
    reopen();
    PosixFileSystem other_thread{WindowsPaths(root_)};
    EXPECT_THROW(other_thread.open_for_append(u"C:\\Kalvix\\Tesmara.Log"), VbError);
    state_ = {};
    EXPECT_NO_THROW(other_thread.open_for_append(u"C:\\Kalvix\\Tesmara.Log"));
}

} // namespace
} // namespace orbek
