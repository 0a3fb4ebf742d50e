// A writer killed at any moment leaves the INI file whole: the old content or the new one.
#include "platform/posix/atomic_file.h"
#include "platform/posix/posix_profile_store.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace orbek {
namespace {

namespace fs = std::filesystem;

// The file as it is after the writer stored `round`: a large section first, so that each
// write takes long enough to be caught half way.
std::string content_after(const std::string& filler, long round) {
    return "[Filler]\r\nF=" + filler + "\r\n[S]\r\nK=" + std::to_string(round) + "\r\n";
}

TEST(ProfileCrash, AKilledWriterLeavesTheOldOrTheNewFileWhole) {
    const fs::path root = fs::temp_directory_path() / ("orbek-crash-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "ini");
    const fs::path file = root / "ini" / "crash.ini";
    const std::string filler(256 * 1024, 'x');
    const PosixProfileStore store{WindowsPaths(root)};
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delay_us(0, 20000);

    int caught_between_rounds = 0;
    for (int attempt = 0; attempt < 60; ++attempt) {
        ASSERT_TRUE(replace_file_atomically(file, content_after(filler, 0)));
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            for (long round = 1;; ++round) {
                store.write_string("S", "K", std::to_string(round), "C:\\ini\\crash.ini");
            }
        }
        ::usleep(static_cast<useconds_t>(delay_us(random)));
        ::kill(writer, SIGKILL);
        int status = 0;
        ::waitpid(writer, &status, 0);

        const std::optional<std::string> content = read_whole_file(file);
        ASSERT_TRUE(content.has_value());
        const std::size_t at = content->rfind("K=");
        ASSERT_NE(at, std::string::npos) << "attempt " << attempt;
        const long round = std::strtol(content->c_str() + at + 2, nullptr, 10);
        EXPECT_EQ(*content, content_after(filler, round)) << "attempt " << attempt;
        caught_between_rounds += round > 0 ? 1 : 0;
    }
    // The kills did land while the writer was at work, not only before it started.
    EXPECT_GT(caught_between_rounds, 10);
    fs::remove_all(root);
}

} // namespace
} // namespace orbek
