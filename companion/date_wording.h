// The one-line date texts of the companion, as written into the host's log banners.
#pragma once

#include "automation/text.h"

namespace orbek {

enum class DateStyle {
    Short,   // 05/12/2026
    Spanish, // sábado, 5 de diciembre de 2026
    English, // Saturday, December 5, 2026
};

// "" is the short style, "E" Spanish and "I" English, in either case; any other style is
// error 5.
DateStyle date_style_named(TextView name);

// The day of the OLE date (its time of day is not shown). The short style has neither weekday
// nor a part that can be left out, so the two flags only shape the long styles.
Text date_wording(double date, DateStyle style, bool with_weekday, bool with_year);

} // namespace orbek
