// The INI routines on the native platform: our engine, Windows paths under a folder that
// stands for drive C:, the component at C:\Kalvix\Orbek_DLL.dll.
#include "platform/posix/fixed_component_file.h"
#include "platform/posix/posix_profile_store.h"
#include "platform/posix/windows1252_code_page.h"
#include "settings_checks.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace orbek {
namespace {

namespace fs = std::filesystem;

TEST(SettingsOnPosix, BehaveAsOnWindows) {
    const fs::path root =
        fs::temp_directory_path() / ("orbek-settings-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "Kalvix");
    fs::create_directories(root / "scratch");
    const PosixProfileStore store{WindowsPaths(root)};
    const Windows1252CodePage ansi;
    const FixedComponentFile component;
    const testing::SettingsSite site{
        {store, ansi, component},
        u"C:\\Kalvix\\Orbek_DLL.INI",
        root / "Kalvix",
        root / "WINDOWS",
        root / "scratch",
        u"C:\\scratch",
        [](const fs::path& file, bool read_only) {
            fs::permissions(
                file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                read_only ? fs::perm_options::remove : fs::perm_options::add);
        }};
    for (const testing::SettingsCheck& check : testing::run_settings_checks(site)) {
        EXPECT_EQ(check.failure, "") << check.name;
    }
    fs::remove_all(root);
}

} // namespace
} // namespace orbek
