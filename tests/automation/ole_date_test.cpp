#include "automation/ole_date.h"
#include "automation/vb_error.h"
#include "support/error_number.h"

#include <gtest/gtest.h>
#include <limits>

namespace orbek {
namespace {

using testing::error_number;

DateParts parts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return DateParts{year, month, day, hour, minute, second};
}

TEST(OleDate, LeapYearsAndMonthLengthsAreGregorian) {
    for (int year : {2024, 2000, 400})
        EXPECT_TRUE(is_leap_year(year)) << year;
    for (int year : {1900, 2023, 100})
        EXPECT_FALSE(is_leap_year(year)) << year;
    const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(days_in_month(month, 2023), lengths[month - 1]) << month;
        EXPECT_EQ(days_in_month(month, 2024), lengths[month - 1] + (month == 2)) << month;
    }
    EXPECT_EQ(days_in_month(0, 2024), 0);
    EXPECT_EQ(days_in_month(13, 2024), 0);
}

TEST(OleDate, KnownSerialsAndTheirParts) {
    // {serial, parts, weekday (1 = Sunday)}
    // clang-format off
    const std::tuple<double, DateParts, int> cases[] = {
        {0.0, parts(1899, 12, 30), 7}, {1.0, parts(1899, 12, 31), 1}, {2.0, parts(1900, 1, 1), 2},
        {60.0, parts(1900, 2, 28), 4}, // no 29/02/1900 in this calendar
        {61.0, parts(1900, 3, 1), 5}, {36526.0, parts(2000, 1, 1), 7},
        {45000.0, parts(2023, 3, 15), 4}, {45351.0, parts(2024, 2, 29), 5},
        {45726.5, parts(2025, 3, 10, 12), 2},
        {0.25, parts(1899, 12, 30, 6), 7}, {-1.0, parts(1899, 12, 29), 6},
        {-1.25, parts(1899, 12, 29, 6), 6}, // the time counts forwards before the epoch
        {-1.75, parts(1899, 12, 29, 18), 6}, {-36522.5, parts(1800, 1, 1, 12), 4},
        {-657434.0, parts(100, 1, 1), 6}, {2958465.0, parts(9999, 12, 31), 6},
        {MaxOleDate, parts(9999, 12, 31, 23, 59, 59), 6}};
    // clang-format on
    for (const auto& [serial, expected, weekday_number] : cases) {
        EXPECT_EQ(parts_from_ole_date(serial), expected) << serial;
        EXPECT_EQ(weekday(serial), weekday_number) << serial;
        EXPECT_TRUE(is_valid_ole_date(serial)) << serial;
        // MaxOleDate is written to eight decimals: 23:59:59 to within a millisecond.
        EXPECT_NEAR(ole_date_from_parts(expected).value_or(-1e9), serial, 1e-8);
    }
}

TEST(OleDate, TimeIsRoundedToTheNearestSecond) {
    const double second = 1.0 / 86400;
    const std::pair<double, DateParts> cases[] = {
        {0.5 + 0.4 * second, parts(1899, 12, 30, 12)},
        {0.5 - 0.4 * second, parts(1899, 12, 30, 12)},
        {0.5 + 0.6 * second, parts(1899, 12, 30, 12, 0, 1)},
        // A time that rounds to 24:00:00 starts the next day, before the epoch too.
        {1.0 - 0.3 * second, parts(1899, 12, 31)},
        {45001.0 - 0.3 * second, parts(2023, 3, 16)},
        {-2.0 + 0.3 * second, parts(1899, 12, 30)},
        {-657434.0 - 1.0 + 0.3 * second, parts(100, 1, 2)}};
    for (const auto& [serial, expected] : cases)
        EXPECT_EQ(parts_from_ole_date(serial), expected) << serial;
}

TEST(OleDate, OutOfRangeSerialsAreInvalidArguments) {
    // clang-format off
    const double serials[] = {-657435.0, -657434.0 - 1.0, 2958466.0,
        2958465.0 + 1.0 - 0.1 / 86400, // rounds into the year 10000
        1e12, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()};
    // clang-format on
    for (double serial : serials) {
        SCOPED_TRACE(serial);
        EXPECT_FALSE(is_valid_ole_date(serial));
        EXPECT_EQ(error_number([&] { parts_from_ole_date(serial); }), vb::InvalidProcedureCall);
        EXPECT_EQ(error_number([&] { weekday(serial); }), vb::InvalidProcedureCall);
    }
    EXPECT_TRUE(is_valid_ole_date(-657434.9)); // 01/01/100 21:36
}

TEST(OleDate, ImpossiblePartsHaveNoSerial) {
    const DateParts impossible[] = {
        parts(2023, 2, 29),          parts(2025, 4, 31),    parts(2025, 0, 1),
        parts(2025, 13, 1),          parts(2025, 1, 0),     parts(99, 12, 31),
        parts(10000, 1, 1),          parts(2025, 1, 1, 24), parts(2025, 1, 1, 0, 60),
        parts(2025, 1, 1, 0, 0, 60), parts(2025, 1, 1, -1), parts(1900, 2, 29)};
    for (const DateParts& p : impossible) {
        SCOPED_TRACE(::testing::Message() << p.day << '/' << p.month << '/' << p.year << ' '
                                          << p.hour << ':' << p.minute << ':' << p.second);
        EXPECT_FALSE(ole_date_from_parts(p).has_value());
    }
}

// Consecutive serials are consecutive calendar days, seven weekdays round, from the first to
// the last.
TEST(OleDate, EveryDayOfTheCalendarRoundTrips) {
    DateParts day = parts(100, 1, 1);
    for (int serial = -657434; serial <= 2958465; ++serial) {
        ASSERT_EQ(parts_from_ole_date(serial), day) << serial;
        ASSERT_EQ(ole_date_from_parts(day), static_cast<double>(serial));
        ASSERT_EQ(weekday(serial), ((serial + 6) % 7 + 7) % 7 + 1) << serial;
        if (++day.day > days_in_month(day.month, day.year))
            day = day.month == 12 ? parts(day.year + 1, 1, 1) : parts(day.year, day.month + 1, 1);
    }
    EXPECT_EQ(day, parts(10000, 1, 1));
}

} // namespace
} // namespace orbek
