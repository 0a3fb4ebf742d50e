// What the date tests run against: a clock that stands still, a message box that records,
// and the real companion operations behind a recorder that can fail a chosen call.
#pragma once

#include "automation/ole_date.h"
#include "automation/vb_error.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "recording_window_layer.h"
#include "sys_tools_impl.h"

#include <optional>
#include <string>
#include <vector>

namespace orbek::testing {

class FixedClock final : public Clock {
  public:
    explicit FixedClock(const DateParts& now) : now_(*ole_date_from_parts(now)) {}
    double now() const override { return now_; }
    void sleep_milliseconds(int) const override {}

  private:
    double now_;
};

struct ShownMessage {
    Text message;
    Text title;
};

class RecordingMessageBox final : public UserMessageBox {
  public:
    void show_information(TextView message, TextView title) override {
        shown.push_back({Text(message), Text(title)});
    }
    std::vector<ShownMessage> shown;
};

// The companion's own DaysInMonth and PadText, with every call written down as
// "DaysInMonth 4 2025" or "PadText 7 2".
class RecordingSysTools final : public SysTools {
  public:
    // The first call of this operation ("DaysInMonth", "PadText") fails with `number`.
    void fail(std::string operation, int number) {
        failing_ = std::move(operation);
        failure_number_ = number;
    }
    // DaysInMonth answers this instead of the month's length.
    std::optional<std::int16_t> days_answer;
    std::vector<std::string> calls;

    std::int16_t DaysInMonth(std::int16_t month, std::int16_t year) override {
        enter("DaysInMonth " + std::to_string(month) + " " + std::to_string(year));
        const std::int16_t days = real_.DaysInMonth(month, year);
        return days_answer.value_or(days);
    }
    Text PadText(TextView text, std::int16_t width, const Variant& fill) override {
        enter("PadText " + to_utf8(text) + " " + std::to_string(width) +
              (fill.is_missing() ? "" : " with fill"));
        return real_.PadText(text, width, fill);
    }
    void ShowSystemInfo(const Variant&, bool) override { unexpected(); }
    void CloseEffect(std::int32_t, std::int32_t, std::int32_t, const Variant&) override {
        unexpected();
    }
    Text DecodeText(TextView) override { unexpected(); }
    Text ToBitText(TextView) override { unexpected(); }
    Text DateToText(const Variant&, TextView, TextView, bool, bool) override { unexpected(); }
    Text EncodeText(TextView) override { unexpected(); }

  private:
    void enter(const std::string& call) {
        calls.push_back(call);
        if (!failing_.empty() && call.starts_with(failing_ + " ")) {
            failing_.clear();
            throw VbError(failure_number_);
        }
    }
    [[noreturn]] static void unexpected() {
        throw VbError(vb::ActionNotSupported, "the date services never call this");
    }

    RecordingWindowLayer windows_;
    SysToolsImpl real_{windows_};
    std::string failing_;
    int failure_number_ = 0;
};

} // namespace orbek::testing
