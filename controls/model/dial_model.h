// What the dial shows of its value: a needle over an arc of 240 degrees, from the lower left
// (0) round through the top to the lower right (full scale), and a readout of the value in
// the gap below.
#pragma once

#include "automation/currency.h"
#include "automation/text.h"

namespace orbek::controls {

inline constexpr double DialStartDegrees = 210; // where 0 lies, counter-clockwise from 3 o'clock
inline constexpr double DialSweepDegrees = 240;

// The value at the end of the scale: the stored "max" when above 0; 0 (how the dial is
// designed) or less selects the usual 100.
double dial_full_scale(float stored_max);

// The needle's direction in degrees, counter-clockwise from 3 o'clock; values outside the
// scale put it at the nearer end.
double dial_needle_degrees(Currency value, float stored_max);

// The readout: the value as stored, with up to four decimals, and a per cent sign.
Text dial_readout(Currency value);

} // namespace orbek::controls
