// Stands in for the thread's SysTools while no class start could make one: every call
// fails as a call on an object variable that was never set.
#pragma once

#include "platform/sys_tools.h"

namespace orbek {

class MissingSysTools final : public SysTools {
  public:
    void ShowSystemInfo(const Variant&, bool) override { fail(); }
    void CloseEffect(std::int32_t, std::int32_t, std::int32_t, const Variant&) override { fail(); }
    Text PadText(TextView, std::int16_t, const Variant&) override { fail(); }
    Text DecodeText(TextView) override { fail(); }
    Text ToBitText(TextView) override { fail(); }
    std::int16_t DaysInMonth(std::int16_t, std::int16_t) override { fail(); }
    Text DateToText(const Variant&, TextView, TextView, bool, bool) override { fail(); }
    Text EncodeText(TextView) override { fail(); }

  private:
    [[noreturn]] static void fail();
};

} // namespace orbek
