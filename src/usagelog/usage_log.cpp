#include "usagelog/usage_log.h"

#include "automation/conversions.h"
#include "automation/date_text.h"
#include "usagelog/banner.h"

#include <array>

namespace orbek {
namespace {

constexpr TextView LogFileName = u"Tesmara.Log";
constexpr TextView BaseFolder = u"C:\\Kalvix\\";
constexpr TextView LogSubfolder = u"C:\\Kalvix\\Log\\";
constexpr TextView LogFolderMarker = u"C:\\Kalvix\\Log\\Log.Dir";
constexpr TextView LogFolderMarkerName = u"Log.Dir";
constexpr TextView DefaultUser = u"Usuario";
constexpr TextView LoggingOff = u"No";
constexpr TextView StartMiddle = u": Inicia el Uso de Tesmara. ";
constexpr TextView EndMiddle = u", Finaliza el Uso de Tesmara. ";
constexpr TextView Separator = u", ";
constexpr TextView OpeningPrefix = u"***** Tesmara 2, Versión: ";
constexpr TextView ClosingPrefix = u"***** «Tesmara 2», Versión: ";

TextView user_name(TextView user_code) {
    const TextView trimmed = trim_spaces(user_code);
    return trimmed.empty() ? DefaultUser : trimmed;
}

Text log_path(FileSystem& files) {
    const bool marked = files.find_file(LogFolderMarker) == LogFolderMarkerName;
    return Text(marked ? LogSubfolder : BaseFolder) + Text(LogFileName);
}

// The user, `middle` and the moment: a start or an end line.
Text stamped_line(TextView user, TextView middle, const Clock& clock) {
    Text line(user);
    line += middle;
    append_date_and_time(line, clock.now());
    return line;
}

void start(UsageLogState& state, const UsageLogPlatform& platform, TextView user,
           TextView version) {
    const Text path = log_path(platform.files);
    const bool is_new = platform.files.find_file(path) != LogFileName;
    // Opening the log that is open already fails (error 55) and leaves it as it is; a
    // different log takes the place of the one before, which is closed.
    state.log = UsageLogState::OpenLog{path, platform.files.open_for_append(path)};
    AppendFile& log = *state.log->file;
    if (is_new) {
        write_banner(log, MakerFrame::Short, OpeningPrefix, version, platform.tools,
                     platform.clock);
    }
    log.write_line(stamped_line(user, StartMiddle, platform.clock));
}

void record(UsageLogState& state, const UsageLogPlatform& platform, TextView user, TextView module,
            const std::array<Variant*, 4>& values) {
    Text& line = state.line;
    line.assign(user);
    if (const TextView name = trim_spaces(module); !name.empty()) {
        line += Separator;
        line += name;
    }
    // ", " and the values' texts, taken back when all four are empty.
    const std::size_t before_values = line.size();
    line += Separator;
    for (Variant* value : values) {
        Text text = record_value_text(*value);
        line += text;
        *value = Variant(std::move(text));
    }
    if (line.size() == before_values + Separator.size()) {
        line.resize(before_values);
    }
    line += u' ';
    append_date_and_time(line, platform.clock.now());
    state.log->file->write_line(line);
}

void end(UsageLogState& state, const UsageLogPlatform& platform, TextView user, TextView version) {
    AppendFile& log = *state.log->file;
    log.write_line(stamped_line(user, EndMiddle, platform.clock));
    log.write_line(u"");
    log.write_line(
        version_line(ClosingPrefix, version, banner_date_text(platform.tools, platform.clock)));
    log.write_line(u"");
    // No log is open from here on, even when the flush to the disk fails.
    const std::unique_ptr<AppendFile> closing = std::move(state.log->file);
    state.log.reset();
    closing->close();
}

} // namespace

Text record_value_text(const Variant& value) {
    if (value.is_missing() || value.is_null()) {
        return Text();
    }
    Text storage;
    const TextView trimmed = trim_spaces(text_view_of(value, storage));
    Text text;
    text.reserve(trimmed.size() + Separator.size());
    text += trimmed;
    text += Separator;
    return text;
}

void usage_log(UsageLogState& state, const UsageLogPlatform& platform, std::uint8_t mode,
               TextView module, Variant& employee, Variant& initial_date, Variant& final_date,
               Variant& comment, TextView log_file_op, TextView user_code,
               TextView version) noexcept {
    try {
        if (log_file_op == LoggingOff) {
            return;
        }
        const TextView user = user_name(user_code);
        switch (mode) {
        case 1:
            start(state, platform, user, version);
            break;
        case 2:
            if (state.log) {
                record(state, platform, user, module,
                       {&employee, &initial_date, &final_date, &comment});
            }
            break;
        case 3:
            if (state.log) {
                end(state, platform, user, version);
            }
            break;
        default:
            break;
        }
    } catch (...) {
        // The log never troubles its caller: a failure ends the call and nothing more.
    }
}

} // namespace orbek
