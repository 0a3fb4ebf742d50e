#include "timecalc/time_sums.h"

#include "automation/conversions.h"

#include <algorithm>
#include <initializer_list>

namespace orbek {
namespace {

constexpr std::int32_t SecondsPerDay = 86400;

// Seconds add and subtract as plain 32-bit integers: a total past the limit wraps around
// rather than failing, as the host has always seen it.
std::uint32_t seconds_of(TimeTextConversions& self, const Variant& time) {
    return static_cast<std::uint32_t>(self.Hrs2Seg(time));
}

Text time_text_of(TimeTextConversions& self, std::uint32_t seconds) {
    return self.Seg2Hrs(static_cast<std::int32_t>(seconds));
}

// An omitted or empty optional time is neither converted nor counted. A Null one cannot be
// measured and fails as invalid use of Null.
bool is_given(const Variant& time) {
    if (time.is_missing()) {
        return false;
    }
    Text storage;
    return !text_view_of(time, storage).empty();
}

} // namespace

Text sum_time_texts(TimeTextConversions& self, const Variant& first, const Variant& second,
                    const Variant& third, const Variant& fourth, const Variant& fifth,
                    const Variant& sixth) {
    std::uint32_t total = seconds_of(self, first);
    total += seconds_of(self, second);
    for (const Variant* optional : {&third, &fourth, &fifth, &sixth}) {
        if (is_given(*optional)) {
            total += seconds_of(self, *optional);
        }
    }
    return time_text_of(self, total);
}

Text subtract_time_texts(TimeTextConversions& self, const Variant& first, const Variant& second) {
    std::uint32_t difference = seconds_of(self, first);
    difference -= seconds_of(self, second);
    return time_text_of(self, difference);
}

bool reaches_a_day(std::int32_t seconds) {
    return seconds >= SecondsPerDay;
}

void delay(std::int32_t level, const Clock& clock) {
    // The count of the level's pause; every 150,000 of it is one millisecond, and no pause is
    // longer than 13 ms, so a progress window's run-down stays brisk at any level.
    constexpr std::int64_t CountPerMillisecond = 150000;
    constexpr std::int64_t LongestPause = 13;
    const std::int64_t count = (static_cast<std::int64_t>(level) + 3) * CountPerMillisecond;
    const std::int64_t pause =
        std::clamp<std::int64_t>(count / CountPerMillisecond, 0, LongestPause);
    clock.sleep_milliseconds(static_cast<int>(pause));
}

} // namespace orbek
