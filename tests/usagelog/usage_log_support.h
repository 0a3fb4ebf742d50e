// What the usage log's tests share: a drive C: of its own in a temporary folder with
// C:\Kalvix\ in it, a clock standing at Saturday 05/12/2026 14:30:15, the real companion or one
// whose DateToText fails, and the fixed lines the files must hold, as bytes.
#pragma once

#include "automation/ole_date.h"
#include "automation/vb_error.h"
#include "platform/posix/posix_file_system.h"
#include "recording_window_layer.h"
#include "shell/missing_sys_tools.h"
#include "sys_tools_impl.h"
#include "usagelog/usage_log_state.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <initializer_list>
#include <iterator>
#include <unistd.h>

namespace orbek::testing {

class StillClock final : public Clock {
  public:
    double moment = *ole_date_from_parts({2026, 12, 5, 14, 30, 15});
    double now() const override { return moment; }
    void sleep_milliseconds(int) const override {}
};

class DriveC : public ::testing::Test {
  protected:
    DriveC() {
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "Kalvix");
    }
    ~DriveC() override { std::filesystem::remove_all(root_); }

    std::filesystem::path at(const char* relative) const { return root_ / relative; }
    std::string bytes_of(const char* relative) const { // "" when missing
        std::ifstream in(at(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void put_file(const char* relative, const std::string& bytes = "x") const {
        std::ofstream(at(relative), std::ios::binary) << bytes;
    }
    UsageLogPlatform platform() {
        return {files_, clock_, companion_fails_ ? static_cast<SysTools&>(failing_) : companion_};
    }

    const std::filesystem::path root_ =
        std::filesystem::temp_directory_path() /
        ("orbek-log-" + std::to_string(::getpid()) + "-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    PosixFileSystem files_{WindowsPaths(root_)};
    StillClock clock_;
    RecordingWindowLayer windows_;
    SysToolsImpl companion_{windows_};
    MissingSysTools failing_; // every call fails with error 91
    bool companion_fails_ = false;
    UsageLogState state_;
};

inline std::string crlf_lines(std::initializer_list<std::string> lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

inline const std::string Now = "05/12/2026 14:30:15";
inline const std::string TodayText = "s\xe1"
                                     "bado, 5 de diciembre de 2026";
inline const std::string Stars(60, '*');
inline const std::string Blank = "*" + std::string(58, ' ') + "*";
inline const std::string Company = "*              Kalvix Sistemas, S.A. de C.V.               *";
inline const std::string Street = "*   Av. Miramar 2140, Piso 3 - Tel. (33) 3555-0142         *";
inline const std::string Web = "*   http://www.kalvix-sistemas.example                     *";
inline const std::string Sales = "*   Ventas: ventas@kalvix-sistemas.example                 *";
inline const std::string Support = "*   Soporte: soporte@kalvix-sistemas.example               *";
inline const std::string Initials = "*                                                     (QLB)*";
inline const std::string ClosingVersion =
    "***** \xabTesmara 2\xbb, Versi\xf3n: 7.1 " + TodayText + " *****";

} // namespace orbek::testing
