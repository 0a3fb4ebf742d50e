// Our SysTools: the companion library's operations, on any platform.
#pragma once

#include "platform/sys_tools.h"
#include "platform/window_layer.h"

namespace orbek {

class SysToolsImpl final : public SysTools {
  public:
    explicit SysToolsImpl(WindowLayer& windows) : windows_(windows) {}

    void ShowSystemInfo(Variant& show, bool& wait) override;
    void CloseEffect(std::int32_t& start, std::int32_t& height, std::int32_t style,
                     const Variant& window) override;
    Text PadText(Text& text, std::int16_t width, const Variant& fill) override;
    Text DecodeText(Text encoded) override;
    Text ToBitText(Text number) override;
    std::int16_t DaysInMonth(std::int16_t& month, std::int16_t& year) override;
    Text DateToText(const Variant& date, Text style, Text prefix, bool with_weekday,
                    bool with_year) override;
    Text EncodeText(Text plain) override;

  private:
    WindowLayer& windows_;
};

} // namespace orbek
