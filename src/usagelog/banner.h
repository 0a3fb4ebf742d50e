// The framed maker's block and the version line that open a new usage log and make up a
// folder marker file. Every framed line is 60 characters: 60 asterisks, or an asterisk, 58
// characters of text padded with spaces, and an asterisk.
#pragma once

#include "automation/text.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/sys_tools.h"

#include <vector>

namespace orbek {

inline constexpr std::size_t FramedLineWidth = 60;

enum class MakerFrame {
    Short, // the usage log's banner: name, street and telephone, home page, e-mails
    Full,  // a folder marker's: also the rest of the postal address and the telephone abroad
};

// The framed lines, from the first row of asterisks to the last.
std::vector<Text> maker_frame(MakerFrame frame);

// `prefix` + `version` + " " + `date_text` + " *****".
Text version_line(TextView prefix, TextView version, TextView date_text);

// The companion's long date text for today (no time of day): style "E", no prefix, with
// weekday and year. Fails as the companion fails.
Text banner_date_text(SysTools& tools, const Clock& clock);

// The framed block, an empty line, the version line with `prefix` and today's date text, and
// an empty line. Without the date text the lines before it stay written.
void write_banner(AppendFile& file, MakerFrame frame, TextView prefix, TextView version,
                  SysTools& tools, const Clock& clock);

} // namespace orbek
