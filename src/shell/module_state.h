// What the component keeps between calls, one copy per thread: objects on one thread share
// it, objects on different threads never see each other's.
#pragma once

#include "platform/sys_tools.h"
#include "progress/progress_windows.h"
#include "usagelog/usage_log_state.h"
#include "splash/splash_window.h"

#include <memory>

namespace orbek {

struct ModuleState {
    // Made by every class start, replacing the one before; empty until the first.
    std::shared_ptr<SysTools> sys_tools;
    // FrmProgressBar and FrmProgShow, each made on first use.
    ProgressWindows progress;
    // The open usage log and any folder marker left half-written.
    UsageLogState usage_log;
    // Frm_Splash with the texts sSplash stored, made on first use.
    SplashState splash;
};

} // namespace orbek
