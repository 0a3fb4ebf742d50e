// A host that is killed loses no line that Log had written: a child process logs numbered
// record lines and reports each one through a pipe once Log has returned; the parent kills it
// with SIGKILL at a random moment, many times over, and checks that every reported line is in
// the file, whole, followed at most by the one line the kill interrupted.
#include "usage_log_support.h"
#include "usagelog/usage_log.h"

#include <algorithm>
#include <csignal>
#include <random>
#include <sys/wait.h>

namespace orbek {
namespace {

using namespace testing;
namespace fs = std::filesystem;

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
    int cut_in_flight = 0;
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
        // Walk the lines this round should have added: the start line, then 1, 2, ...
        std::size_t whole = 0; // bytes of whole lines
        int whole_lines = 0;   // the start line included
        std::string next = crlf_lines({"ana: Inicia el Uso de Tesmara. " + Now});
        while (whole + next.size() <= added.size() &&
               added.compare(whole, next.size(), next) == 0) {
            whole += next.size();
            next = expected_line(++whole_lines);
        }
        const std::string tail = added.substr(whole);
        const int records = std::max(whole_lines - 1, 0);
        // Every reported line is there, whole; after them at most the line the kill came in.
        // That one may only be cut where Linux cuts a write on a fatal signal: at the end of a
        // page of the file.
        ASSERT_GE(records, reported) << "round " << round;
        ASSERT_LE(records + (tail.empty() ? 0 : 1), reported + 1) << "round " << round;
        const std::size_t size = checked + added.size();
        ASSERT_TRUE(tail.empty() || (next.starts_with(tail) && size % 4096 == 0))
            << "round " << round << ", file size " << size
            << ", after the whole lines: " << tail.substr(0, 80);
        if (!tail.empty()) {
            ++cut_in_flight;
            fs::resize_file(at("Kalvix/Tesmara.Log"), checked + whole); // a clean next round
        }
        checked += whole;
        rounds_with_lines += reported > 0;
    }
    // The random moments really fell while lines were being logged.
    EXPECT_GT(rounds_with_lines, 50);
    RecordProperty("lines_cut_in_flight", cut_in_flight);
}

} // namespace
} // namespace orbek
