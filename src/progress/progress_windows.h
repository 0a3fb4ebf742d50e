// What the progress methods keep between calls and what they work with.
#pragma once

#include "platform/sys_tools.h"
#include "platform/window_toolkit.h"

#include <cstdint>
#include <memory>

namespace orbek {

// The object's own public Delay: the run-down pauses through it, so it pauses exactly as a
// host calling Delay would see it.
class DelayMethod {
  public:
    virtual void Delay(std::int32_t Nivel_1_10) = 0;

  protected:
    ~DelayMethod() = default;
};

// The thread's two progress windows, each made on first use and kept between calls.
struct ProgressWindows {
    std::unique_ptr<Form> single_bar; // FrmProgressBar
    std::unique_ptr<Form> two_bar;    // FrmProgShow
};

// The platform and the object a progress call works with.
struct ProgressServices {
    WindowToolkit& toolkit;
    DelayMethod& self;
    SysTools& sys_tools; // the thread's companion, asked only for the closing effect
};

} // namespace orbek
