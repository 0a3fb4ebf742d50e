#include "usage_log_support.h"
#include "usagelog/usage_log.h"

namespace orbek {
namespace {

using namespace testing;
namespace fs = std::filesystem;

const std::string Banner =
    crlf_lines({Stars, Blank, Company, Blank, Street, Blank, Web, Blank, Sales, Support, Initials,
                Stars, "", "***** Tesmara 2, Versi\xf3n: 7.1 " + TodayText + " *****", ""});
const std::string StartLine = crlf_lines({"ana: Inicia el Uso de Tesmara. " + Now});
const std::string EndLines =
    crlf_lines({"ana, Finaliza el Uso de Tesmara. " + Now, "", ClosingVersion, ""});

Variant t(const char16_t* text) {
    return Variant(Text(text));
}

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
    // A log opened anew where only `existing` is there, empty (so no banner in it).
    void reopen(const char* existing = "Kalvix/Tesmara.Log") {
        state_ = {};
        fs::remove_all(at("Kalvix"));
        fs::create_directories(at("Kalvix/Log"));
        put_file(existing, "");
        log(1);
    }
    std::string base_log() const { return bytes_of("Kalvix/Tesmara.Log"); }
};

// Every check reads the file while the log is still open: each line is in it when Log returns.
TEST_F(UsageLog, APeriodOfUseOnANewFileThenAnotherWithoutBanner) {
    log(1, u"", u"", u"  ana  ");
    EXPECT_EQ(base_log(), Banner + StartLine);
    log(3);
    EXPECT_FALSE(state_.log);
    log(1);
    EXPECT_EQ(base_log(), Banner + StartLine + EndLines + StartLine);
}

TEST_F(UsageLog, RecordLinesAndWhatTheyWriteBack) {
    const Variant m = Variant::missing();
    const Variant error = Variant(Variant::ErrorValue{5});
    const Variant none = t(u"");
    struct Case {
        Text module;
        Text user;
        Variant values[4];
        std::string line; // empty: none
        Variant written_back[4];
    };
    // clang-format off
    const Case cases[] = {
        {u" M ", u"U", {t(u" A "), t(u"B"), t(u"C"), t(u"D")}, "U, M, A, B, C, D,  ",
         {t(u"A, "), t(u"B, "), t(u"C, "), t(u"D, ")}},
        {u"M", u"U", {m, m, m, m}, "U, M ", {none, none, none, none}},
        {u"M", u"   ", {m, t(u"B"), Variant::null(), m}, "Usuario, M, B,  ",
         {none, t(u"B, "), none, none}},
        {u"  ", u"\tU", {t(u"A"), m, m, m}, "\tU, A,  ", {t(u"A, "), none, none, none}},
        {u"M", u"Jos\u00e9", {t(u"   "), m, m, Variant()}, "Jos\xe9, M, , ,  ",
         {t(u", "), none, none, t(u", ")}},
        {u"\u65e5", u"U", {std::int32_t{42}, Variant::date(45000.5), Variant::date(45000), true},
         "U, ?, 42, 15/03/2023 12:00:00, 15/03/2023, True,  ",
         {t(u"42, "), t(u"15/03/2023 12:00:00, "), t(u"15/03/2023, "), t(u"True, ")}},
        // A value without a text form ends the call: the ones before it are written back.
        {u"M", u"U", {t(u" A "), error, t(u"C"), m}, "", {t(u"A, "), error, t(u"C"), m}},
    };
    // clang-format on
    for (const Case& c : cases) {
        reopen();
        Variant values[4] = {c.values[0], c.values[1], c.values[2], c.values[3]};
        log(2, c.module, values, u"", c.user);
        EXPECT_EQ(base_log(), StartLine + (c.line.empty() ? "" : crlf_lines({c.line + Now})));
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(values[i], c.written_back[i]) << c.line << " value " << i;
        }
    }
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
        Variant values[4] = {t(u" A "), Variant::null(), Variant::missing(), Variant()};
        log(mode, u"M", values, op, u"otro");
        EXPECT_EQ(base_log(), before) << int(mode) << to_utf8(op);
        EXPECT_EQ(state_.log.has_value(), open);
        EXPECT_EQ(values[0], t(u" A "));
    }
    log(2, u"M"); // the open log took no harm from the second start
    EXPECT_EQ(base_log(), StartLine + crlf_lines({"ana, M " + Now}));
}

TEST_F(UsageLog, WhereTheLogGoes) {
    const std::pair<const char*, const char*> cases[] = {
        {"Kalvix/Log/Log.Dir", "Kalvix/Log/Tesmara.Log"},
        {"Kalvix/Log/LOG.DIR", "Kalvix/Tesmara.Log"},
        {"Kalvix/Log/Other.Dir", "Kalvix/Tesmara.Log"},
        {"Kalvix/TESMARA.LOG", "Kalvix/TESMARA.LOG"}, // taken for new: a banner again
    };
    for (const auto& [existing, log_file] : cases) {
        reopen(existing);
        EXPECT_EQ(bytes_of(log_file), Banner + StartLine) << existing;
    }
    reopen();
    put_file("Kalvix/Log/Log.Dir");
    log(1); // another log: the one before is closed
    EXPECT_EQ(state_.log->path, u"C:\\Kalvix\\Log\\Tesmara.Log");
    PosixFileSystem other_thread{WindowsPaths(root_)};
    EXPECT_NO_THROW(other_thread.open_for_append(u"C:\\Kalvix\\Tesmara.Log"));
    state_ = {}; // and the state going closes the last
    EXPECT_NO_THROW(other_thread.open_for_append(u"C:\\Kalvix\\Log\\Tesmara.Log"));
    fs::remove_all(at("Kalvix"));
    log(1);
    EXPECT_FALSE(state_.log);
}

TEST_F(UsageLog, WithoutTheDateTextTheLinesBeforeStayAndTheLogStaysOpen) {
    companion_fails_ = true;
    log(1);
    log(2, u"M");
    log(3);
    const std::string ended_once = crlf_lines(
        {Stars, Blank, Company, Blank, Street, Blank, Web, Blank, Sales, Support, Initials, Stars,
         "", "ana, M " + Now, "ana, Finaliza el Uso de Tesmara. " + Now, ""});
    EXPECT_EQ(base_log(), ended_once);
    companion_fails_ = false;
    log(3);
    EXPECT_FALSE(state_.log);
    EXPECT_EQ(base_log(), ended_once + EndLines);
}

} // namespace
} // namespace orbek
