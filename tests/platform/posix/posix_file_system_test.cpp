#include "automation/vb_error.h"
#include "platform/posix/posix_file_system.h"
#include "support/error_number.h"

#include <csignal>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orbek {
namespace {

using testing::error_number;
namespace fs = std::filesystem;

class PosixFiles : public ::testing::Test {
  protected:
    PosixFiles()
        : root_(fs::temp_directory_path() / ("orbek-files-" + std::to_string(::getpid()))),
          files_(WindowsPaths(root_)) {
        reset();
    }
    ~PosixFiles() override { fs::remove_all(root_); }

    // C:\Kalvix\Log\ with Log.Dir, a read-only file, a hidden one, a pipe and a link.
    void reset() {
        fs::remove_all(root_);
        fs::create_directories(root_ / "Kalvix" / "Log");
        put("Kalvix/Log/Log.Dir", "marker");
        put("Kalvix/ReadOnly.txt", "ro");
        ::chmod((root_ / "Kalvix/ReadOnly.txt").c_str(), 0444);
        put("Kalvix/.hidden", "h");
        ::mkfifo((root_ / "Kalvix/pipe").c_str(), 0644);
        fs::create_symlink(root_ / "Kalvix/Log/Log.Dir", root_ / "Kalvix/Link.Dir");
    }
    void put(const char* relative, const std::string& bytes) {
        std::ofstream(root_ / relative, std::ios::binary) << bytes;
    }
    std::string bytes_of(const char* relative) const {
        std::ifstream in(root_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path root_;
    PosixFileSystem files_;
};

TEST_F(PosixFiles, FindsOrdinaryFilesByTheirNameOnDisk) {
    const std::pair<Text, std::optional<Text>> cases[] = {
        {u"C:\\Kalvix\\Log\\Log.Dir", u"Log.Dir"},
        {u"c:\\KALVIX\\log\\LOG.DIR", u"Log.Dir"},
        {u"C:/Kalvix/Log/Log.Dir. ", u"Log.Dir"},
        {u"C:\\Kalvix\\ReadOnly.txt", u"ReadOnly.txt"},
        {u"C:\\Kalvix\\Link.Dir", u"Link.Dir"},
        {u"C:\\Kalvix\\.hidden", std::nullopt},
        {u"C:\\Kalvix\\pipe", std::nullopt},
        {u"C:\\Kalvix\\Log", std::nullopt},
        {u"C:\\Kalvix\\Log\\", std::nullopt},
        {u"C:\\Kalvix\\Log\\Missing.Dir", std::nullopt},
        {u"C:\\Missing\\Log.Dir", std::nullopt},
        {u"D:\\Kalvix\\Log\\Log.Dir", std::nullopt},
        {u"C:\\Kalvix\\Log\\*.Dir", std::nullopt},
        {u"C:\\Kalvix\\Log\\Log.Di?", std::nullopt},
        {u"C:\\Kalvix\\Log\\\u65e5.Dir", std::nullopt}, // "?.Dir" in the code page
        {u"", std::nullopt},
    };
    for (const auto& [path, name] : cases) {
        EXPECT_EQ(files_.find_file(path), name) << to_utf8(path);
    }
    EXPECT_EQ(error_number([&] { files_.find_file(u"C:\\Kalvix\\a|b"); }), 52);
    EXPECT_EQ(error_number([&] { files_.find_file(u"C:\\Kalvix\\a:b"); }), 52);
}

TEST_F(PosixFiles, NamesOutsideTheCodePageComeBackAsTheCodePageHasThem) {
    put("Kalvix/Caf\xc3\xa9.Dir", "");
    put("Kalvix/\xe6\x97\xa5.Dir", "");
    EXPECT_EQ(files_.find_file(u"C:\\Kalvix\\CAF\u00c9.DIR"), Text(u"Caf\u00e9.Dir"));
}

TEST_F(PosixFiles, ErrorNumbersOfTheHostsLanguage) {
    struct Case {
        const char* name;
        std::function<void(FileSystem&)> call;
        int error;
        const char* there_after = nullptr;
        const char* gone_after = nullptr;
    };
    const Case cases[] = {
        {"create a folder", [](FileSystem& f) { f.create_folder(u"C:\\Kalvix\\New\\"); }, 0,
         "Kalvix/New"},
        {"create an existing folder", [](FileSystem& f) { f.create_folder(u"C:\\Kalvix\\Log"); },
         75},
        {"create it in other letter case",
         [](FileSystem& f) { f.create_folder(u"C:\\KALVIX\\LOG\\"); }, 75},
        {"create over a file", [](FileSystem& f) { f.create_folder(u"C:\\Kalvix\\ReadOnly.txt"); },
         75},
        {"create without a parent", [](FileSystem& f) { f.create_folder(u"C:\\No\\New"); }, 76},
        {"create below a file",
         [](FileSystem& f) { f.create_folder(u"C:\\Kalvix\\ReadOnly.txt\\New"); }, 76},
        {"create a bad name", [](FileSystem& f) { f.create_folder(u"C:\\Kalvix\\a<b"); }, 52},
        {"create an empty name", [](FileSystem& f) { f.create_folder(u""); }, 52},
        {"delete a file", [](FileSystem& f) { f.delete_file(u"C:\\Kalvix\\Log\\log.dir"); }, 0,
         nullptr, "Kalvix/Log/Log.Dir"},
        {"delete a missing file", [](FileSystem& f) { f.delete_file(u"C:\\Kalvix\\Gone.Dir"); },
         53},
        {"delete in a missing folder", [](FileSystem& f) { f.delete_file(u"C:\\No\\Gone.Dir"); },
         76},
        {"delete a read-only file",
         [](FileSystem& f) { f.delete_file(u"C:\\Kalvix\\ReadOnly.txt"); }, 75,
         "Kalvix/ReadOnly.txt"},
        {"delete a folder", [](FileSystem& f) { f.delete_file(u"C:\\Kalvix\\Log"); }, 75},
        {"delete a bad name", [](FileSystem& f) { f.delete_file(u"C:\\Kalvix\\*.Dir"); }, 52},
        {"open a new file", [](FileSystem& f) { f.open_for_append(u"C:\\Kalvix\\New.Log"); }, 0,
         "Kalvix/New.Log"},
        {"open in a missing folder",
         [](FileSystem& f) { f.open_for_append(u"C:\\Kalvix\\No\\New.Log"); }, 76},
        {"open a read-only file",
         [](FileSystem& f) { f.open_for_append(u"C:\\Kalvix\\ReadOnly.txt"); }, 75},
        {"open a folder", [](FileSystem& f) { f.open_for_append(u"C:\\Kalvix\\Log\\"); }, 75},
        {"open a pipe", [](FileSystem& f) { f.open_for_append(u"C:\\Kalvix\\pipe"); }, 75},
        {"open a bad name", [](FileSystem& f) { f.open_for_append(u"C:\\Kalvix\\a\tb"); }, 52},
    };
    for (const Case& c : cases) {
        reset();
        EXPECT_EQ(error_number([&] { c.call(files_); }), c.error) << c.name;
        EXPECT_TRUE(!c.there_after || fs::exists(root_ / c.there_after)) << c.name;
        EXPECT_TRUE(!c.gone_after || !fs::exists(root_ / c.gone_after)) << c.name;
    }
}

TEST_F(PosixFiles, OpenFilesOfThisThreadAreError55AndOfOthers70) {
    const Text log = u"C:\\Kalvix\\Log\\Log.Dir";
    PosixFileSystem other_thread{WindowsPaths(root_)};
    {
        auto file = files_.open_for_append(log);
        EXPECT_EQ(error_number([&] { files_.open_for_append(u"c:\\kalvix\\LOG\\log.dir"); }), 55);
        EXPECT_EQ(error_number([&] { files_.delete_file(log); }), 55);
        EXPECT_EQ(error_number([&] { other_thread.open_for_append(log); }), 70);
        EXPECT_EQ(error_number([&] { other_thread.delete_file(log); }), 70);
        EXPECT_EQ(files_.find_file(log), Text(u"Log.Dir"));
        file->close();
        EXPECT_EQ(error_number([&] { other_thread.open_for_append(log); }), 0);
    }
    EXPECT_EQ(error_number([&] { files_.delete_file(log); }), 0);
}

TEST_F(PosixFiles, AFileHeldByAnotherProcessIsError70UntilThatProcessDies) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        PosixFileSystem own{WindowsPaths(root_)};
        auto file = own.open_for_append(u"C:\\Kalvix\\Log\\Log.Dir");
        (void)!::write(ready[1], "r", 1);
        ::pause();
        ::_exit(0);
    }
    char signal_byte = 0;
    ASSERT_EQ(::read(ready[0], &signal_byte, 1), 1);
    EXPECT_EQ(error_number([&] { files_.open_for_append(u"C:\\Kalvix\\Log\\Log.Dir"); }), 70);
    EXPECT_EQ(error_number([&] { files_.delete_file(u"C:\\Kalvix\\Log\\Log.Dir"); }), 70);
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(error_number([&] { files_.open_for_append(u"C:\\Kalvix\\Log\\Log.Dir"); }), 0);
}

TEST_F(PosixFiles, LinesAreAppendedInTheCodePageWithCrLf) {
    put("Kalvix/Old.Log", "before\r\n");
    auto file = files_.open_for_append(u"C:\\Kalvix\\old.log");
    file->write_line(u"Versi\u00f3n \u00abTesmara 2\u00bb \u20ac\u2122 \u65e5\U0001F600");
    file->write_line(u"");
    EXPECT_EQ(bytes_of("Kalvix/Old.Log"),
              "before\r\nVersi\xf3n \xabTesmara 2\xbb \x80\x99 ??\r\n\r\n");
    file->close();
    file->close();
    EXPECT_EQ(error_number([&] { file->write_line(u"late"); }), 52);
    EXPECT_EQ(bytes_of("Kalvix/Old.Log"),
              "before\r\nVersi\xf3n \xabTesmara 2\xbb \x80\x99 ??\r\n\r\n");
}

} // namespace
} // namespace orbek
