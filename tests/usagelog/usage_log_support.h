// What the usage log's tests share: a drive C: in a temporary folder, a clock that stands
// still, a SysTools that answers DateToText as the companion does (or fails it on demand)
// and records how it was asked, and the expected bytes of the fixed blocks.
#pragma once

#include "automation/ole_date.h"
#include "automation/vb_error.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/recording_window_layer.h"
#include "sys_tools_impl.h"
#include "usagelog/usage_log_state.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <initializer_list>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace orbek::testing {

class StillClock final : public Clock {
  public:
    double moment = 0;
    double now() const override { return moment; }
    void sleep_milliseconds(int) const override {}
};

class DateTextTools final : public SysTools {
  public:
    struct Call {
        Variant date;
        Text style;
        Text prefix;
        bool with_weekday;
        bool with_year;
    };
    std::vector<Call> calls;
    bool fail = false;

    Text DateToText(const Variant& date, Text style, Text prefix, bool with_weekday,
                    bool with_year) override {
        calls.push_back({date, style, prefix, with_weekday, with_year});
        if (fail) {
            throw VbError(vb::ObjectNotSet);
        }
        return companion_.DateToText(date, style, prefix, with_weekday, with_year);
    }
    void ShowSystemInfo(Variant&, bool&) override { unsupported(); }
    void CloseEffect(std::int32_t&, std::int32_t&, std::int32_t, const Variant&) override {
        unsupported();
    }
    Text PadText(Text&, std::int16_t, const Variant&) override { unsupported(); }
    Text DecodeText(Text) override { unsupported(); }
    Text ToBitText(Text) override { unsupported(); }
    std::int16_t DaysInMonth(std::int16_t&, std::int16_t&) override { unsupported(); }
    Text EncodeText(Text) override { unsupported(); }

  private:
    [[noreturn]] static void unsupported() { throw VbError(vb::ActionNotSupported); }
    RecordingWindowLayer windows_;
    SysToolsImpl companion_{windows_};
};

// A drive C: of its own for each test, with C:\Kalvix\ in it.
class DriveC : public ::testing::Test {
  protected:
    DriveC()
        : root_(std::filesystem::temp_directory_path() /
                ("orbek-log-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())),
          files_(WindowsPaths(root_)) {
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "Kalvix");
        clock_.moment = *ole_date_from_parts({2026, 12, 5, 14, 30, 15});
    }
    ~DriveC() override { std::filesystem::remove_all(root_); }

    std::filesystem::path at(const char* relative) const { return root_ / relative; }

    // The bytes of a file below the root ("" when it is missing).
    std::string bytes_of(const char* relative) const {
        std::ifstream in(at(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    void put_file(const char* relative, const std::string& bytes = "x") const {
        std::ofstream(at(relative), std::ios::binary) << bytes;
    }

    UsageLogPlatform platform() { return {files_, clock_, tools_}; }

    std::filesystem::path root_;
    PosixFileSystem files_;
    StillClock clock_;
    DateTextTools tools_;
    UsageLogState state_;
};

// Lines as the files hold them: 8-bit text, each ended by CR LF.
inline std::string crlf_lines(std::initializer_list<std::string> lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

inline const std::string Asterisks(60, '*');
inline const std::string FramedBlank = "*" + std::string(58, ' ') + "*";
inline const std::string CompanyLine =
    "*              Kalvix Sistemas, S.A. de C.V.               *";
inline const std::string StreetLine =
    "*   Av. Miramar 2140, Piso 3 - Tel. (33) 3555-0142         *";
inline const std::string PostalLine =
    "*   Col. Arboledas, Valdera, Jal., C.P. 45120              *";
inline const std::string AbroadLine =
    "*   Internacional: +52 (33) 3555-0142                      *";
inline const std::string HomePageLine =
    "*   http://www.kalvix-sistemas.example                     *";
inline const std::string SalesLine = "*   Ventas: ventas@kalvix-sistemas.example                 *";
inline const std::string SupportLine =
    "*   Soporte: soporte@kalvix-sistemas.example               *";
inline const std::string InitialsLine =
    "*                                                     (QLB)*";

// The companion's date text for the still clock's day, in the code page.
inline const std::string TodayText = "s\xe1"
                                     "bado, 5 de diciembre de 2026";

} // namespace orbek::testing
