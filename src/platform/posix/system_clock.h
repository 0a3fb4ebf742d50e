// The machine's local time and a real sleep.
#pragma once

#include "platform/clock.h"

namespace orbek {

class SystemClock final : public Clock {
  public:
    double now() const override;
    void sleep_milliseconds(int milliseconds) const override;
};

} // namespace orbek
