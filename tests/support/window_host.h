// A thread's worth of progress windows on the headless window model, with an object whose
// Delay and a companion whose window calls write into the same record, so that a test reads
// one sequence of everything a call did (the splash window's tests use the companion too).
#pragma once

#include "automation/vb_error.h"
#include "platform/posix/headless_window_toolkit.h"
#include "platform/sys_tools.h"
#include "progress/progress_windows.h"
#include "support/error_number.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace orbek::testing {

using Lines = std::vector<std::string>;

class RecordingDelay final : public DelayMethod {
  public:
    explicit RecordingDelay(HeadlessWindowToolkit& record) : record_(record) {}
    void Delay(std::int32_t level) override { record_.record("Delay " + std::to_string(level)); }

  private:
    HeadlessWindowToolkit& record_;
};

// Records CloseEffect with the name of the window whose handle it was given, failing it with a
// chosen error when asked to, and ShowSystemInfo with its arguments.
class RecordingCompanion final : public SysTools {
  public:
    explicit RecordingCompanion(HeadlessWindowToolkit& record) : record_(record) {}

    std::optional<int> close_effect_error;

    void CloseEffect(std::int32_t start, std::int32_t height, std::int32_t style,
                     const Variant& window) override {
        const std::string target =
            window.holds<std::int32_t>() ? record_.form_name_of(window.as<std::int32_t>()) : "";
        record_.record("CloseEffect " + std::to_string(start) + ", " + std::to_string(height) +
                       ", " + std::to_string(style) + ", " +
                       (target.empty() ? describe_value(window) : target));
        if (close_effect_error) {
            throw VbError(*close_effect_error);
        }
    }
    void ShowSystemInfo(const Variant& show, bool wait) override {
        record_.record("ShowSystemInfo " + describe_value(show) + ", " + (wait ? "True" : "False"));
    }
    Text PadText(TextView, std::int16_t, const Variant&) override { unsupported(); }
    Text DecodeText(TextView) override { unsupported(); }
    Text ToBitText(TextView) override { unsupported(); }
    std::int16_t DaysInMonth(std::int16_t, std::int16_t) override { unsupported(); }
    Text DateToText(const Variant&, TextView, TextView, bool, bool) override { unsupported(); }
    Text EncodeText(TextView) override { unsupported(); }

  private:
    [[noreturn]] static void unsupported() { throw VbError(vb::ActionNotSupported); }
    HeadlessWindowToolkit& record_;
};

inline Lines joined(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

struct ProgressHost {
    HeadlessWindowToolkit toolkit;
    RecordingDelay delay{toolkit};
    RecordingCompanion companion{toolkit};
    ProgressWindows windows; // after the toolkit, so the forms go first
    ProgressServices services{toolkit, delay, companion};

    Lines take() { return toolkit.take_operations(); }
};

// The calls a thread makes, then the error and the lines of the last of them; the companion's
// CloseEffect fails with that error in the last call.
template <typename Call> struct CallsCase {
    const char* name;
    std::vector<Call> calls;
    Lines lines;
    int error = 0;
};

template <typename Call, std::size_t N>
void expect_calls(const CallsCase<Call> (&cases)[N], void (*make)(ProgressHost&, const Call&)) {
    for (const CallsCase<Call>& c : cases) {
        ProgressHost host;
        for (std::size_t i = 0; i + 1 < c.calls.size(); ++i) {
            make(host, c.calls[i]);
        }
        host.take();
        if (c.error != 0) {
            host.companion.close_effect_error = c.error;
        }
        EXPECT_EQ(error_number([&] { make(host, c.calls.back()); }), c.error) << c.name;
        EXPECT_EQ(host.take(), c.lines) << c.name;
    }
}

} // namespace orbek::testing
