// The time conversions that sums and differences go through, doing the real work (with the
// SysTools it is given) and recording what they were called with, so a test sees which times
// were converted and in which order. Hrs2Seg can instead hand out scripted numbers of seconds,
// to reach totals no time text can.
#pragma once

#include "automation/conversions.h"
#include "timecalc/time_sums.h"
#include "timecalc/time_text.h"

#include <deque>
#include <string>
#include <vector>

namespace orbek::testing {

class RecordingTimeObject final : public TimeTextConversions {
  public:
    explicit RecordingTimeObject(SysTools& tools) : tools_(tools) {}

    // "Hrs2Seg(<text of the argument>)" and "Seg2Hrs(<seconds>)", in call order.
    std::vector<std::string> calls;
    std::deque<std::int32_t> scripted_seconds;

    std::int32_t Hrs2Seg(const Variant& Horas) override {
        calls.push_back("Hrs2Seg(" + describe(Horas) + ")");
        if (scripted_seconds.empty()) {
            return time_text_to_seconds(Horas);
        }
        const std::int32_t seconds = scripted_seconds.front();
        scripted_seconds.pop_front();
        return seconds;
    }

    Text Seg2Hrs(std::int32_t Segundos) override {
        calls.push_back("Seg2Hrs(" + std::to_string(Segundos) + ")");
        return seconds_to_time_text(Segundos, tools_);
    }

  private:
    static std::string describe(const Variant& value) {
        if (value.is_missing()) {
            return "Missing";
        }
        if (value.is_null()) {
            return "Null";
        }
        return to_utf8(to_text(value));
    }

    SysTools& tools_;
};

} // namespace orbek::testing
