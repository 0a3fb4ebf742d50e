// The check of a date typed into a masked date box of the host's form: an acceptable one is
// written, cleaned, into the form's date boxes; a wrong one is explained to the user.
#pragma once

#include "automation/text.h"
#include "automation/variant.h"
#include "platform/message_box.h"
#include "platform/sys_tools.h"

namespace orbek {

// FechaValida. `prefix` is trimmed of blanks, put in capitals and written back first. The
// day (characters 1-2), month (4-5) and year (the last 4) of `typed` are read as 16-bit whole
// numbers (error 13 when one is not a number, 6 when it is too large). Years 1930-2029 and
// months 1-12 with a day of at least 1 are accepted: the day is cut to the month's length,
// "dd/mm/yyyy" goes into every control of `form` whose name starts with the prefix, and the
// result is false. Anything else, the empty mask included, shows the user why in `box`
// and gives true; then no control changes. `form` is what an object argument binds to:
// anything but an object, Nothing or Empty is error 13 before anything else happens.
bool check_form_date(TextView typed, Text& prefix, const Variant& form, SysTools& tools,
                     UserMessageBox& box);

} // namespace orbek
