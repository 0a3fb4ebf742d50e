// What a record line of the usage log costs against writing the same finished text with a
// buffered stream in the same run: once without a flush (the line may still sit in the
// process when it dies) and once flushed to the system per line (what Log guarantees).
#include "platform/posix/posix_file_system.h"
#include "platform/posix/system_clock.h"
#include "recording_window_layer.h"
#include "sys_tools_impl.h"
#include "usagelog/usage_log.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using namespace orbek;
namespace fs = std::filesystem;

// Files are emptied every so many lines so that a long run does not fill the disk.
constexpr std::int64_t LinesBetweenEmptying = 100000;

// The line a record call below writes, as a stream would get it.
const std::string RecordText = "ana, Altas, Juan, 15/03/2023, ok,  05/12/2026 14:30:15";

struct Folder {
    Folder() : root(fs::temp_directory_path() / ("orbek-bench-" + std::to_string(::getpid()))) {
        fs::remove_all(root);
        fs::create_directories(root / "Kalvix");
    }
    ~Folder() { fs::remove_all(root); }
    fs::path root;
};

void stream_lines(benchmark::State& state, bool flush_each_line) {
    Folder folder;
    const fs::path path = folder.root / "stream.log";
    std::ofstream out(path, std::ios::binary | std::ios::app);
    std::int64_t lines = 0;
    for (auto _ : state) {
        out << RecordText << "\r\n";
        if (flush_each_line) {
            out.flush();
        }
        if (++lines % LinesBetweenEmptying == 0) {
            state.PauseTiming();
            out.close();
            fs::resize_file(path, 0);
            out.open(path, std::ios::binary | std::ios::app);
            state.ResumeTiming();
        }
    }
}

void BM_UsageLog_StreamLine(benchmark::State& state) {
    stream_lines(state, false);
}
BENCHMARK(BM_UsageLog_StreamLine);

void BM_UsageLog_StreamLineFlushed(benchmark::State& state) {
    stream_lines(state, true);
}
BENCHMARK(BM_UsageLog_StreamLineFlushed);

void BM_UsageLog_Record(benchmark::State& state) {
    Folder folder;
    PosixFileSystem files{WindowsPaths(folder.root)};
    SystemClock clock;
    RecordingWindowLayer windows;
    SysToolsImpl tools(windows);
    UsageLogState log;
    const UsageLogPlatform platform{files, clock, tools};
    Variant employee, initial, final_date, comment;
    usage_log(log, platform, 1, u"", employee, initial, final_date, comment, u"", u"ana", u"7.1");
    const fs::path path = folder.root / "Kalvix" / "Tesmara.Log";
    std::int64_t lines = 0;
    for (auto _ : state) {
        employee = Text(u" Juan ");
        initial = Variant::date(45000);
        final_date = Variant::missing();
        comment = Text(u"ok");
        usage_log(log, platform, 2, u"Altas", employee, initial, final_date, comment, u"", u"ana",
                  u"7.1");
        if (++lines % LinesBetweenEmptying == 0) {
            state.PauseTiming();
            fs::resize_file(path, 0); // appends go on at the new end
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_UsageLog_Record);

} // namespace
