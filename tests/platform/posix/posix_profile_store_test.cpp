#include "platform/posix/atomic_file.h"
#include "platform/posix/posix_profile_store.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orbek {
namespace {

namespace fs = std::filesystem;

class PosixProfileStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(root_);
        fs::create_directories(root_ / "Kalvix");
    }
    void TearDown() override { fs::remove_all(root_); }
    static std::string bytes(const fs::path& path) { return read_whole_file(path).value_or("-"); }
    long files_in_kalvix() const {
        return std::distance(fs::directory_iterator(root_ / "Kalvix"), fs::directory_iterator());
    }

    fs::path root_ = fs::temp_directory_path() / ("orbek-store-" + std::to_string(::getpid()));
    PosixProfileStore store_{WindowsPaths(root_)};
};

TEST_F(PosixProfileStoreTest, MapsWindowsPathsOntoTheRoot) {
    std::ofstream(root_ / "Kalvix" / "Orbek_DLL.INI") << "[S]\r\nK=v\r\n";
    const std::pair<std::string, fs::path> cases[] = {
        {"c:\\KALVIX\\orbek_dll.ini", root_ / "Kalvix" / "Orbek_DLL.INI"}, // any letter case
        {"C:/Kalvix/New.ini", root_ / "Kalvix" / "New.ini"},
        {"C:x.ini", root_ / "x.ini"}, // a drive but no "\": not the Windows folder
        {"C:", root_},                // a drive alone too
        {"settings.ini", root_ / "WINDOWS" / "settings.ini"}, // no folder: the Windows folder
        {"", fs::path()},
    };
    for (const auto& [path, native] : cases) {
        EXPECT_EQ(store_.native_path(path), native) << path;
    }
    EXPECT_EQ(store_.read_string("s", "k", "d", 255, "c:\\KALVIX\\orbek_dll.ini"), "v");
}

TEST_F(PosixProfileStoreTest, TheWindowsFolderIsMadeOnFirstUseAndNoOtherFolderEver) {
    store_.write_string("S", "K", "v", "");
    store_.write_string("S", "K", "v", "C:\\Missing\\x.ini");
    EXPECT_FALSE(fs::exists(root_ / "WINDOWS"));
    EXPECT_FALSE(fs::exists(root_ / "Missing"));
    EXPECT_EQ(store_.read_int("S", "K", -3, "C:\\Missing\\x.ini"), static_cast<std::uint32_t>(-3));
    store_.write_string("S", "K", "-2", "bare.ini");
    EXPECT_EQ(bytes(root_ / "WINDOWS" / "bare.ini"), "[S]\r\nK=-2\r\n");
    EXPECT_EQ(store_.read_int("s", "k", 5, "BARE.INI"), 4294967294u);
}

TEST_F(PosixProfileStoreTest, TextReadsFitTheBuffer) {
    std::ofstream(root_ / "Kalvix" / "b.ini") << "[S]\r\nK=abcdef\r\n";
    const struct {
        std::size_t buffer;
        std::string stored, fallback;
    } cases[] = {
        {0, "", ""}, {1, "", ""}, {2, "a", "x"}, {6, "abcde", "xyz"}, {7, "abcdef", "xyz"}};
    for (const auto& c : cases) {
        EXPECT_EQ(store_.read_string("S", "K", "d", c.buffer, "C:\\Kalvix\\b.ini"), c.stored);
        EXPECT_EQ(store_.read_string("S", "J", "xyz  ", c.buffer, "C:\\Kalvix\\b.ini"), c.fallback);
    }
    // A default loses its trailing spaces, but never its first character.
    EXPECT_EQ(store_.read_string("S", "J", "   ", 255, "C:\\Kalvix\\b.ini"), " ");
}

TEST_F(PosixProfileStoreTest, WritesKeepPermissionsAndLinksAndLeaveNothingBehind) {
    const fs::path file = root_ / "Kalvix" / "a.ini";
    fs::create_symlink(file, root_ / "link.ini");
    const auto open_descriptors = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
    };
    const long descriptors = open_descriptors();
    for (const mode_t mode : {0640, 0666}) { // 0666: more than a new file gets under umask 022
        std::ofstream(file) << "[S]\r\nK=old\r\n";
        ::chmod(file.c_str(), mode);
        store_.write_string("S", "K", "new", "C:\\link.ini");
        EXPECT_TRUE(fs::is_symlink(root_ / "link.ini"));
        EXPECT_EQ(bytes(file), "[S]\r\nK=new\r\n");
        struct stat info {};
        ::stat(file.c_str(), &info);
        EXPECT_EQ(info.st_mode & 07777, mode);
        EXPECT_EQ(files_in_kalvix(), 1); // no temporary file left
    }
    EXPECT_EQ(open_descriptors(), descriptors);

    const mode_t umask = ::umask(0);
    ::umask(umask);
    store_.write_string("S", "K", "v", "C:\\Kalvix\\fresh.ini"); // a new file: as any new file
    struct stat fresh {};
    ::stat((root_ / "Kalvix" / "fresh.ini").c_str(), &fresh);
    EXPECT_EQ(fresh.st_mode & 07777, 0666u & ~umask);
}

TEST_F(PosixProfileStoreTest, RefusesWhatWindowsWouldRefuse) {
    const fs::path locked = root_ / "Kalvix" / "locked.ini";
    std::ofstream(locked) << "old";
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read);
    const std::pair<fs::path, const char*> cases[] = {
        {locked, "a read-only file"},
        {root_ / "Missing" / "x.ini", "a missing folder"},
        {root_ / "Kalvix", "a folder"},
    };
    for (const auto& [path, why] : cases) {
        EXPECT_FALSE(replace_file_atomically(path, "new")) << why;
    }
    EXPECT_EQ(bytes(locked), "old");
    EXPECT_FALSE(fs::exists(root_ / "Missing"));
    EXPECT_EQ(files_in_kalvix(), 1);
    EXPECT_EQ(store_.read_string("S", "K", "d", 255, "C:\\Kalvix"),
              "d"); // a folder reads as missing
}

} // namespace
} // namespace orbek
