// Sums and differences of time texts, built on the object's own public conversions.
#pragma once

#include "automation/text.h"
#include "automation/variant.h"
#include "platform/clock.h"

#include <cstdint>

namespace orbek {

// The object's own public conversions, which sums and differences go through so that they
// behave exactly as a host calling those methods sees them.
class TimeTextConversions {
  public:
    virtual std::int32_t Hrs2Seg(const Variant& Horas) = 0;
    virtual Text Seg2Hrs(std::int32_t Segundos) = 0;

  protected:
    ~TimeTextConversions() = default;
};

Text sum_time_texts(TimeTextConversions& self, const Variant& first, const Variant& second,
                    const Variant& third, const Variant& fourth, const Variant& fifth,
                    const Variant& sixth); // SumaHoras
Text subtract_time_texts(TimeTextConversions& self, const Variant& first,
                         const Variant& second);    // RestaHoras
bool reaches_a_day(std::int32_t seconds);           // MasDeUnDia
void delay(std::int32_t level, const Clock& clock); // Delay

} // namespace orbek
