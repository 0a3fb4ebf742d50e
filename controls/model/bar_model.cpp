#include "model/bar_model.h"

#include <algorithm>

namespace orbek::controls {

int bar_fill_width(std::int32_t value, int inner_width) {
    if (inner_width <= 0) {
        return 0;
    }
    const std::int64_t shown = std::clamp<std::int32_t>(value, 0, 100);
    // To the nearest pixel, so that 50 fills exactly half of an even width.
    return static_cast<int>((shown * inner_width + 50) / 100);
}

} // namespace orbek::controls
