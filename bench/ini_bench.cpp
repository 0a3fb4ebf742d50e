// The native INI engine on a file of 100 keys: a read and a write of one key, against reading
// the file's bytes alone (the baseline of these rows). The Wine side of the comparison is
// bench/wine/profile_timing.cpp.
#include "platform/posix/atomic_file.h"
#include "platform/posix/posix_profile_store.h"
#include "platform/posix/profile_text.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {

using namespace orbek;
namespace fs = std::filesystem;

std::string hundred_keys() {
    std::string content = "[Settings]\r\n";
    for (int i = 0; i < 100; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "Key%03d=Value number %03d\r\n", i, i);
        content += line;
    }
    return content;
}

struct IniFile {
    IniFile() {
        fs::create_directories(root / "bench");
        std::ofstream(root / "bench" / "hundred.ini", std::ios::binary) << hundred_keys();
    }
    ~IniFile() { fs::remove_all(root); }
    fs::path root = fs::temp_directory_path() / ("orbek-ini-bench-" + std::to_string(::getpid()));
    PosixProfileStore store{WindowsPaths(root)};
    const char* path = "C:\\bench\\hundred.ini";
};

void BM_Ini_Baseline_ReadFileBytes(benchmark::State& state) {
    IniFile file;
    for (auto _ : state) {
        benchmark::DoNotOptimize(read_whole_file(file.root / "bench" / "hundred.ini"));
    }
}
BENCHMARK(BM_Ini_Baseline_ReadFileBytes)->UseRealTime();

void BM_Ini_ReadString(benchmark::State& state) {
    IniFile file;
    for (auto _ : state) {
        benchmark::DoNotOptimize(file.store.read_string("Settings", "Key050", "", 255, file.path));
    }
}
BENCHMARK(BM_Ini_ReadString)->UseRealTime();

void BM_Ini_ReadInt(benchmark::State& state) {
    IniFile file;
    for (auto _ : state) {
        benchmark::DoNotOptimize(file.store.read_int("Settings", "Key099", 0, file.path));
    }
}
BENCHMARK(BM_Ini_ReadInt)->UseRealTime();

// A whole write: the file read, changed, written to a temporary file, synced, renamed and
// the folder synced.
void BM_Ini_Write(benchmark::State& state) {
    IniFile file;
    long round = 0;
    for (auto _ : state) {
        file.store.write_string("Settings", "Key050", std::to_string(++round % 2), file.path);
    }
}
BENCHMARK(BM_Ini_Write)->UseRealTime();

// The engine's own part of a write: finding the key and making the new content.
void BM_Ini_WriteInMemory(benchmark::State& state) {
    const std::string content = hundred_keys();
    for (auto _ : state) {
        benchmark::DoNotOptimize(profile::with_value(content, "Settings", "Key050", "1"));
    }
}
BENCHMARK(BM_Ini_WriteInMemory)->UseRealTime();

} // namespace
