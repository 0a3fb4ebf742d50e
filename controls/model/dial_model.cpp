#include "model/dial_model.h"

#include "automation/conversions.h"

#include <algorithm>

namespace orbek::controls {

double dial_full_scale(float stored_max) {
    return stored_max > 0 ? static_cast<double>(stored_max) : 100.0;
}

double dial_needle_degrees(Currency value, float stored_max) {
    const double fraction = std::clamp(value.to_double() / dial_full_scale(stored_max), 0.0, 1.0);
    return DialStartDegrees - DialSweepDegrees * fraction;
}

Text dial_readout(Currency value) {
    return currency_to_text(value) + u"%";
}

} // namespace orbek::controls
