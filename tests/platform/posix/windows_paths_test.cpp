#include "platform/posix/windows_paths.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace orbek {
namespace {

namespace fs = std::filesystem;

class WindowsPathsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("orbek-paths-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "Kalvix" / "Log");
        std::ofstream(root_ / "Kalvix" / "Log" / "Log.Dir") << "x";
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path root_;
};

TEST_F(WindowsPathsTest, MatchesComponentsIgnoringCaseAndKeepsTheRestAsWritten) {
    const WindowsPaths paths(root_);
    const std::pair<Text, fs::path> cases[] = {
        {u"C:\\Kalvix\\Log\\Log.Dir", root_ / "Kalvix/Log/Log.Dir"},
        {u"c:\\KALVIX\\log\\LOG.DIR", root_ / "Kalvix/Log/Log.Dir"},
        {u"C:/kalvix/log/", root_ / "Kalvix/Log"},
        {u"C:\\Kalvix\\New\\Tesmara.Log", root_ / "Kalvix/New/Tesmara.Log"},
        {u"C:\\Kalvix\\.\\Other\\..\\Log\\Log.Dir", root_ / "Kalvix/Log/Log.Dir"},
        {u"C:\\Kalvix.. \\Log\\Log.Dir", root_ / "Kalvix/Log/Log.Dir"},
        {u"\\kalvix", root_ / "Kalvix"},
        {u"C:\\", root_},
        {u"C:\\..\\..\\Kalvix", root_ / "Kalvix"},
    };
    for (const auto& [windows_path, native_path] : cases) {
        EXPECT_EQ(paths.native(windows_path), native_path) << to_utf8(windows_path);
    }
}

TEST_F(WindowsPathsTest, OtherDrivesLeadNowhere) {
    const WindowsPaths paths(root_);
    EXPECT_FALSE(fs::exists(paths.native(u"D:\\Kalvix")));
    EXPECT_FALSE(fs::exists(paths.native(u"\\\\server\\share\\Kalvix")));
}

TEST_F(WindowsPathsTest, GivesTheWindowsFormOfPathsBelowTheRoot) {
    const WindowsPaths paths(root_);
    EXPECT_EQ(paths.windows(root_ / "Kalvix" / "Orbek_DLL.dll"), u"C:\\Kalvix\\Orbek_DLL.dll");
    EXPECT_EQ(paths.windows(root_), u"C:\\");
    EXPECT_EQ(paths.windows("/elsewhere/x.ini"), u"\\elsewhere\\x.ini");
}

} // namespace
} // namespace orbek
