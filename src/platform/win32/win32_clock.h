// The machine's local time and a real sleep, from kernel32.
#pragma once

#include "platform/clock.h"

namespace orbek {

class Win32Clock final : public Clock {
  public:
    double now() const override;
    void sleep_milliseconds(int milliseconds) const override;
};

} // namespace orbek
