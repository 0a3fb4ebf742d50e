#include "automation/ole_date.h"

#include "automation/rounding.h"
#include "automation/vb_error.h"

#include <algorithm>
#include <cmath>

namespace orbek {

namespace {

constexpr int SecondsPerDay = 86400;
constexpr int DaysPer400Years = 146097;
constexpr int DaysPer100Years = 36524;
constexpr int DaysPer4Years = 1461;

constexpr bool leap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr int month_length(int month, int year) {
    constexpr int Lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leap(year) ? 29 : Lengths[month - 1];
}

// Days from 01/01/0001 (day 0) in the proleptic Gregorian calendar.
constexpr int day_number(int year, int month, int day) {
    int past_years = year - 1;
    int days = past_years * 365 + past_years / 4 - past_years / 100 + past_years / 400;
    for (int m = 1; m < month; ++m)
        days += month_length(m, year);
    return days + day - 1;
}

constexpr int EpochDayNumber = day_number(1899, 12, 30);

DateParts parts_from_day_number(int number) {
    int cycles400 = number / DaysPer400Years;
    number %= DaysPer400Years;
    // The last day of a 400-year (or 4-year) cycle belongs to its leap year, hence the caps.
    int centuries = std::min(number / DaysPer100Years, 3);
    number -= centuries * DaysPer100Years;
    int cycles4 = number / DaysPer4Years;
    number %= DaysPer4Years;
    int years = std::min(number / 365, 3);
    number -= years * 365;

    DateParts parts;
    parts.year = 400 * cycles400 + 100 * centuries + 4 * cycles4 + years + 1;
    parts.month = 1;
    while (number >= month_length(parts.month, parts.year)) {
        number -= month_length(parts.month, parts.year);
        ++parts.month;
    }
    parts.day = number + 1;
    return parts;
}

constexpr int FirstDay = -657434; // 01/01/100
constexpr int LastDay = 2958465;  // 31/12/9999

struct DayAndTime {
    int day;     // serial of the calendar day
    int seconds; // time of day, 0 .. 86399
};

// The serial's day (its whole part, towards zero) and its time of day (the fraction by
// absolute value), rounded to the second; 24:00:00 becomes the start of the next day.
// Nullopt outside the calendar's range.
std::optional<DayAndTime> split_serial(double date) {
    if (!(date > FirstDay - 1.0 && date < LastDay + 1.0))
        return std::nullopt;
    double whole = std::trunc(date);
    double fraction = std::fabs(date - whole);
    DayAndTime split{static_cast<int>(whole),
                     static_cast<int>(round_half_even(fraction * SecondsPerDay))};
    if (split.seconds == SecondsPerDay) {
        ++split.day;
        split.seconds = 0;
    }
    if (split.day > LastDay)
        return std::nullopt;
    return split;
}

DayAndTime checked_split(double date) {
    std::optional<DayAndTime> split = split_serial(date);
    if (!split)
        throw VbError(vb::InvalidProcedureCall);
    return *split;
}

} // namespace

bool is_leap_year(int year) {
    return leap(year);
}

// A month outside 1-12 has no days, so every day of it fails the callers' range checks.
int days_in_month(int month, int year) {
    if (month < 1 || month > 12)
        return 0;
    return month_length(month, year);
}

std::optional<double> ole_date_from_parts(const DateParts& parts) {
    if (parts.year < 100 || parts.year > 9999 || parts.month < 1 || parts.month > 12 ||
        parts.day < 1 || parts.day > days_in_month(parts.month, parts.year))
        return std::nullopt;
    if (parts.hour < 0 || parts.hour > 23 || parts.minute < 0 || parts.minute > 59 ||
        parts.second < 0 || parts.second > 59)
        return std::nullopt;
    int day = day_number(parts.year, parts.month, parts.day) - EpochDayNumber;
    double time =
        static_cast<double>(parts.hour * 3600 + parts.minute * 60 + parts.second) / SecondsPerDay;
    // Before the epoch the time of day is still counted forwards, away from zero.
    return day < 0 ? day - time : day + time;
}

DateParts parts_from_ole_date(double date) {
    DayAndTime split = checked_split(date);
    DateParts parts = parts_from_day_number(split.day + EpochDayNumber);
    parts.hour = split.seconds / 3600;
    parts.minute = split.seconds / 60 % 60;
    parts.second = split.seconds % 60;
    return parts;
}

bool is_valid_ole_date(double date) {
    return split_serial(date).has_value();
}

int weekday(double date) {
    // Day 0, 30/12/1899, was a Saturday.
    int day = checked_split(date).day;
    return ((day + 6) % 7 + 7) % 7 + 1;
}

} // namespace orbek
