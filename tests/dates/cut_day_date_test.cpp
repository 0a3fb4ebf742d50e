#include "dates/cut_day_date.h"
#include "support/error_number.h"
#include "support/recording_sys_tools.h"
#include "support/thread_host.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::error_number;
using testing::RecordingSysTools;

const testing::RecordingClock Today; // 05/12/2026 at noon

// Any text the date parser reads (its own tests hold which) gives its cut day. The 15th is in
// the first half, the 16th in the second; a time alone falls on 30/12/1899.
TEST(CutDayDate, ReadableDatesStayAndGiveTheirCutDay) {
    const std::tuple<bool, const char16_t*, const char16_t*> cases[] = {
        {true, u"10/03/2025", u"01/03/2025"},  {false, u"10/03/2025", u"15/03/2025"},
        {false, u"20/02/2024", u"29/02/2024"}, {false, u"20/02/2023", u"28/02/2023"},
        {true, u"20/02/2024", u"15/02/2024"},  {true, u"15/07/2025", u"01/07/2025"},
        {false, u"15/07/2025", u"15/07/2025"}, {true, u"16/07/2025", u"15/07/2025"},
        {false, u"16/07/2025", u"31/07/2025"}, {false, u"31/12/9999", u"31/12/9999"},
        {false, u"01/01/0100", u"15/01/0100"}, {false, u" 20/11/2025 14:30 ", u"30/11/2025"},
        {true, u"12:30", u"15/12/1899"}};
    for (const auto& [earlier, given, result] : cases) {
        RecordingSysTools tools;
        Text date = given;
        EXPECT_EQ(cut_day_date(earlier, date, Today, tools), result) << to_utf8(given);
        EXPECT_EQ(date, given);
        // The companion counts the days of the month the cut day falls in.
        const std::string text = to_utf8(result);
        EXPECT_EQ(tools.calls, std::vector<std::string>{
                                   "DaysInMonth " + std::to_string(std::stoi(text.substr(3))) +
                                   " " + std::to_string(std::stoi(text.substr(6)))});
    }
}

TEST(CutDayDate, UnreadableDatesBecomeToday) {
    for (const char16_t* given : {u"", u"  /  /    ", u"abc", u"31/04/2025"}) {
        for (const bool earlier : {true, false}) {
            RecordingSysTools tools;
            Text date = given;
            EXPECT_EQ(cut_day_date(earlier, date, Today, tools),
                      earlier ? u"01/12/2026" : u"15/12/2026")
                << to_utf8(given);
            EXPECT_EQ(date, u"05/12/2026");
        }
    }
}

TEST(CutDayDate, FailuresAfterTheVariableWasRewritten) {
    RecordingSysTools failing; // the unreadable text was already replaced by today
    failing.fail_call(0, vb::ObjectNotSet);
    Text date = u"abc";
    EXPECT_EQ(error_number([&] { cut_day_date(false, date, Today, failing); }), vb::ObjectNotSet);
    EXPECT_EQ(date, u"05/12/2026");
    RecordingSysTools wrong; // a companion that counts 30 days in February
    wrong.days_in_month = 30;
    date = u"20/02/2024";
    EXPECT_EQ(error_number([&] { cut_day_date(false, date, Today, wrong); }), vb::TypeMismatch);
    EXPECT_EQ(date, u"20/02/2024");
}

} // namespace
} // namespace orbek
