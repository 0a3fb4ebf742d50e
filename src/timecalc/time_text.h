// Time texts (HH:MM:SS, short form HH:MM) read at fixed character positions, and back.
#pragma once

#include "automation/currency.h"
#include "automation/text.h"
#include "automation/variant.h"
#include "platform/sys_tools.h"

#include <cstdint>

namespace orbek {

std::int32_t time_text_to_seconds(const Variant& time);           // Hrs2Seg
Text seconds_to_time_text(std::int32_t seconds, SysTools& tools); // Seg2Hrs
Text fill_hours(Text& hours, SysTools& tools);                    // Fillhours
Currency decimal_hours(TextView time);                            // HrsNumericas

// The leading number of a piece of at most two characters (leading_number), read directly in
// the usual cases.
double piece_number(TextView piece);

// A piece's number as the host's language keeps it after writing it as text and reading it
// back (15 significant digits). Identity for every number a piece of at most two characters
// can hold, which is why the time texts skip it.
double through_decimal_text(double number);

} // namespace orbek
