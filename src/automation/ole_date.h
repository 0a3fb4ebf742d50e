// OLE dates: days since 30/12/1899 as a double, the time of day in the fraction.
// Before the epoch the fraction still counts forwards within the day (-1.25 is 29/12/1899 06:00).
#pragma once

#include <optional>

namespace orbek {

struct DateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const DateParts&, const DateParts&) = default;
};

inline constexpr double MinOleDate = -657434.0;        // 01/01/100
inline constexpr double MaxOleDate = 2958465.99998843; // 31/12/9999 23:59:59

bool is_leap_year(int year);
int days_in_month(int month, int year); // Gregorian; month 1-12
// Nullopt when a field is out of range or the date is outside 100-9999.
std::optional<double> ole_date_from_parts(const DateParts& parts);
// Seconds are rounded to the nearest whole second; out of range is error 5.
DateParts parts_from_ole_date(double date);
// Whether parts_from_ole_date accepts the serial (a day within 01/01/100 .. 31/12/9999 once
// its time is rounded to the second).
bool is_valid_ole_date(double date);
int weekday(double date); // 1 = Sunday ... 7 = Saturday

} // namespace orbek
