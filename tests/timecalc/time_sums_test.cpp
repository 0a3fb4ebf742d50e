#include "support/error_number.h"
#include "support/recording_sys_tools.h"
#include "support/recording_time_object.h"
#include "timecalc/time_sums.h"

#include <gtest/gtest.h>
#include <limits>

namespace orbek {
namespace {

using testing::error_number;
using testing::RecordingSysTools;
using testing::RecordingTimeObject;
using Calls = std::vector<std::string>;
constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();

struct SumCase {
    std::vector<Variant> times; // Hora1 .. Hora6, the ones not listed omitted
    Text result;
    std::vector<const char*> converted; // the texts given to Hrs2Seg, in order
    std::int32_t total;                 // given to Seg2Hrs
};

Calls calls_of(const SumCase& c) {
    Calls calls;
    for (const char* text : c.converted)
        calls.push_back("Hrs2Seg(" + std::string(text) + ")");
    calls.push_back("Seg2Hrs(" + std::to_string(c.total) + ")");
    return calls;
}

Text sum(TimeTextConversions& self, std::vector<Variant> times) {
    times.resize(6, Variant::missing());
    return sum_time_texts(self, times[0], times[1], times[2], times[3], times[4], times[5]);
}

TEST(TimeSums, AddsTheGivenTimesInOrder) {
    const Variant missing = Variant::missing();
    const char* second = "00:00:01";
    // clang-format off
    const SumCase cases[] = {
        {{u"01:30:00", u"00:45:30"}, u"02:15:30", {"01:30:00", "00:45:30"}, 8130},
        {{u"01:30:00", u"00:45:30", u"00:00:30"}, u"02:16:00",
         {"01:30:00", "00:45:30", "00:00:30"}, 8160},
        {{u"23:00:00", u"02:00:00"}, u"25:00:00", {"23:00:00", "02:00:00"}, 90000},
        // The required times are always converted, even empty; empty optionals are skipped.
        {{u"", u""}, u"00:00:00", {"", ""}, 0},
        {{u"01:00:00", u"", u"", u"", u"00:00:05"}, u"01:00:05", {"01:00:00", "", "00:00:05"},
         3605},
        {{u"00:00:01", u"00:00:01", missing, Variant(), u"00:00:01", u"00:00:01"}, u"00:00:04",
         {second, second, second, second}, 4},
        // A blank optional has a length, so it is converted (and counts 0).
        {{u"00:00:01", u"00:00:01", u" "}, u"00:00:02", {second, second, " "}, 2},
        {{Variant(std::int32_t{5}), u"", Variant(std::int32_t{0})}, u"05:00:05", {"5", "", "0"},
         18005}};
    const SumCase differences[] = {
        {{u"10:00:00", u"08:30:00"}, u"01:30:00", {"10:00:00", "08:30:00"}, 5400},
        {{u"08:30:00", u"10:00:00"}, u"-2:-30:00", {"08:30:00", "10:00:00"}, -5400},
        {{u"", u"00:00:30"}, u"-1:-1:-30", {"", "00:00:30"}, -30}};
    // clang-format on
    RecordingSysTools tools;
    for (const SumCase& c : cases) {
        RecordingTimeObject self(tools);
        EXPECT_EQ(sum(self, c.times), c.result);
        EXPECT_EQ(self.calls, calls_of(c));
    }
    for (const SumCase& c : differences) {
        RecordingTimeObject self(tools);
        Variant first = c.times[0], second = c.times[1];
        EXPECT_EQ(subtract_time_texts(self, first, second), c.result);
        EXPECT_EQ(self.calls, calls_of(c));
    }
}

TEST(TimeSums, ThirtyTwoBitTotalsWrapAround) {
    RecordingSysTools tools;
    RecordingTimeObject adding(tools), subtracting(tools);
    adding.scripted_seconds = {Max, 1};
    sum(adding, {u"a", u"b"});
    EXPECT_EQ(adding.calls.back(), "Seg2Hrs(" + std::to_string(Min) + ")");
    subtracting.scripted_seconds = {Min, 1};
    Variant first(Text(u"a")), second(Text(u"b"));
    subtract_time_texts(subtracting, first, second);
    EXPECT_EQ(subtracting.calls.back(), "Seg2Hrs(" + std::to_string(Max) + ")");
}

TEST(TimeSums, FailuresEndTheCall) {
    const auto fails = [](RecordingTimeObject& self, std::vector<Variant> times) {
        return error_number([&] { sum(self, times); });
    };
    const Variant null = Variant::null();
    RecordingSysTools tools, failing;
    RecordingTimeObject self(tools), second_null(tools), with_failing_pad(failing);
    EXPECT_EQ(fails(self, {u"01:00:00", u"", null}), vb::InvalidUseOfNull);
    EXPECT_EQ(self.calls.size(), 2u) << "the Null time is not converted";
    EXPECT_EQ(fails(second_null, {u"01:00:00", null}), vb::InvalidUseOfNull);
    failing.fail_call(1, vb::ObjectNotSet);
    EXPECT_EQ(fails(with_failing_pad, {u"01:00:00", u"00:30:00"}), vb::ObjectNotSet);
}

TEST(TimeSums, ADayIsReachedAt86400Seconds) {
    const std::pair<std::int32_t, bool> cases[] = {{86399, false}, {86400, true}, {86401, true},
                                                   {-5, false},    {0, false},    {Max, true},
                                                   {Min, false}};
    for (const auto& [seconds, reaches] : cases)
        EXPECT_EQ(reaches_a_day(seconds), reaches) << seconds;
}

class SleepLog final : public Clock {
  public:
    double now() const override { return 0; }
    void sleep_milliseconds(int milliseconds) const override { sleeps.push_back(milliseconds); }
    mutable std::vector<int> sleeps;
};

TEST(TimeSums, DelayPausesBrieflyByLevel) {
    const std::pair<std::int32_t, int> cases[] = {{2, 5},   {1, 4},     {5, 8},    {10, 13},
                                                  {0, 3},   {-2, 1},    {-3, 0},   {-4, 0},
                                                  {11, 13}, {1000, 13}, {Max, 13}, {Min, 0}};
    for (const auto& [level, milliseconds] : cases) {
        SleepLog clock;
        delay(level, clock);
        EXPECT_EQ(clock.sleeps, std::vector<int>{milliseconds}) << level;
    }
}

} // namespace
} // namespace orbek
