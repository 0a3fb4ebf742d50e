// Today's date and time, and the one kind of waiting the component does.
#pragma once

namespace orbek {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual double now() const = 0; // local date and time as an OLE date
    virtual void sleep_milliseconds(int milliseconds) const = 0;
};

} // namespace orbek
