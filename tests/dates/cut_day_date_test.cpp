#include "date_test_doubles.h"
#include "dates/cut_day_date.h"
#include "support/error_number.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::error_number;
using testing::FixedClock;
using testing::RecordingSysTools;

const FixedClock Today({2024, 2, 20, 13, 45, 10});

struct CutCase {
    bool earlier;
    const char16_t* given;
    const char16_t* result;
};

TEST(CutDayDate, ReadableDatesStayAndGiveTheirCutDay) {
    const CutCase cases[] = {
        {true, u"10/03/2025", u"01/03/2025"},
        {false, u"10/03/2025", u"15/03/2025"},
        {false, u"20/02/2024", u"29/02/2024"},
        {false, u"20/02/2023", u"28/02/2023"},
        {true, u"20/02/2024", u"15/02/2024"},
        {true, u"15/07/2025", u"01/07/2025"}, // the 15th is in the first half
        {false, u"15/07/2025", u"15/07/2025"},
        {true, u"16/07/2025", u"15/07/2025"}, // the 16th in the second
        {false, u"16/07/2025", u"31/07/2025"},
        {false, u"1/4/2025", u"15/04/2025"},
        {false, u"16/4/2025", u"30/04/2025"},
        {false, u"20/02/1900", u"28/02/1900"},
        {false, u"20/02/2000", u"29/02/2000"},
        {false, u"2025-12-20", u"31/12/2025"},
        {true, u"10/03/25", u"01/03/2025"},
        {false, u"10/03/75", u"15/03/1975"},
        {false, u"31/12/9999", u"31/12/9999"},
        {false, u"01/01/0100", u"15/01/0100"},
        {false, u" 20/11/2025 14:30 ", u"30/11/2025"},
        {true, u"12:30", u"15/12/1899"}, // a time alone falls on 30/12/1899
    };
    for (const auto& [earlier, given, result] : cases) {
        RecordingSysTools tools;
        Text date = given;
        EXPECT_EQ(cut_day_date(earlier, date, Today, tools), result) << to_utf8(given);
        EXPECT_EQ(date, given);
    }
}

TEST(CutDayDate, UnreadableDatesBecomeToday) {
    const char16_t* unreadable[] = {
        u"",           u"  /  /    ",  u"abc",       u"31/04/2025", u"29/02/2023",
        u"  /  /2024", u"10/03/2025x", u"10/03/202", u"45000",
    };
    for (const char16_t* given : unreadable) {
        for (const bool earlier : {true, false}) {
            RecordingSysTools tools;
            Text date = given;
            EXPECT_EQ(cut_day_date(earlier, date, Today, tools),
                      earlier ? u"15/02/2024" : u"29/02/2024")
                << to_utf8(given);
            EXPECT_EQ(date, u"20/02/2024");
        }
    }
}

TEST(CutDayDate, AsksTheCompanionForTheBaseMonth) {
    RecordingSysTools tools;
    Text date = u"20/11/1975";
    cut_day_date(false, date, Today, tools);
    EXPECT_EQ(tools.calls, std::vector<std::string>{"DaysInMonth 11 1975"});
}

TEST(CutDayDate, FailuresAfterTheVariableWasRewritten) {
    struct Case {
        const char* name;
        int failing_days; // DaysInMonth fails with this number; 0 for none
        std::int16_t days_answer;
        int number;
    };
    const Case cases[] = {
        {"companion fails", vb::ObjectNotSet, 29, vb::ObjectNotSet},
        {"companion counts 30 days in February", 0, 30, vb::TypeMismatch},
    };
    for (const Case& c : cases) {
        RecordingSysTools tools;
        if (c.failing_days != 0) {
            tools.fail("DaysInMonth", c.failing_days);
        }
        tools.days_answer = c.days_answer;
        Text date = u"abc";
        EXPECT_EQ(error_number([&] { cut_day_date(false, date, Today, tools); }), c.number)
            << c.name;
        EXPECT_EQ(date, u"20/02/2024") << c.name;
    }
}

} // namespace
} // namespace orbek
