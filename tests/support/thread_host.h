// OrbekDLL objects on one simulated thread of the native platform, with our companion and a
// clock that stands still and only records the pauses asked of it.
#pragma once

#include "platform/posix/posix_platform.h"
#include "shell/module_state.h"
#include "shell/orbek_object.h"

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace orbek::testing {

class RecordingClock final : public Clock {
  public:
    double now() const override { return 46361.5; } // 05/12/2026 12:00:00
    void sleep_milliseconds(int milliseconds) const override { sleeps.push_back(milliseconds); }
    mutable std::vector<int> sleeps;
};

// The messages shown to the user, as "title|text".
class RecordingMessageBox final : public UserMessageBox {
  public:
    void show_information(TextView message, TextView title) override {
        shown.push_back(Text(title) + u"|" + Text(message));
    }
    std::vector<Text> shown;
};

// A folder of its own under the system's temporary folder, removed with its contents.
class TemporaryFolder {
  public:
    TemporaryFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("orbek-" + std::to_string(::getpid()) + "-" + std::to_string(++count_))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    static inline int count_ = 0;
    std::filesystem::path path_;
};

struct ThreadHost {
    RecordingClock clock;
    RecordingMessageBox messages;
    TemporaryFolder c_root;
    PosixPlatform posix{{clock, messages, c_root.path()}};
    ModuleState state;

    std::unique_ptr<OrbekObject> create() {
        return std::make_unique<OrbekObject>(state, posix.platform());
    }
};

} // namespace orbek::testing
