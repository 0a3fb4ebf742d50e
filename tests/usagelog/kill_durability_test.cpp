// A host that is killed loses no line that Log had written: a child process logs numbered
// record lines and reports each through a pipe once Log has returned; the parent kills it with
// SIGKILL at a random moment, a hundred times over, and checks that every reported line is in
// the file, whole, followed at most by the one line the kill interrupted.
#include "automation/windows1252.h"
#include "usage_log_support.h"
#include "usagelog/usage_log.h"

#include <csignal>
#include <random>
#include <sys/wait.h>

namespace orbek {
namespace {

using namespace testing;

// Lines of changing length, so that many of them cross a page of the file.
std::string line(int number) {
    return "ana, l\xednea " + std::to_string(number) + " " + std::string(number % 97 + 1, 'x');
}

class LogUnderKill : public DriveC {
  protected:
    [[noreturn]] void log_until_killed(int report) {
        for (int number = 0;; ++number) {
            Variant a = Variant::missing(), b = a, c = a, d = a;
            const Text module = from_windows1252(line(number).substr(5));
            usage_log(state_, platform(), number == 0 ? 1 : 2, module, a, b, c, d, u"", u"ana",
                      u"");
            (void)!::write(report, &number, sizeof number);
        }
    }
};

TEST_F(LogUnderKill, EveryLoggedLineIsOnDiskWhole) {
    put_file("Kalvix/Tesmara.Log", ""); // no banner
    std::mt19937 random(20261205);
    std::size_t checked = 0; // bytes of whole lines checked in the rounds before
    int rounds_with_lines = 0;
    for (int round = 0; round < 100; ++round) {
        int pipe_ends[2];
        ASSERT_EQ(::pipe(pipe_ends), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            log_until_killed(pipe_ends[1]);
        }
        ::close(pipe_ends[1]);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 6000)(random));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        int reported = -1; // the start line counts as number 0
        for (int number; ::read(pipe_ends[0], &number, sizeof number) == sizeof number;) {
            reported = number;
        }
        ::close(pipe_ends[0]);

        std::ifstream log(at("Kalvix/Tesmara.Log"), std::ios::binary);
        log.seekg(static_cast<std::streamoff>(checked));
        const std::string added(std::istreambuf_iterator<char>(log), {});
        std::size_t whole = 0;
        int number = 0;
        std::string next = "ana: Inicia el Uso de Tesmara. " + Now + "\r\n";
        while (added.compare(whole, next.size(), next) == 0) {
            whole += next.size();
            next = line(++number) + " " + Now + "\r\n";
        }
        // Lines 0 to number - 1 are whole; a rest may only be the next line, cut where Linux
        // stops a write for a fatal signal: at the end of a page of the file.
        const std::string rest = added.substr(whole);
        ASSERT_GE(number - 1, reported) << "round " << round;
        ASSERT_LE(number - 1 + (rest.empty() ? 0 : 1), reported + 1) << "round " << round;
        ASSERT_TRUE(rest.empty() ||
                    (next.starts_with(rest) && (checked + added.size()) % 4096 == 0))
            << "round " << round << ": " << rest.substr(0, 80);
        std::filesystem::resize_file(at("Kalvix/Tesmara.Log"), checked + whole);
        checked += whole;
        rounds_with_lines += reported > 0;
    }
    EXPECT_GT(rounds_with_lines, 50); // the kills fell while lines were being logged
}

} // namespace
} // namespace orbek
