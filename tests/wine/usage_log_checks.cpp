// The usage log's Windows side under Wine, linked directly: the file operations' error
// numbers, hidden and system files left unseen, a file held by another process, lines in
// the ANSI code page; then a folder marker and a whole period of use written under C:\Kalvix
// with the real companion. "usage_log_checks hold PATH" is the other process: it holds PATH
// open for appending until it is ended.
#include "automation/vb_error.h"
#include "host_checks.h"
#include "platform/win32/ansi_text.h"
#include "platform/win32/com_sys_tools.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "usagelog/folder_marker.h"
#include "usagelog/usage_log.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <windows.h>

using namespace wine_checks;
namespace fs = std::filesystem;

namespace {

constexpr wchar_t HolderReady[] = L"orbek-usage-log-holder-ready";

orbek::Text text(const std::wstring& wide) {
    return orbek::Text(wide.begin(), wide.end());
}

std::wstring wide(orbek::TextView text) {
    return std::wstring(text.begin(), text.end());
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
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<cannot be read>";
    }
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

void put_file(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, "old", 3, &written, nullptr);
    CloseHandle(file);
    SetFileAttributesW(path.c_str(), attributes);
}

void clear_folder(const std::wstring& folder) {
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(folder, ignored)) {
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    fs::remove_all(folder, ignored);
}

void find_checks(Report& report, const std::wstring& scratch) {
    const std::wstring s = scratch + L"\\";
    put_file(s + L"Log.Dir");
    put_file(s + L"Hidden.Dir", FILE_ATTRIBUTE_HIDDEN);
    put_file(s + L"System.Dir", FILE_ATTRIBUTE_SYSTEM);
    put_file(s + L"ReadOnly.Dir", FILE_ATTRIBUTE_READONLY);
    CreateDirectoryW((s + L"Folder.Dir").c_str(), nullptr);
    orbek::Win32FileSystem files;
    const std::pair<const wchar_t*, std::optional<std::wstring>> cases[] = {
        {L"Log.Dir", L"Log.Dir"},           {L"LOG.DIR", L"Log.Dir"},
        {L"ReadOnly.Dir", L"ReadOnly.Dir"}, {L"Hidden.Dir", std::nullopt},
        {L"System.Dir", std::nullopt},      {L"Folder.Dir", std::nullopt},
        {L"Missing.Dir", std::nullopt},     {L"Missing\\Log.Dir", std::nullopt},
        {L"*.Dir", std::nullopt},           {L"Log.Di?", std::nullopt},
    };
    for (const auto& [name, expected] : cases) {
        const std::optional<orbek::Text> found = files.find_file(text(s + name));
        report.equal(std::string("find ") + utf8(name),
                     found ? wide(*found) : std::wstring(L"<nothing>"),
                     expected.value_or(L"<nothing>"));
    }
    report.equal("find a bad name is error 52",
                 error_of([&] { files.find_file(text(s + L"a|b.Dir")); }), 52);
}

void error_checks(Report& report, const std::wstring& scratch) {
    const std::wstring s = scratch + L"\\";
    struct Case {
        const char* name;
        std::function<void(orbek::FileSystem&)> call;
        int error;
    };
    const Case cases[] = {
        {"create a folder", [&](orbek::FileSystem& f) { f.create_folder(text(s + L"New\\")); }, 0},
        {"create an existing folder",
         [&](orbek::FileSystem& f) { f.create_folder(text(s + L"NEW")); }, 75},
        {"create over a file", [&](orbek::FileSystem& f) { f.create_folder(text(s + L"Log.Dir")); },
         75},
        {"create without a parent",
         [&](orbek::FileSystem& f) { f.create_folder(text(s + L"No\\New")); }, 76},
        {"create a bad name", [&](orbek::FileSystem& f) { f.create_folder(text(s + L"a<b")); }, 52},
        {"delete a missing file",
         [&](orbek::FileSystem& f) { f.delete_file(text(s + L"Gone.Dir")); }, 53},
        {"delete in a missing folder",
         [&](orbek::FileSystem& f) { f.delete_file(text(s + L"No\\Gone.Dir")); }, 76},
        {"delete a read-only file",
         [&](orbek::FileSystem& f) { f.delete_file(text(s + L"ReadOnly.Dir")); }, 75},
        {"delete a folder", [&](orbek::FileSystem& f) { f.delete_file(text(s + L"New")); }, 75},
        {"delete a file", [&](orbek::FileSystem& f) { f.delete_file(text(s + L"hidden.dir")); }, 0},
        {"open in a missing folder",
         [&](orbek::FileSystem& f) { f.open_for_append(text(s + L"No\\A.Log")); }, 76},
        {"open a read-only file",
         [&](orbek::FileSystem& f) { f.open_for_append(text(s + L"ReadOnly.Dir")); }, 75},
        {"open a folder", [&](orbek::FileSystem& f) { f.open_for_append(text(s + L"New")); }, 75},
        {"open a bad name", [&](orbek::FileSystem& f) { f.open_for_append(text(s + L"a|b.Log")); },
         52},
        {"open a new file", [&](orbek::FileSystem& f) { f.open_for_append(text(s + L"A.Log")); },
         0},
    };
    orbek::Win32FileSystem files;
    for (const Case& c : cases) {
        report.equal(c.name, error_of([&] { c.call(files); }), c.error);
    }
    report.check("a deleted file is gone",
                 GetFileAttributesW((s + L"Hidden.Dir").c_str()) == INVALID_FILE_ATTRIBUTES);
}

// Runs this program again as the holder of `path`; its process handle, or null.
HANDLE start_holder(const std::wstring& path) {
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(program) + L"\" hold \"" + path + L"\"";
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, HolderReady);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    HANDLE holder = nullptr;
    if (CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        holder = process.hProcess;
        if (WaitForSingleObject(ready, 15000) != WAIT_OBJECT_0) {
            TerminateProcess(holder, 1);
            CloseHandle(holder);
            holder = nullptr;
        }
    }
    CloseHandle(ready);
    return holder;
}

void held_file_checks(Report& report, const std::wstring& scratch) {
    const std::wstring path = scratch + L"\\Held.Log";
    const orbek::Text log = text(path);
    orbek::Win32FileSystem files;
    orbek::Win32FileSystem other_thread;
    {
        auto file = files.open_for_append(log);
        report.equal("open again in this thread is 55",
                     error_of([&] { files.open_for_append(text(scratch + L"\\HELD.LOG")); }), 55);
        report.equal("delete in this thread is 55", error_of([&] { files.delete_file(log); }), 55);
        report.equal("open from another thread is 70",
                     error_of([&] { other_thread.open_for_append(log); }), 70);
        report.equal("delete from another thread is 70",
                     error_of([&] { other_thread.delete_file(log); }), 70);
        file->write_line(u"Versi\u00f3n \u00abTesmara 2\u00bb \u20ac \u65e5");
        report.equal("others may read it while it is open",
                     bytes_of(path) == "Versi\xf3n \xabTesmara 2\xbb \x80 ?\r\n", true);
        file->close();
        report.equal("a closed file is error 52", error_of([&] { file->write_line(u"x"); }), 52);
    }
    report.equal("closed, another thread opens it",
                 error_of([&] { other_thread.open_for_append(log); }), 0);

    const HANDLE holder = start_holder(path);
    if (!report.check("the other process holds the file", holder != nullptr)) {
        return;
    }
    report.equal("open while another process holds it is 70",
                 error_of([&] { files.open_for_append(log); }), 70);
    report.equal("delete while another process holds it is 70",
                 error_of([&] { files.delete_file(log); }), 70);
    TerminateProcess(holder, 0);
    WaitForSingleObject(holder, 10000);
    CloseHandle(holder);
    report.equal("once that process is gone it opens",
                 error_of([&] { files.open_for_append(log); }), 0);
}

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A marker and a whole period of use under C:\Kalvix with the real companion.
void period_of_use_checks(Report& report) {
    const std::wstring kalvix = L"C:\\Kalvix";
    for (const wchar_t* old : {L"C:\\Kalvix\\Log\\Log.Dir", L"C:\\Kalvix\\Log\\Tesmara.Log"}) {
        DeleteFileW(old);
    }
    RemoveDirectoryW(L"C:\\Kalvix\\Log");
    const bool made_kalvix = CreateDirectoryW(kalvix.c_str(), nullptr) != FALSE;

    std::shared_ptr<orbek::SysTools> tools;
    try {
        tools = orbek::create_com_sys_tools();
    } catch (const orbek::VbError&) {
    }
    if (!report.check("the companion is there", tools != nullptr)) {
        return;
    }
    orbek::Win32Clock clock;
    orbek::Win32FileSystem files;
    orbek::UsageLogState state;
    const orbek::UsageLogPlatform platform{files, clock, *tools};
    const std::string date_text = orbek::to_ansi(tools->DateToText(
        orbek::Variant::date(static_cast<long>(clock.now())), u"E", u"", true, true));
    const std::string stars(60, '*');

    report.equal("ArchStay makes C:\\Kalvix\\Log\\Log.Dir", error_of([&] {
                     orbek::write_folder_marker(state, platform, u"C:\\Kalvix\\Log\\", u"Log",
                                                u"7.1");
                 }),
                 0);
    const std::string marker = bytes_of(L"C:\\Kalvix\\Log\\Log.Dir");
    report.check("the marker starts with an empty line and asterisks",
                 marker.rfind("\r\n" + stars + "\r\n", 0) == 0);
    report.check("the marker ends with its version line in the code page",
                 ends_with(marker, "\r\n\r\n***** \xabTesmara 2\xbb, Versi\xf3n: 7.1 " + date_text +
                                       " *****\r\n\r\n"),
                 marker.substr(marker.size() > 120 ? marker.size() - 120 : 0));
    report.equal("the marker is 20 lines", std::count(marker.begin(), marker.end(), '\n'), 20);

    orbek::Variant employee(orbek::Text(u" Juan ")), missing = orbek::Variant::missing();
    orbek::Variant initial = missing, final_date = missing, comment = missing;
    orbek::usage_log(state, platform, 1, u"", employee, initial, final_date, comment, u"", u"ana",
                     u"7.1");
    orbek::usage_log(state, platform, 2, u"Altas", employee, initial, final_date, comment, u"",
                     u"ana", u"7.1");
    report.equal("the record wrote back the employee's text",
                 employee.holds<orbek::Text>() ? wide(employee.as<orbek::Text>()) : L"?",
                 L"Juan, ");
    orbek::usage_log(state, platform, 3, u"", employee, initial, final_date, comment, u"", u"ana",
                     u"7.1");
    report.check("the end call closed the log", !state.log);

    const std::string log = bytes_of(L"C:\\Kalvix\\Log\\Tesmara.Log");
    report.check("the log is in the marked folder and starts with its banner",
                 log.rfind(stars + "\r\n", 0) == 0, log.substr(0, 80));
    report.check("the opening version line",
                 log.find("\r\n\r\n***** Tesmara 2, Versi\xf3n: 7.1 " + date_text +
                          " *****\r\n\r\nana: Inicia el Uso de Tesmara. ") != std::string::npos);
    report.check("the record line", log.find("\r\nana, Altas, Juan,  ") != std::string::npos);
    report.check("the end lines",
                 log.find("\r\nana, Finaliza el Uso de Tesmara. ") != std::string::npos &&
                     ends_with(log, "\r\n\r\n***** \xabTesmara 2\xbb, Versi\xf3n: 7.1 " +
                                        date_text + " *****\r\n\r\n"),
                 log.substr(log.size() > 160 ? log.size() - 160 : 0));

    DeleteFileW(L"C:\\Kalvix\\Log\\Tesmara.Log");
    DeleteFileW(L"C:\\Kalvix\\Log\\Log.Dir");
    RemoveDirectoryW(L"C:\\Kalvix\\Log");
    if (made_kalvix) {
        RemoveDirectoryW(kalvix.c_str());
    }
}

int hold(const std::wstring& path) {
    orbek::Win32FileSystem files;
    auto file = files.open_for_append(text(path));
    const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, HolderReady);
    SetEvent(ready);
    Sleep(INFINITE);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"hold") {
        return hold(argv[2]);
    }
    Report report;
    if (argc != 2) {
        report.check("usage: usage_log_checks SCRATCH-FOLDER", false);
        report.done();
        return 1;
    }
    const std::wstring scratch = argv[1];
    clear_folder(scratch);
    CreateDirectoryW(scratch.c_str(), nullptr);
    find_checks(report, scratch);
    error_checks(report, scratch);
    held_file_checks(report, scratch);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    period_of_use_checks(report);
    CoUninitialize();
    clear_folder(scratch);
    report.done();
    return 0;
}
