// The companion as the component's callers meet it in tests: the companion's own operations,
// with every call written down ("PadText 9 2", "PadText 9 2 with fill", "DaysInMonth 4 2025",
// "DecodeText abc", "ToBitText 5"), answers a test may set in place of the companion's, and
// one chosen call that fails instead.
#pragma once

#include "automation/vb_error.h"
#include "recording_window_layer.h"
#include "sys_tools_impl.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orbek::testing {

class RecordingSysTools final : public SysTools {
  public:
    // The call with this 0-based index, counting every operation, fails with `number`.
    void fail_call(std::size_t index, int number) {
        failing_call_ = index;
        failure_number_ = number;
    }

    std::vector<std::string> calls;
    std::optional<std::int16_t> days_in_month; // even one the month cannot have
    std::optional<Text> decoded_text;
    std::optional<Text> bit_text;

    Text PadText(TextView text, std::int16_t width, const Variant& fill) override {
        enter("PadText " + to_utf8(text) + " " + std::to_string(width) +
              (fill.is_missing() ? "" : " with fill"));
        return real_.PadText(text, width, fill);
    }
    std::int16_t DaysInMonth(std::int16_t month, std::int16_t year) override {
        enter("DaysInMonth " + std::to_string(month) + " " + std::to_string(year));
        return days_in_month ? *days_in_month : real_.DaysInMonth(month, year);
    }
    Text DecodeText(TextView encoded) override {
        enter("DecodeText " + to_utf8(encoded));
        return decoded_text ? *decoded_text : real_.DecodeText(encoded);
    }
    Text ToBitText(TextView number) override {
        enter("ToBitText " + to_utf8(number));
        return bit_text ? *bit_text : real_.ToBitText(number);
    }
    void ShowSystemInfo(const Variant& show, bool wait) override {
        enter("ShowSystemInfo");
        real_.ShowSystemInfo(show, wait);
    }
    void CloseEffect(std::int32_t start, std::int32_t height, std::int32_t style,
                     const Variant& window) override {
        enter("CloseEffect");
        real_.CloseEffect(start, height, style, window);
    }
    Text DateToText(const Variant& date, TextView style, TextView prefix, bool with_weekday,
                    bool with_year) override {
        enter("DateToText");
        return real_.DateToText(date, style, prefix, with_weekday, with_year);
    }
    Text EncodeText(TextView plain) override {
        enter("EncodeText");
        return real_.EncodeText(plain);
    }

  private:
    void enter(std::string call) {
        const std::size_t index = calls.size();
        calls.push_back(std::move(call));
        if (failing_call_ == index) {
            throw VbError(failure_number_);
        }
    }

    RecordingWindowLayer windows_;
    SysToolsImpl real_{windows_};
    std::optional<std::size_t> failing_call_;
    int failure_number_ = vb::InvalidProcedureCall;
};

} // namespace orbek::testing
