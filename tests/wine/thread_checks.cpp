// Two apartment threads with OrbekDLL objects: each thread has its own companion object, so
// what happens to one thread's module state never shows on the other.
// Argument: the Windows path of MireldaSys.dll, which this host unregisters for a while to
// make one thread's class start fail (and registers again before it ends).
#include "host_checks.h"

#include <functional>
#include <windows.h>

using namespace wine_checks;

namespace {

// A thread in its own single-threaded apartment that runs the tasks it is given, one at a
// time, while the main thread waits for each. (Win32 threads: this toolchain's C++ library
// has no std::thread.)
class ApartmentThread {
  public:
    ApartmentThread()
        : task_ready_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
          task_done_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
          thread_(CreateThread(nullptr, 0, &ApartmentThread::start, this, 0, nullptr)) {}
    ~ApartmentThread() {
        run(nullptr);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        CloseHandle(task_ready_);
        CloseHandle(task_done_);
    }
    ApartmentThread(const ApartmentThread&) = delete;
    ApartmentThread& operator=(const ApartmentThread&) = delete;

    // Runs the task on this thread and returns when it has ended; a null task ends the thread.
    void run(std::function<void()> task) {
        task_ = std::move(task);
        SetEvent(task_ready_);
        WaitForSingleObject(task_done_, INFINITE);
    }

  private:
    static DWORD WINAPI start(void* self) {
        static_cast<ApartmentThread*>(self)->loop();
        return 0;
    }

    void loop() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        for (;;) {
            WaitForSingleObject(task_ready_, INFINITE);
            const bool last = !task_;
            if (!last) {
                task_();
            }
            if (last) {
                CoUninitialize();
                SetEvent(task_done_);
                return;
            }
            SetEvent(task_done_);
        }
    }

    std::function<void()> task_;
    HANDLE task_ready_;
    HANDLE task_done_;
    HANDLE thread_;
};

using ServerEntry = HRESULT(STDAPICALLTYPE*)();

// The companion's registration, switched off and on from this process.
class CompanionRegistration {
  public:
    explicit CompanionRegistration(const wchar_t* path) : library_(LoadLibraryW(path)) {
        if (library_ != nullptr) {
            register_ = export_of<ServerEntry>(library_, "DllRegisterServer");
            unregister_ = export_of<ServerEntry>(library_, "DllUnregisterServer");
        }
    }
    ~CompanionRegistration() {
        if (register_ != nullptr) {
            register_(); // whatever happened, the companion is registered again
        }
        if (library_ != nullptr) {
            FreeLibrary(library_);
        }
    }
    CompanionRegistration(const CompanionRegistration&) = delete;
    CompanionRegistration& operator=(const CompanionRegistration&) = delete;

    bool usable() const { return register_ != nullptr && unregister_ != nullptr; }
    HRESULT unregister() { return unregister_(); }
    HRESULT register_again() { return register_(); }

  private:
    HMODULE library_;
    ServerEntry register_ = nullptr;
    ServerEntry unregister_ = nullptr;
};

// Seg2Hrs(5415) on the object: "01:30:15" when its thread has a companion object.
bool seg2hrs_works(IDispatch* object, HRESULT* result = nullptr) {
    Value seconds(5415L);
    CallResult answer = call(object, L"Seg2Hrs", {*seconds});
    if (result != nullptr) {
        *result = answer.result == DISP_E_EXCEPTION ? answer.scode : answer.result;
    }
    return answer.result == S_OK && answer.value.text() == L"01:30:15";
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Report report;
    if (argc < 2) {
        report.check("thread_checks arguments", false,
                     "usage: thread_checks <MireldaSys.dll path>");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        CompanionRegistration companion(argv[1]);
        report.check("MireldaSys.dll's registration entry points", companion.usable(),
                     "LoadLibrary or GetProcAddress failed");
        ApartmentThread first;
        ApartmentThread second;
        IDispatch* first_a = nullptr;
        IDispatch* first_b = nullptr;
        IDispatch* second_a = nullptr;

        first.run([&] {
            first_a = create_by_prog_id(L"Orbek_DLL.OrbekDLL");
            first_b = create_by_prog_id(L"Orbek_DLL.OrbekDLL");
        });
        if (!report.check("thread 1 creates two objects", first_a && first_b, "creation failed") ||
            !companion.usable()) {
            report.done();
            return 0;
        }
        first.run([&] {
            report.check("thread 1: the first object works", seg2hrs_works(first_a), "Seg2Hrs");
            first_a->Release();
            first_a = nullptr;
            report.check("thread 1: releasing one object leaves the other working",
                         seg2hrs_works(first_b), "Seg2Hrs failed");
        });

        report.hresult("MireldaSys unregistered", companion.unregister(), S_OK);
        second.run([&] {
            second_a = create_by_prog_id(L"Orbek_DLL.OrbekDLL");
            report.check("thread 2 creates an object without the companion", second_a != nullptr,
                         "creation failed");
            HRESULT failure = S_OK;
            report.check("thread 2: Seg2Hrs fails without its thread's companion",
                         second_a != nullptr && !seg2hrs_works(second_a, &failure) &&
                             HRESULT_FACILITY(failure) == FACILITY_CONTROL,
                         "answer " + hresult_text(failure));
        });
        first.run([&] {
            report.check("thread 1 keeps its own companion meanwhile", seg2hrs_works(first_b),
                         "Seg2Hrs failed");
            CallResult restart = call(first_b, L"Class_Initialize", {});
            report.hresult("thread 1: Class_Initialize without the companion ignores the failure",
                           restart.result, S_OK);
            report.check("thread 1: a failed class start leaves the companion it had",
                         seg2hrs_works(first_b), "Seg2Hrs failed");
        });

        report.hresult("MireldaSys registered again", companion.register_again(), S_OK);
        second.run([&] {
            if (second_a == nullptr) {
                return;
            }
            call(second_a, L"Class_Initialize", {});
            report.check("thread 2: Class_Initialize makes its thread's companion",
                         seg2hrs_works(second_a), "Seg2Hrs failed");
        });
        first.run([&] {
            first_b->Release();
            first_b = nullptr;
        });
        second.run([&] {
            if (second_a == nullptr) {
                return;
            }
            report.check("thread 2 works after thread 1 released all its objects",
                         seg2hrs_works(second_a), "Seg2Hrs failed");
            IDispatch* another = create_by_prog_id(L"Orbek_DLL.OrbekDLL");
            report.check("thread 2: a second object on the thread works",
                         another != nullptr && seg2hrs_works(another), "Seg2Hrs failed");
            if (another != nullptr) {
                another->Release();
            }
            second_a->Release();
        });
    }
    CoUninitialize();
    report.done();
    return 0;
}
