#include "support/recording_time_object.h"

#include "automation/conversions.h"
#include "timecalc/time_text.h"

namespace orbek::testing {
namespace {

std::string describe(const Variant& value) {
    if (value.is_missing()) {
        return "Missing";
    }
    if (value.is_null()) {
        return "Null";
    }
    try {
        return to_utf8(to_text(value));
    } catch (const VbError&) {
        return "?";
    }
}

} // namespace

std::int32_t RecordingTimeObject::Hrs2Seg(Variant& Horas) {
    calls.push_back("Hrs2Seg(" + describe(Horas) + ")");
    if (!scripted_seconds.empty()) {
        const std::int32_t seconds = scripted_seconds.front();
        scripted_seconds.pop_front();
        return seconds;
    }
    return time_text_to_seconds(Horas);
}

Text RecordingTimeObject::Seg2Hrs(std::int32_t& Segundos) {
    calls.push_back("Seg2Hrs(" + std::to_string(Segundos) + ")");
    return seconds_to_time_text(Segundos, tools_);
}

} // namespace orbek::testing
