// Sums and differences of time texts, built on the object's own public conversions.
#pragma once

#include "automation/text.h"
#include "automation/variant.h"
#include "platform/clock.h"
#include "shell/orbek_interface.h"

#include <cstdint>

namespace orbek {

Text sum_time_texts(OrbekInterface& self, Variant& first, Variant& second, Variant& third,
                    Variant& fourth, Variant& fifth, Variant& sixth);            // SumaHoras
Text subtract_time_texts(OrbekInterface& self, Variant& first, Variant& second); // RestaHoras
bool reaches_a_day(std::int32_t seconds);                                        // MasDeUnDia
void delay(std::int32_t level, const Clock& clock);                              // Delay

} // namespace orbek
