// The date services the component relies on: reading a date text and writing one, the same
// on every platform (short date dd/mm/yyyy, time HH:MM:SS, 24 hours).
#pragma once

#include "automation/text.h"

#include <optional>

namespace orbek {

// Reads d/m/yyyy, d/m/yy (two-digit years 1930-2029), d-m-yyyy, yyyy-mm-dd, H:MM, H:MM:SS,
// and a date followed by one or more blanks and a time; leading and trailing blanks are
// allowed. Anything else, or an impossible date or time, gives nullopt.
std::optional<double> parse_date_text(TextView text);

Text format_short_date(double date); // dd/mm/yyyy
Text format_time(double date);       // HH:MM:SS
// "dd/mm/yyyy HH:MM:SS" always, midnight and the epoch day included.
Text format_date_and_time(double date);
// The same, appended to `out`.
void append_date_and_time(Text& out, double date);
// A date's usual text: the date alone when it has no time of day, the time alone when its
// day is 30/12/1899 (so 0 gives "00:00:00"), otherwise "dd/mm/yyyy HH:MM:SS".
Text format_date_value(double date);

} // namespace orbek
