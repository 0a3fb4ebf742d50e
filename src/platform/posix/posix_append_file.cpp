#include "platform/posix/posix_append_file.h"

#include "automation/vb_error.h"
#include "automation/windows1252.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace orbek {

PosixAppendFile::PosixAppendFile(int descriptor, PosixFileIdentity identity,
                                 std::shared_ptr<PosixOpenFiles> open_files,
                                 std::filesystem::path created_in)
    : descriptor_(descriptor), identity_(identity), open_files_(std::move(open_files)),
      created_in_(std::move(created_in)) {}

PosixAppendFile::~PosixAppendFile() {
    try {
        close();
    } catch (...) {
    }
}

void PosixAppendFile::write_line(TextView line) {
    if (descriptor_ < 0) {
        throw VbError(vb::BadFileNameOrNumber);
    }
    // One write for the whole line: with O_APPEND the kernel places it after whatever is
    // there, and once it has taken the bytes a killed process no longer matters.
    bytes_.clear();
    append_windows1252(bytes_, line);
    bytes_ += "\r\n";
    const char* next = bytes_.data();
    std::size_t left = bytes_.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor_, next, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw VbError(errno == ENOSPC || errno == EDQUOT ? vb::DiskFull : vb::DeviceIoError);
        }
        next += written;
        left -= static_cast<std::size_t>(written);
    }
}

void PosixAppendFile::close() {
    if (descriptor_ < 0) {
        return;
    }
    const bool flushed = ::fsync(descriptor_) == 0;
    if (!created_in_.empty()) {
        // A new file's name lives in its folder: flush that too, or a power cut could lose
        // the whole file with its flushed lines.
        const int folder = ::open(created_in_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }
    open_files_->remove(identity_);
    ::close(descriptor_);
    descriptor_ = -1;
    if (!flushed) {
        throw VbError(vb::DeviceIoError);
    }
}

} // namespace orbek
