// The usage log's Windows file operations under Wine, linked directly: their error numbers,
// hidden and system files left unseen, a file held by another thread or process, lines in the
// ANSI code page. "usage_log_checks hold PATH" is the other process, holding PATH until ended.
#include "automation/vb_error.h"
#include "host_checks.h"
#include "platform/win32/win32_file_system.h"

#include <filesystem>
#include <functional>
#include <windows.h>

using namespace wine_checks;

namespace {

constexpr wchar_t HolderReady[] = L"orbek-usage-log-holder-ready";

orbek::Text text(const std::wstring& wide) {
    return orbek::Text(wide.begin(), wide.end());
}

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
    std::string bytes(8192, '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes.substr(0, read);
}

void put_file(const std::wstring& path, DWORD attributes) {
    CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    SetFileAttributesW(path.c_str(), attributes);
}

void file_operation_checks(Report& report, const std::wstring& s) {
    put_file(s + L"Log.Dir", FILE_ATTRIBUTE_NORMAL);
    put_file(s + L"Hidden.Dir", FILE_ATTRIBUTE_HIDDEN);
    put_file(s + L"System.Dir", FILE_ATTRIBUTE_SYSTEM);
    put_file(s + L"ReadOnly.Dir", FILE_ATTRIBUTE_READONLY);
    orbek::Win32FileSystem files;
    for (const auto& [name, found] : {std::pair{L"LOG.DIR", L"Log.Dir"},
                                      {L"ReadOnly.Dir", L"ReadOnly.Dir"},
                                      {L"Hidden.Dir", L"-"},
                                      {L"System.Dir", L"-"},
                                      {L"", L"-"},
                                      {L"No\\Log.Dir", L"-"},
                                      {L"*.Dir", L"-"}}) {
        const auto result = files.find_file(text(s + name));
        report.equal("find " + utf8(name),
                     result ? std::wstring(result->begin(), result->end()) : L"-", found);
    }
    const std::tuple<char, const wchar_t*, int> cases[] = {
        {'f', L"a|b", 52},          {'c', L"New\\", 0},      {'c', L"NEW", 75},
        {'c', L"Log.Dir", 75},      {'c', L"No\\New", 76},   {'c', L"a<b", 52},
        {'d', L"Gone.Dir", 53},     {'d', L"No\\Gone", 76},  {'d', L"ReadOnly.Dir", 75},
        {'d', L"New", 75},          {'d', L"hidden.dir", 0}, {'o', L"No\\A.Log", 76},
        {'o', L"ReadOnly.Dir", 75}, {'o', L"New", 75},       {'o', L"a|b", 52},
    };
    for (const auto& [operation, name, error] : cases) {
        const orbek::Text path = text(s + name);
        report.equal(std::string(1, operation) + " " + utf8(name), error_of([&] {
                         switch (operation) {
                         case 'f':
                             files.find_file(path);
                             break;
                         case 'c':
                             files.create_folder(path);
                             break;
                         case 'd':
                             files.delete_file(path);
                             break;
                         default:
                             files.open_for_append(path);
                             break;
                         }
                     }),
                     error);
    }
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
    if (!CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(ready, 15000);
    CloseHandle(ready);
    return process.hProcess;
}

void held_file_checks(Report& report, const std::wstring& s) {
    const orbek::Text log = text(s + L"Held.Log");
    orbek::Win32FileSystem files;
    orbek::Win32FileSystem other_thread;
    auto file = files.open_for_append(log);
    report.equal("open again here", error_of([&] { files.open_for_append(text(s + L"HELD.LOG")); }),
                 55);
    report.equal("delete here", error_of([&] { files.delete_file(log); }), 55);
    report.equal("open in another thread", error_of([&] { other_thread.open_for_append(log); }),
                 70);
    report.equal("delete in another thread", error_of([&] { other_thread.delete_file(log); }), 70);
    file->write_line(u"Versi\u00f3n \u00abTesmara 2\u00bb \u20ac \u65e5");
    report.check("others read it while it is open, in the code page",
                 bytes_of(s + L"Held.Log") == "Versi\xf3n \xabTesmara 2\xbb \x80 ?\r\n");
    file->close();
    report.equal("a closed file", error_of([&] { file->write_line(u"x"); }), 52);

    const HANDLE holder = start_holder(s + L"Held.Log");
    report.equal("open while another process holds it",
                 error_of([&] { files.open_for_append(log); }), 70);
    report.equal("delete while another process holds it", error_of([&] { files.delete_file(log); }),
                 70);
    TerminateProcess(holder, 0);
    WaitForSingleObject(holder, 10000);
    CloseHandle(holder);
    report.equal("open once that process is gone", error_of([&] { files.open_for_append(log); }),
                 0);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"hold") {
        auto held = orbek::Win32FileSystem().open_for_append(text(argv[2]));
        SetEvent(OpenEventW(EVENT_MODIFY_STATE, FALSE, HolderReady));
        Sleep(INFINITE);
    }
    Report report;
    const std::wstring scratch = std::wstring(argc > 1 ? argv[1] : L"usage-log") + L"\\";
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
    CreateDirectoryW(scratch.c_str(), nullptr);
    file_operation_checks(report, scratch);
    held_file_checks(report, scratch);
    for (const wchar_t* name : {L"ReadOnly.Dir", L"System.Dir"}) {
        SetFileAttributesW((scratch + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::filesystem::remove_all(scratch, ignored);
    report.done();
    return 0;
}
