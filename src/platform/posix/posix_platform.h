// The native build's platform: our own implementation of every service, over POSIX. Windows are
// a headless model that records what is done to them; the host (the command line, the tests)
// supplies what only it can know.
#pragma once

#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/posix/fixed_component_file.h"
#include "platform/posix/headless_companion_windows.h"
#include "platform/posix/headless_window_toolkit.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_profile_store.h"
#include "platform/posix/windows1252_code_page.h"

#include <filesystem>

namespace orbek {

class PosixPlatform {
  public:
    struct Host {
        const Clock& clock;
        // How the component's message reaches the user.
        UserMessageBox& message_box;
        // The folder that stands for drive C: ("C:\Kalvix\Tesmara.Log" lies below it).
        std::filesystem::path c_root;
        // False: runs as on a machine where the companion library cannot be created.
        bool companion_available = true;
    };

    explicit PosixPlatform(Host host);
    PosixPlatform(const PosixPlatform&) = delete;
    PosixPlatform& operator=(const PosixPlatform&) = delete;

    const Platform& platform() const { return platform_; }
    // What was done to the windows (and by the companion to them), in order.
    HeadlessWindowToolkit& windows() { return windows_; }
    // As if the companion library were taken away (or given back) from now on.
    void set_companion_available(bool available) { host_.companion_available = available; }

  private:
    std::shared_ptr<SysTools> make_companion();

    Host host_;
    HeadlessWindowToolkit windows_;
    HeadlessCompanionWindows companion_windows_{windows_};
    PosixFileSystem files_;
    PosixProfileStore profiles_;
    Windows1252CodePage ansi_;
    FixedComponentFile component_;
    Platform platform_;
};

} // namespace orbek
