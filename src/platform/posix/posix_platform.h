// The native build's platform: our own implementation of every service, over POSIX. The host
// (the command line, the tests) supplies what only it can know.
#pragma once

#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/window_layer.h"

namespace orbek {

class PosixPlatform {
  public:
    struct Host {
        const Clock& clock;
        // How the companion's closing effect and system information are shown.
        WindowLayer& companion_windows;
        // How the component's message reaches the user.
        UserMessageBox& message_box;
        // False: runs as on a machine where the companion library cannot be created.
        bool companion_available = true;
    };

    explicit PosixPlatform(Host host);
    PosixPlatform(const PosixPlatform&) = delete;
    PosixPlatform& operator=(const PosixPlatform&) = delete;

    const Platform& platform() const { return platform_; }
    // As if the companion library were taken away (or given back) from now on.
    void set_companion_available(bool available) { host_.companion_available = available; }

  private:
    Host host_;
    Platform platform_;
};

} // namespace orbek
