// Times kernel32's profile functions on a file of 100 keys, for the INI rows of
// docs/performance.md: a read and a write of one key against reading the file's bytes alone,
// the same rows the native benchmark (bench/ini_bench.cpp) measures. Prints "name microseconds".
#include <cstdio>
#include <string>
#include <windows.h>

namespace {

double now_us() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

template <typename Body> void time(const char* name, int rounds, Body body) {
    body(0); // the first call may load or cache the file
    const double start = now_us();
    for (int i = 0; i < rounds; ++i) {
        body(i);
    }
    std::printf("%s %.3f\n", name, (now_us() - start) / rounds);
}

} // namespace

int wmain() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "orbek-ini-timing.ini";
    std::string content = "[Settings]\r\n";
    for (int i = 0; i < 100; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "Key%03d=Value number %03d\r\n", i, i);
        content += line;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);

    time("Baseline_ReadFileBytes", 20000, [&](int) {
        HANDLE in = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
        static char buffer[65536];
        DWORD read = 0;
        ReadFile(in, buffer, sizeof buffer, &read, nullptr);
        CloseHandle(in);
    });
    time("ReadString", 20000, [&](int) {
        char buffer[255];
        GetPrivateProfileStringA("Settings", "Key050", "", buffer, sizeof buffer, path.c_str());
    });
    time("ReadInt", 20000,
         [&](int) { GetPrivateProfileIntA("Settings", "Key099", 0, path.c_str()); });
    time("Write", 5000, [&](int i) {
        WritePrivateProfileStringA("Settings", "Key050", i % 2 ? "1" : "0", path.c_str());
    });
    DeleteFileA(path.c_str());
    std::printf("# done\n");
    return 0;
}
