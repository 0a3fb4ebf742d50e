// A SysTools double for tests of the component's callers: it records every call in order,
// answers PadText with the text in angle brackets (so a test sees exactly which texts went
// through the companion), answers DecodeText and ToBitText with the texts it is given, and
// fails any chosen call with a chosen error.
#pragma once

#include "automation/vb_error.h"
#include "platform/sys_tools.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orbek::testing {

class FakeSysTools final : public SysTools {
  public:
    struct PadCall {
        Text text;
        std::int16_t width;
        bool fill_missing;
        friend bool operator==(const PadCall&, const PadCall&) = default;
    };

    // Makes the call with this 0-based index (counting every operation) fail.
    void fail_call(std::size_t index, int number) {
        failing_call_ = index;
        failure_number_ = number;
    }

    std::vector<std::string> operations; // operation names in call order
    std::vector<PadCall> pad_calls;
    std::vector<Text> decode_inputs;
    std::vector<Text> bit_text_inputs;
    Text decoded_text; // DecodeText's answer
    Text flag_text;    // ToBitText's answer

    Text PadText(TextView text, std::int16_t width, const Variant& fill) override {
        pad_calls.push_back({Text(text), width, fill.is_missing()});
        enter("PadText");
        return u"<" + Text(text) + u">";
    }
    Text DecodeText(TextView encoded) override {
        decode_inputs.emplace_back(encoded);
        enter("DecodeText");
        return decoded_text;
    }
    Text ToBitText(TextView number) override {
        bit_text_inputs.emplace_back(number);
        enter("ToBitText");
        return flag_text;
    }

    // No caller under test needs an answer from these.
    void ShowSystemInfo(const Variant&, bool) override { unsupported(); }
    void CloseEffect(std::int32_t, std::int32_t, std::int32_t, const Variant&) override {
        unsupported();
    }
    std::int16_t DaysInMonth(std::int16_t, std::int16_t) override { unsupported(); }
    Text DateToText(const Variant&, TextView, TextView, bool, bool) override { unsupported(); }
    Text EncodeText(TextView) override { unsupported(); }

  private:
    // Records the operation and throws when it is the one chosen to fail.
    void enter(const char* operation) {
        const std::size_t index = operations.size();
        operations.emplace_back(operation);
        if (failing_call_ == index) {
            throw VbError(failure_number_);
        }
    }
    [[noreturn]] static void unsupported() {
        throw VbError(vb::ActionNotSupported, "not part of the SysTools test double");
    }

    std::optional<std::size_t> failing_call_;
    int failure_number_ = vb::InvalidProcedureCall;
};

} // namespace orbek::testing
