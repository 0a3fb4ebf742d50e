// Stands in for the thread's SysTools while no class start could make one: every call
// fails as a call on an object variable that was never set.
#pragma once

#include "platform/sys_tools.h"

namespace orbek {

class MissingSysTools final : public SysTools {
  public:
    void ShowSystemInfo(Variant&, bool&) override { fail(); }
    void CloseEffect(std::int32_t&, std::int32_t&, std::int32_t, const Variant&) override {
        fail();
    }
    Text PadText(Text&, std::int16_t, const Variant&) override { fail(); }
    Text DecodeText(Text) override { fail(); }
    Text ToBitText(Text) override { fail(); }
    std::int16_t DaysInMonth(std::int16_t&, std::int16_t&) override { fail(); }
    Text DateToText(const Variant&, Text, Text, bool, bool) override { fail(); }
    Text EncodeText(Text) override { fail(); }

  private:
    [[noreturn]] static void fail();
};

} // namespace orbek
