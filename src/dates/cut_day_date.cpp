#include "dates/cut_day_date.h"

#include "automation/date_text.h"
#include "automation/ole_date.h"
#include "automation/vb_error.h"

#include <cstdint>
#include <optional>

namespace orbek {
namespace {

constexpr int LastDayOfFirstHalf = 15;

// The date the cut day is taken from: the caller's own when the date parser reads it, else
// today, whose short date text then replaces the caller's. The empty text and the empty mask
// are no dates to the parser.
double base_date(Text& date, const Clock& clock) {
    if (const std::optional<double> given = parse_date_text(date)) {
        return *given;
    }
    const double today = clock.now();
    date = format_short_date(today);
    return today;
}

int cut_day(bool earlier, int day, int last_day) {
    if (day <= LastDayOfFirstHalf) {
        return earlier ? 1 : LastDayOfFirstHalf;
    }
    return earlier ? LastDayOfFirstHalf : last_day;
}

} // namespace

Text cut_day_date(bool earlier, Text& date, const Clock& clock, SysTools& tools) {
    const DateParts base = parts_from_ole_date(base_date(date, clock));
    std::int16_t month = static_cast<std::int16_t>(base.month);
    std::int16_t year = static_cast<std::int16_t>(base.year);
    const int last_day = tools.DaysInMonth(month, year);

    DateParts cut;
    cut.year = year;
    cut.month = month;
    cut.day = cut_day(earlier, base.day, last_day);
    // A day the month does not have (only a companion that miscounts gives one) does not
    // read as a date.
    const std::optional<double> result = ole_date_from_parts(cut);
    if (!result) {
        throw VbError(vb::TypeMismatch);
    }
    return format_short_date(*result);
}

} // namespace orbek
