// The date with which the host fills a masked date box: one of the month's cut days (the 1st,
// the 15th or the last), chosen by the half of the month a date falls in.
#pragma once

#include "automation/text.h"
#include "platform/clock.h"
#include "platform/sys_tools.h"

namespace orbek {

// FechaTxtBox. `date` is rewritten with the date the cut day is taken from: itself when the
// date parser reads it, otherwise (empty, the empty mask, unreadable) today's short date.
// `earlier` true gives the 1st for days 1-15 and the 15th for the rest; false the 15th and
// the month's last day. The result is "dd/mm/yyyy". A failing DaysInMonth is the call's
// error, after `date` was rewritten.
Text cut_day_date(bool earlier, Text& date, const Clock& clock, SysTools& tools);

} // namespace orbek
