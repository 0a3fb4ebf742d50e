// Our SysTools: the companion library's operations, on any platform.
#pragma once

#include "platform/sys_tools.h"
#include "platform/window_layer.h"

namespace orbek {

class SysToolsImpl final : public SysTools {
  public:
    explicit SysToolsImpl(WindowLayer& windows) : windows_(windows) {}

    void ShowSystemInfo(const Variant& show, bool wait) override;
    void CloseEffect(std::int32_t start, std::int32_t height, std::int32_t style,
                     const Variant& window) override;
    Text PadText(TextView text, std::int16_t width, const Variant& fill) override;
    Text DecodeText(TextView encoded) override;
    Text ToBitText(TextView number) override;
    std::int16_t DaysInMonth(std::int16_t month, std::int16_t year) override;
    Text DateToText(const Variant& date, TextView style, TextView prefix, bool with_weekday,
                    bool with_year) override;
    Text EncodeText(TextView plain) override;

  private:
    WindowLayer& windows_;
};

} // namespace orbek
