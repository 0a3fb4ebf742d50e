// A host that is killed between two calls loses no line that Log had written: a child
// process logs numbered record lines and reports each one through a pipe once Log has
// returned; the parent kills it with SIGKILL at a random moment, many times over, and checks
// that every reported line is in the file, whole, and that nothing torn follows it.
#include "usage_log_support.h"
#include "usagelog/usage_log.h"

#include <algorithm>
#include <csignal>
#include <random>
#include <sys/wait.h>

namespace orbek {
namespace {

using namespace testing;

const std::string Now = "05/12/2026 14:30:15";

// Lines of different lengths, so that some of them cross the page boundaries of the file.
Text module_of(int number) {
    return u"l\u00ednea " + from_utf8(std::to_string(number)) + u" " + Text(number % 97 + 1, u'x');
}

std::string expected_line(int number) {
    return "ana, l\xednea " + std::to_string(number) + " " + std::string(number % 97 + 1, 'x') +
           " " + Now + "\r\n";
}

class LogUnderKill : public DriveC {
  protected:
    // Runs in the child: starts the log, then records until it is killed.
    [[noreturn]] void log_until_killed(int report) {
        Variant a = Variant::missing(), b = a, c = a, d = a;
        usage_log(state_, platform(), 1, u"", a, b, c, d, u"", u"ana", u"7.1");
        for (int number = 1;; ++number) {
            a = b = c = d = Variant::missing(); // the record call wrote texts into them
            usage_log(state_, platform(), 2, module_of(number), a, b, c, d, u"", u"ana", u"7.1");
            if (::write(report, &number, sizeof number) != sizeof number) {
                ::_exit(1);
            }
        }
    }

    // The numbers the child reported as logged before it died.
    static int last_reported(int from_child) {
        int last = 0;
        int number = 0;
        while (::read(from_child, &number, sizeof number) == sizeof number) {
            last = number;
        }
        return last;
    }
};

TEST_F(LogUnderKill, EveryLoggedLineIsOnDiskWhole) {
    put_file("Kalvix/Tesmara.Log", ""); // an existing log: no banner
    std::mt19937 random(20261205);
    std::uniform_int_distribution<int> delay_us(0, 6000);
    std::size_t checked = 0; // bytes of the file already checked
    int rounds_with_lines = 0;
    for (int round = 0; round < 100; ++round) {
        int pipe_ends[2];
        ASSERT_EQ(::pipe(pipe_ends), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipe_ends[0]);
            log_until_killed(pipe_ends[1]);
        }
        ::close(pipe_ends[1]);
        ::usleep(static_cast<useconds_t>(delay_us(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round;
        const int reported = last_reported(pipe_ends[0]);
        ::close(pipe_ends[0]);

        std::ifstream log(at("Kalvix/Tesmara.Log"), std::ios::binary);
        log.seekg(static_cast<std::streamoff>(checked));
        const std::string added(std::istreambuf_iterator<char>(log), {});
        std::string expected;
        if (!added.empty()) {
            expected = crlf_lines({"ana: Inicia el Uso de Tesmara. " + Now});
        }
        int number = 1;
        for (; expected.size() < added.size(); ++number) {
            expected += expected_line(number);
        }
        const int written = added.empty() ? 0 : number - 1;
        // Whole lines only (nothing torn at the end), every reported one, and at most the one
        // the kill came after.
        const auto [differs, _] = std::mismatch(added.begin(), added.end(), expected.begin());
        ASSERT_TRUE(differs == added.end() && added.size() == expected.size())
            << "round " << round << ", from byte " << (differs - added.begin()) << ": "
            << added.substr(differs - added.begin(), 80);
        ASSERT_GE(written, reported) << "round " << round;
        ASSERT_LE(written, reported + 1) << "round " << round;
        checked += added.size();
        rounds_with_lines += reported > 0;
    }
    // The random moments really fell while lines were being logged.
    EXPECT_GT(rounds_with_lines, 50);
}

} // namespace
} // namespace orbek
