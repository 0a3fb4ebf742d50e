// Log never fails a late-bound caller, whatever it is given and whatever the disk holds: random
// modes, texts and values (missing, Null, Empty, objects, error values, numbers and dates too
// large for a text, variables passed by reference as a script passes them) while the folder
// C:\Kalvix and its marker come and go, the log turns read-only and another process or handle holds
// it open. Every call succeeds; only texts are written back; the logs only ever end in CR LF.
// Arguments of a fixed type get values of that type: a caller that passes Null for a text
// fails in the argument binding, as with any method. "usage_log_fuzz hold PATH" is the other
// process, holding PATH until ended.
#include "host_checks.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <windows.h>

using namespace wine_checks;

namespace {

constexpr wchar_t HolderReady[] = L"orbek-usage-log-fuzz-holder-ready";
constexpr const wchar_t* Logs[] = {L"C:\\Kalvix\\Tesmara.Log", L"C:\\Kalvix\\Log\\Tesmara.Log"};
constexpr int Steps = 2000;
constexpr int MostHolderProcesses = 3; // each costs a process start under Wine

class Fuzz {
  public:
    Fuzz(Report& report, IDispatch* orbek) : report_(report), orbek_(orbek) {}

    bool step(int number) {
        if (pick(6) == 0) {
            disturb();
            return true;
        }
        std::vector<Value> values;
        values.reserve(9);
        values.push_back(any_mode());
        values.push_back(text_or_number());
        for (int i = 0; i < 4; ++i) {
            values.push_back(any_value());
        }
        for (int i = 0; i < 3; ++i) {
            values.push_back(pick(8) ? Value(any_text().c_str()) : Value::missing());
        }
        // Variables passed by reference, as a script passes them; they are what may change.
        std::vector<Value> variables(values);
        std::vector<VARIANT> before(9);
        std::vector<VARIANT> arguments;
        const int count = 2 + pick(8);
        for (int i = 0; i < count; ++i) {
            before[i] = *variables[i].get(); // the bits, to tell whether the call replaced it
            arguments.push_back(pick(2) ? by_reference(variables[i]) : *values[i].get());
        }
        const CallResult outcome = call(orbek_, L"Log", arguments);
        if (outcome.result != S_OK) {
            return report_.check("Log call " + std::to_string(number), false,
                                 hresult_text(outcome.result) + " " + utf8(outcome.description));
        }
        for (int i = 0; i < count; ++i) {
            if (std::memcmp(&before[i], variables[i].get(), sizeof(VARIANT)) == 0) {
                continue;
            }
            const std::wstring text =
                V_VT(variables[i].get()) == VT_BSTR ? variables[i].text() : L"?";
            if (i < 2 || i > 5 || (!text.empty() && !text.ends_with(L", "))) {
                return report_.check(
                    "Log call " + std::to_string(number) + " writes back texts only", false,
                    "argument " + std::to_string(i) + " became \"" + utf8(text) + "\"");
            }
            ++written_back_;
        }
        for (const wchar_t* log : Logs) {
            const std::string bytes = last_bytes_of(log);
            if (!bytes.empty() && bytes != "\r\n") {
                return report_.check(
                    "after call " + std::to_string(number) + " " + utf8(log) + " ends in CR LF",
                    false, "it ends in \"" + bytes.substr(bytes.size() - 1) + "\"");
            }
        }
        return true;
    }

    int written_back() const { return written_back_; }

    ~Fuzz() {
        release_holder();
        CloseHandle(held_here_);
    }

  private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    std::wstring any_text() {
        constexpr wchar_t Units[] = {L'a',  L' ', L'\t', L'\r', L'\n',   L'\0',     L'N',     L'o',
                                     L'\\', L':', L'|',  L'*',  L'\xe9', L'\x20ac', L'\xd800'};
        std::wstring text;
        for (int length = pick(12); length > 0; --length) {
            text += Units[pick(std::size(Units))];
        }
        return pick(4) ? text : L"No";
    }

    Value any_mode() {
        Value mode;
        if (pick(3)) {
            V_VT(mode.get()) = VT_UI1;
            constexpr BYTE Modes[] = {1, 2, 2, 2, 2, 3};
            V_UI1(mode.get()) =
                pick(5) ? Modes[pick(std::size(Modes))] : static_cast<BYTE>(pick(256));
        } else {
            V_VT(mode.get()) = VT_I4;
            V_I4(mode.get()) = pick(256);
        }
        return mode;
    }

    Value text_or_number() {
        return pick(4) ? Value(any_text().c_str()) : Value(static_cast<long>(random_()));
    }

    Value any_value() {
        Value value;
        switch (pick(10)) {
        case 0:
            return Value::missing();
        case 1:
            V_VT(value.get()) = VT_NULL;
            return value;
        case 2:
            return value; // Empty
        case 3:
        case 4:
            return Value(any_text().c_str());
        case 5:
            return Value(static_cast<long>(random_()));
        case 6:
            V_VT(value.get()) = VT_R8;
            V_R8(value.get()) = pick(2) ? 1e300 : -0.5;
            return value;
        case 7:
            V_VT(value.get()) = VT_DATE;
            V_DATE(value.get()) = pick(2) ? 45000.25 : 1e10;
            return value;
        case 8:
            V_VT(value.get()) = VT_ERROR;
            V_ERROR(value.get()) = 5;
            return value;
        default:
            V_VT(value.get()) = VT_DISPATCH;
            V_DISPATCH(value.get()) = pick(2) ? orbek_ : nullptr;
            if (V_DISPATCH(value.get()) != nullptr) {
                orbek_->AddRef();
            }
            return value;
        }
    }

    void disturb() {
        std::error_code ignored;
        switch (pick(6)) {
        case 0:
            std::filesystem::remove_all(L"C:\\Kalvix", ignored);
            break;
        case 1:
            std::filesystem::create_directories(L"C:\\Kalvix\\Log", ignored);
            break;
        case 2:
            CloseHandle(
                CreateFileW(pick(2) ? L"C:\\Kalvix\\Log\\Log.Dir" : L"C:\\Kalvix\\Log\\Other",
                            GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
            break;
        case 3:
            SetFileAttributesW(Logs[pick(2)],
                               pick(2) ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
            break;
        case 4:
            if (held_here_ != INVALID_HANDLE_VALUE) {
                CloseHandle(held_here_);
                held_here_ = INVALID_HANDLE_VALUE;
            } else {
                held_here_ = CreateFileW(Logs[pick(2)], FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                         OPEN_ALWAYS, 0, nullptr);
            }
            break;
        default:
            if (holder_ != nullptr) {
                release_holder();
            } else if (holders_started_ < MostHolderProcesses) {
                ++holders_started_;
                holder_ = start_holder(Logs[pick(2)]);
            }
            break;
        }
    }

    // Runs this program again as the holder of `path`; its process, or null.
    static HANDLE start_holder(const std::wstring& path) {
        wchar_t program[MAX_PATH];
        GetModuleFileNameW(nullptr, program, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(program) + L"\" hold \"" + path + L"\"";
        const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, HolderReady);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            CloseHandle(ready);
            return nullptr;
        }
        CloseHandle(process.hThread);
        WaitForSingleObject(ready, 10000);
        CloseHandle(ready);
        return process.hProcess;
    }

    void release_holder() {
        if (holder_ != nullptr) {
            TerminateProcess(holder_, 0);
            WaitForSingleObject(holder_, 10000);
            CloseHandle(holder_);
            holder_ = nullptr;
        }
    }

    // The last two bytes of the file; "" when it is missing or empty.
    static std::string last_bytes_of(const wchar_t* path) {
        const HANDLE file =
            CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return {};
        }
        LARGE_INTEGER size{};
        GetFileSizeEx(file, &size);
        char bytes[2] = {};
        DWORD read = 0;
        const LARGE_INTEGER last{.QuadPart = std::max<LONGLONG>(size.QuadPart - 2, 0)};
        SetFilePointerEx(file, last, nullptr, FILE_BEGIN);
        ReadFile(file, bytes, sizeof bytes, &read, nullptr);
        CloseHandle(file);
        return std::string(bytes, read);
    }

    Report& report_;
    IDispatch* orbek_;
    std::mt19937 random_{20261206};
    HANDLE held_here_ = INVALID_HANDLE_VALUE;
    HANDLE holder_ = nullptr;
    int holders_started_ = 0;
    int written_back_ = 0;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"hold") {
        const HANDLE held = CreateFileW(argv[2], FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                        OPEN_ALWAYS, 0, nullptr);
        SetEvent(OpenEventW(EVENT_MODIFY_STATE, FALSE, HolderReady));
        Sleep(INFINITE);
        CloseHandle(held);
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Report report;
    std::error_code ignored;
    std::filesystem::remove_all(L"C:\\Kalvix", ignored);
    std::filesystem::create_directories(L"C:\\Kalvix", ignored);
    IDispatch* orbek = create_by_prog_id(L"Orbek_DLL.OrbekDLL");
    if (report.check("Orbek_DLL.OrbekDLL is created", orbek != nullptr)) {
        int written_back = 0;
        {
            Fuzz fuzz(report, orbek);
            int step = 0;
            while (step < Steps && fuzz.step(step)) {
                ++step;
            }
            report.check("Log never failed in " + std::to_string(Steps) + " random calls",
                         step == Steps, "stopped at call " + std::to_string(step));
            written_back = fuzz.written_back();
        }
        report.check("the record calls did run", written_back > 100,
                     std::to_string(written_back) + " values written back");
        orbek->Release();
    }
    CoUninitialize();
    for (const wchar_t* log : Logs) {
        SetFileAttributesW(log, FILE_ATTRIBUTE_NORMAL);
    }
    std::filesystem::remove_all(L"C:\\Kalvix", ignored);
    report.done();
    return 0;
}
