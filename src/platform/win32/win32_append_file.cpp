#include "platform/win32/win32_append_file.h"

#include "automation/vb_error.h"
#include "platform/win32/ansi_text.h"

namespace orbek {

Win32AppendFile::Win32AppendFile(HANDLE handle, Win32FileIdentity identity,
                                 std::shared_ptr<Win32OpenFiles> open_files)
    : handle_(handle), identity_(identity), open_files_(std::move(open_files)) {}

Win32AppendFile::~Win32AppendFile() {
    try {
        close();
    } catch (...) {
    }
}

void Win32AppendFile::write_line(TextView line) {
    if (handle_ == INVALID_HANDLE_VALUE) {
        throw VbError(vb::BadFileNameOrNumber);
    }
    // One WriteFile for the whole line, converted into a buffer that keeps its room.
    bytes_.clear();
    append_ansi(bytes_, line);
    bytes_ += "\r\n";
    const char* next = bytes_.data();
    DWORD left = static_cast<DWORD>(bytes_.size());
    while (left > 0) {
        DWORD written = 0;
        if (!WriteFile(handle_, next, left, &written, nullptr)) {
            const DWORD error = GetLastError();
            throw VbError(error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL
                              ? vb::DiskFull
                              : vb::DeviceIoError);
        }
        next += written;
        left -= written;
    }
}

void Win32AppendFile::close() {
    if (handle_ == INVALID_HANDLE_VALUE) {
        return;
    }
    const bool flushed = FlushFileBuffers(handle_) != FALSE;
    open_files_->remove(identity_);
    CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (!flushed) {
        throw VbError(vb::DeviceIoError);
    }
}

} // namespace orbek
