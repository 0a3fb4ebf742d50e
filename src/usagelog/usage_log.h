// The host's usage log, "Tesmara.Log" in C:\Kalvix\ or, when that folder's marker
// C:\Kalvix\Log\Log.Dir is there, in C:\Kalvix\Log\: a banner when the file is new, a start
// line, a record line per call, an end line and the closing version line.
#pragma once

#include "automation/variant.h"
#include "usagelog/usage_log_state.h"

#include <cstdint>

namespace orbek {

// Log: mode 1 opens the log and writes the start line, 2 writes a record line, 3 the end
// lines and closes it; any other mode, or `log_file_op` "No", does nothing. A record call
// writes back into the four values the text it used for each. Never fails: an error ends
// the call quietly, and what was written stays written.
void usage_log(UsageLogState& state, const UsageLogPlatform& platform, std::uint8_t mode,
               TextView module, Variant& employee, Variant& initial_date, Variant& final_date,
               Variant& comment, TextView log_file_op, TextView user_code,
               TextView version) noexcept;

// The text a record line uses for one of its four values, as written back to the caller:
// the value's text trimmed of spaces followed by ", ", or empty when the value was left out
// or is Null. A value without a text form (an object, an error value) is error 13.
Text record_value_text(const Variant& value);

} // namespace orbek
