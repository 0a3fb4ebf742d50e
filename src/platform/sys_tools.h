// The companion library's SysTools object as the component calls it, one per thread. Every
// failure is a VbError, which becomes the error of the component method that made the call.
#pragma once

#include "automation/text.h"
#include "automation/variant.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace orbek {

class SysTools {
  public:
    virtual ~SysTools() = default;

    virtual void ShowSystemInfo(const Variant& show, bool wait) = 0;
    // Plays the closing effect on the window and returns when it has ended.
    virtual void CloseEffect(std::int32_t start, std::int32_t height, std::int32_t style,
                             const Variant& window) = 0;
    // The text right-aligned to the width with leading zeros; a longer text comes back as is.
    virtual Text PadText(TextView text, std::int16_t width, const Variant& fill) = 0;
    virtual Text DecodeText(TextView encoded) = 0;
    virtual Text ToBitText(TextView number) = 0;
    virtual std::int16_t DaysInMonth(std::int16_t month, std::int16_t year) = 0;
    virtual Text DateToText(const Variant& date, TextView style, TextView prefix, bool with_weekday,
                            bool with_year) = 0;
    virtual Text EncodeText(TextView plain) = 0;
};

// Makes a new SysTools object; throws VbError when the companion cannot be created.
using SysToolsFactory = std::function<std::shared_ptr<SysTools>()>;

} // namespace orbek
