// The usage log's Windows file operations where the host's script cannot look: a file this
// thread holds (55) told from one held by another thread or process (70), and a line others
// read the moment it is written, in the ANSI code page. "usage_log_checks hold PATH" is the
// other process, holding PATH until ended.
#include "automation/vb_error.h"
#include "host_checks.h"
#include "platform/win32/win32_file_system.h"

#include <filesystem>
#include <functional>

using namespace wine_checks;

namespace {

constexpr wchar_t HolderReady[] = L"orbek-usage-log-holder-ready";

int error_of(const std::function<void()>& call) {
    try {
        call();
    } catch (const orbek::VbError& error) {
        return error.number();
    }
    return 0;
}

std::string bytes_of(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    char bytes[256];
    DWORD read = 0;
    ReadFile(file, bytes, sizeof bytes, &read, nullptr);
    CloseHandle(file);
    return std::string(bytes, read);
}

// Runs this program again as the holder of `path`; its process, or null.
HANDLE start_holder(const std::wstring& path) {
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(program) + L"\" hold \"" + path + L"\"";
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, HolderReady);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process);
    if (started) {
        CloseHandle(process.hThread);
        WaitForSingleObject(ready, 15000);
    }
    CloseHandle(ready);
    return started ? process.hProcess : nullptr;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"hold") {
        CreateFileW(argv[2], FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
        SetEvent(OpenEventW(EVENT_MODIFY_STATE, FALSE, HolderReady));
        Sleep(INFINITE);
    }
    Report report;
    const std::wstring scratch = std::wstring(argc > 1 ? argv[1] : L"usage-log") + L"\\";
    const std::wstring path = scratch + L"Held.Log";
    const orbek::Text log(path.begin(), path.end());
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
    CreateDirectoryW(scratch.c_str(), nullptr);

    orbek::Win32FileSystem files;
    orbek::Win32FileSystem other_thread;
    auto file = files.open_for_append(log);
    const std::wstring upper = scratch + L"HELD.LOG"; // the same file under another spelling
    const orbek::Text other_spelling(upper.begin(), upper.end());
    const std::tuple<const char*, orbek::FileSystem*, bool, const orbek::Text*, int> cases[] = {
        {"open again in this thread", &files, true, &other_spelling, 55},
        {"delete in this thread", &files, false, &log, 55},
        {"open in another thread", &other_thread, true, &log, 70},
        {"delete in another thread", &other_thread, false, &log, 70},
    };
    for (const auto& [name, system, open, name_of_file, error] : cases) {
        report.equal(name, error_of([&] {
                         open ? (void)system->open_for_append(*name_of_file)
                              : system->delete_file(*name_of_file);
                     }),
                     error);
    }
    file->write_line(u"Versi\u00f3n \u00abTesmara 2\u00bb \u20ac \u65e5");
    report.check("others read a line as soon as it is written, in the code page",
                 bytes_of(path) == "Versi\xf3n \xabTesmara 2\xbb \x80 ?\r\n");
    file->close();

    const HANDLE holder = start_holder(path);
    report.equal("open while another process holds it",
                 error_of([&] { files.open_for_append(log); }), 70);
    TerminateProcess(holder, 0);
    WaitForSingleObject(holder, 10000);
    CloseHandle(holder);
    std::filesystem::remove_all(scratch, ignored);
    report.done();
    return 0;
}
