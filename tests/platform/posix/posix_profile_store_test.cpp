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

    static std::string bytes(const fs::path& path) {
        return read_whole_file(path).value_or("(none)");
    }

    fs::path root_ = fs::temp_directory_path() / ("orbek-store-" + std::to_string(::getpid()));
    PosixProfileStore store_{WindowsPaths(root_)};
};

TEST_F(PosixProfileStoreTest, MapsWindowsPathsOntoTheRoot) {
    std::ofstream(root_ / "Kalvix" / "Orbek_DLL.INI") << "[S]\r\nK=v\r\n";
    const struct {
        std::string path;
        fs::path native;
    } cases[] = {
        {"C:\\Kalvix\\Orbek_DLL.INI", root_ / "Kalvix" / "Orbek_DLL.INI"},
        {"c:\\KALVIX\\orbek_dll.ini", root_ / "Kalvix" / "Orbek_DLL.INI"}, // any letter case
        {"C:/Kalvix/New.ini", root_ / "Kalvix" / "New.ini"},
        {"settings.ini", root_ / "WINDOWS" / "settings.ini"}, // no folder: the Windows folder
        {"", fs::path()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(store_.native_path(c.path), c.native) << c.path;
    }
    EXPECT_EQ(store_.read_string("s", "k", "d", 255, "c:\\KALVIX\\orbek_dll.ini"), "v");
}

TEST_F(PosixProfileStoreTest, ANameWithoutFolderGoesIntoTheWindowsFolderMadeOnFirstUse) {
    store_.write_string("S", "K", "v", "bare.ini");
    EXPECT_EQ(bytes(root_ / "WINDOWS" / "bare.ini"), "[S]\r\nK=v\r\n");
    EXPECT_EQ(store_.read_int("S", "K", 5, "bare.ini"), 0u); // "v" is no number
    store_.write_string("S", "N", "-2", "BARE.INI");
    EXPECT_EQ(store_.read_int("s", "n", 5, "bare.ini"), 4294967294u);
}

TEST_F(PosixProfileStoreTest, AnEmptyPathOrAMissingFolderStoresNothing) {
    store_.write_string("S", "K", "v", "");
    store_.write_string("S", "K", "v", "C:\\Missing\\x.ini");
    EXPECT_FALSE(fs::exists(root_ / "Missing"));
    EXPECT_FALSE(fs::exists(root_ / "WINDOWS"));
    EXPECT_EQ(store_.read_string("S", "K", "d", 255, ""), "d");
    EXPECT_EQ(store_.read_int("S", "K", -3, "C:\\Missing\\x.ini"), static_cast<std::uint32_t>(-3));
}

TEST_F(PosixProfileStoreTest, TextReadsFitTheBuffer) {
    std::ofstream(root_ / "Kalvix" / "b.ini") << "[S]\r\nK=abcdef\r\n";
    const struct {
        std::size_t buffer;
        std::string stored, fallback_read;
    } cases[] = {
        {0, "", ""}, {1, "", ""}, {2, "a", "x"}, {6, "abcde", "xyz"}, {7, "abcdef", "xyz"}};
    for (const auto& c : cases) {
        EXPECT_EQ(store_.read_string("S", "K", "d", c.buffer, "C:\\Kalvix\\b.ini"), c.stored)
            << c.buffer;
        EXPECT_EQ(store_.read_string("S", "J", "xyz  ", c.buffer, "C:\\Kalvix\\b.ini"),
                  c.fallback_read)
            << c.buffer;
    }
}

TEST_F(PosixProfileStoreTest, AnUnreadableFileGivesTheDefault) {
    fs::create_directories(root_ / "Kalvix" / "folder.ini");
    EXPECT_EQ(store_.read_string("S", "K", "d", 255, "C:\\Kalvix\\folder.ini"), "d");
    store_.write_string("S", "K", "v", "C:\\Kalvix\\folder.ini");
    EXPECT_TRUE(fs::is_directory(root_ / "Kalvix" / "folder.ini"));
}

class AtomicFileTest : public PosixProfileStoreTest {};

TEST_F(AtomicFileTest, KeepsPermissionsAndLinksAndLeavesNoTemporaryFile) {
    const fs::path file = root_ / "Kalvix" / "a.ini";
    std::ofstream(file) << "old";
    ::chmod(file.c_str(), 0640);
    const fs::path link = root_ / "link.ini";
    fs::create_symlink(file, link);

    ASSERT_TRUE(replace_file_atomically(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(bytes(file), "new");
    struct stat info {};
    ::stat(file.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "Kalvix"), fs::directory_iterator()), 1);
}

TEST_F(AtomicFileTest, RefusesWhatWindowsWouldRefuse) {
    const fs::path locked = root_ / "Kalvix" / "locked.ini";
    std::ofstream(locked) << "old";
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read);
    const struct {
        fs::path path;
        const char* why;
    } cases[] = {
        {locked, "a read-only file"},
        {root_ / "Missing" / "x.ini", "a missing folder"},
        {root_ / "Kalvix", "a folder"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(replace_file_atomically(c.path, "new")) << c.why;
    }
    EXPECT_EQ(bytes(locked), "old");
    EXPECT_FALSE(fs::exists(root_ / "Missing"));
    EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "Kalvix"), fs::directory_iterator()), 1);
}

} // namespace
} // namespace orbek
