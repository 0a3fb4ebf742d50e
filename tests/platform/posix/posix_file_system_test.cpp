#include "platform/posix/posix_file_system.h"
#include "support/error_number.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orbek {
namespace {

using testing::error_number;
namespace fs = std::filesystem;

// C:\Kalvix\ holding Log\Log.Dir, a read-only file, a hidden one, a pipe and a link.
class PosixFiles : public ::testing::Test {
  protected:
    PosixFiles() { reset(); }
    ~PosixFiles() override { fs::remove_all(root_); }
    void reset() {
        fs::remove_all(root_);
        fs::create_directories(root_ / "Kalvix/Log");
        for (const char* name : {"Kalvix/Log/Log.Dir", "Kalvix/ReadOnly.txt", "Kalvix/.hidden"}) {
            std::ofstream(root_ / name) << "old";
        }
        ::chmod((root_ / "Kalvix/ReadOnly.txt").c_str(), 0444);
        ::mkfifo((root_ / "Kalvix/pipe").c_str(), 0644);
        fs::create_symlink(root_ / "Kalvix/Log/Log.Dir", root_ / "Kalvix/Link.Dir");
    }
    static long open_descriptors() {
        return std::distance(fs::directory_iterator("/proc/self/fd"), {});
    }
    std::string bytes_of(const char* name) const {
        std::ifstream in(root_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    const fs::path root_ =
        fs::temp_directory_path() / ("orbek-files-" + std::to_string(::getpid()));
    PosixFileSystem files_{WindowsPaths(root_)};
};

TEST_F(PosixFiles, FindsOrdinaryFilesByTheirNameOnDisk) {
    const std::pair<Text, Text> cases[] = {
        {u"C:\\Kalvix\\Log\\Log.Dir", u"Log.Dir"},
        {u"c:/KALVIX/log/LOG.DIR. ", u"Log.Dir"},
        {u"C:\\Kalvix\\ReadOnly.txt", u"ReadOnly.txt"},
        {u"C:\\Kalvix\\Link.Dir", u"Link.Dir"},
        {u"C:\\Kalvix\\.hidden", u"-"},
        {u"C:\\Kalvix\\pipe", u"-"},
        {u"C:\\Kalvix\\Log\\", u"-"},
        {u"C:\\Missing\\Log.Dir", u"-"},
        {u"C:\\Kalvix\\Log\\*.Dir", u"-"},
        {u"C:\\Kalvix\\Log\\Log.Di?", u"-"},
        {u"C:\\Kalvix\\Log\\\u65e5.Dir", u"-"}, // "?.Dir" in the code page
    };
    for (const auto& [path, name] : cases) {
        EXPECT_EQ(files_.find_file(path).value_or(u"-"), name) << to_utf8(path);
    }
    EXPECT_EQ(error_number([&] { files_.find_file(u"C:\\Kalvix\\a|b"); }), 52);
}

TEST_F(PosixFiles, ErrorNumbersOfTheHostsLanguage) {
    struct Case {
        char operation; // create, delete, open
        Text path;
        int error;
    };
    const Case cases[] = {
        {'c', u"C:\\Kalvix\\New\\", 0},
        {'c', u"C:\\KALVIX\\LOG\\", 75},
        {'c', u"C:\\Kalvix\\ReadOnly.txt", 75},
        {'c', u"C:\\No\\New", 76},
        {'c', u"C:\\Kalvix\\ReadOnly.txt\\New", 76},
        {'c', u"C:\\Kalvix\\a<b", 52},
        {'c', u"", 52},
        {'c', u"|New", 52},
        {'c', u"C:|New", 52},
        {'d', u"C:\\Kalvix\\ReadOnly.txt\\Gone", 76},
        {'d', u"C:\\Kalvix\\Log\\log.dir", 0},
        {'d', u"C:\\Kalvix\\Gone.Dir", 53},
        {'d', u"C:\\No\\Gone.Dir", 76},
        {'d', u"C:\\Kalvix\\ReadOnly.txt", 75},
        {'d', u"C:\\Kalvix\\Log", 75},
        {'d', u"C:\\Kalvix\\*.Dir", 52},
        {'o', u"C:\\Kalvix\\New.Log", 0},
        {'o', u"C:\\Kalvix\\No\\New.Log", 76},
        {'o', u"C:\\Kalvix\\ReadOnly.txt", 75},
        {'o', u"C:\\Kalvix\\Log\\", 75},
        {'o', u"C:\\Kalvix\\pipe", 75},
        {'o',
         u"C:\\Kalvix\\a\x1f"
         u"b",
         52},
    };
    const long descriptors = open_descriptors();
    for (const Case& c : cases) {
        reset();
        const int error = error_number([&] {
            if (c.operation == 'c') {
                files_.create_folder(c.path);
            } else if (c.operation == 'd') {
                files_.delete_file(c.path);
            } else {
                files_.open_for_append(c.path);
            }
        });
        EXPECT_EQ(error, c.error) << c.operation << " " << to_utf8(c.path);
        EXPECT_EQ(open_descriptors(), descriptors) << c.operation << " " << to_utf8(c.path);
        if (error == 0) { // a new folder, a deleted file, a new file
            EXPECT_EQ(files_.find_file(c.path).has_value(), c.operation == 'o');
            EXPECT_EQ(fs::is_directory(root_ / "Kalvix/New"), c.operation == 'c');
            const fs::path made = root_ / (c.operation == 'c' ? "Kalvix/New" : "Kalvix/New.Log");
            const fs::perms owner = fs::perms::owner_read | fs::perms::owner_write;
            EXPECT_TRUE(c.operation == 'd' || (fs::status(made).permissions() & owner) == owner);
        }
    }
}

TEST_F(PosixFiles, FilesOpenInThisThreadAre55AndElsewhere70) {
    const Text log = u"C:\\Kalvix\\Log\\Log.Dir";
    PosixFileSystem other_thread{WindowsPaths(root_)};
    auto file = files_.open_for_append(log);
    const long descriptors = open_descriptors();
    EXPECT_EQ(error_number([&] { files_.open_for_append(u"c:\\kalvix\\LOG\\log.dir"); }), 55);
    EXPECT_EQ(error_number([&] { files_.delete_file(log); }), 55);
    EXPECT_EQ(error_number([&] { other_thread.open_for_append(log); }), 70);
    EXPECT_EQ(error_number([&] { other_thread.delete_file(log); }), 70);
    EXPECT_EQ(open_descriptors(), descriptors); // the failed attempts left nothing open
    file->write_line(u"Versi\u00f3n \u00abTesmara 2\u00bb \u20ac\u2122 \u65e5\U0001F600");
    file->close();
    file->close();
    EXPECT_EQ(error_number([&] { file->write_line(u"late"); }), 52);
    EXPECT_EQ(bytes_of("Kalvix/Log/Log.Dir"), "oldVersi\xf3n \xabTesmara 2\xbb \x80\x99 ??\r\n");
    EXPECT_EQ(error_number([&] { other_thread.open_for_append(log); }), 0);

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        auto held = PosixFileSystem(WindowsPaths(root_)).open_for_append(u"C:\\Kalvix\\Link.Dir");
        (void)!::write(ready[1], "r", 1);
        ::pause();
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_EQ(error_number([&] { files_.open_for_append(log); }), 70);
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_EQ(error_number([&] { files_.open_for_append(log); }), 0); // the lock died with it
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST_F(PosixFiles, WriteAndFlushFailures) {
    auto file_on = [](const fs::path& path) {
        return PosixAppendFile(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0644), {},
                               std::make_shared<PosixOpenFiles>(), {});
    };
    PosixAppendFile full = file_on("/dev/full");
    EXPECT_EQ(error_number([&] { full.write_line(u"x"); }), 61);
    EXPECT_EQ(error_number([&] { full.close(); }), 57); // a device that cannot be flushed

    // A file at the process's size limit fails otherwise; what the system took stays.
    PosixAppendFile limited = file_on(root_ / "Kalvix/Limited.Log");
    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    const rlimit four_bytes{4, before.rlim_max};
    ::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &four_bytes);
    const int error = error_number([&] { limited.write_line(u"longer than that"); });
    ::setrlimit(RLIMIT_FSIZE, &before);
    ::signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(error, 57);
    EXPECT_EQ(bytes_of("Kalvix/Limited.Log"), "long");
}

} // namespace
} // namespace orbek
