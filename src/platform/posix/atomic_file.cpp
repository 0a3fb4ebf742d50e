#include "platform/posix/atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace orbek {
namespace {

namespace fs = std::filesystem;

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }

  private:
    int fd_;
};

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file a write goes to: the target of a link, so that the link stays a link.
fs::path write_target(const fs::path& path) {
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        const fs::path target = fs::weakly_canonical(path, error);
        if (!error) {
            return target;
        }
    }
    return path;
}

// A new, unused name beside the file: the process id and a random number keep writers
// (processes, or threads of one) apart; a name already taken is drawn again.
Descriptor create_temporary(const fs::path& target, mode_t mode, fs::path& name) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = target;
        name += ".orbek-" + std::to_string(::getpid()) + "-" + std::to_string(random()) + ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            return Descriptor(fd);
        }
    }
    return Descriptor(-1);
}

// Makes a rename in the folder durable. The new name is in place either way, so a failure
// here changes nothing the caller could act on.
void sync_folder(const fs::path& folder) {
    const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) {
        ::fsync(fd.get());
    }
}

} // namespace

std::optional<std::string> read_whole_file(const fs::path& path) {
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        return std::nullopt;
    }
    std::string content;
    char chunk[65536];
    for (;;) {
        const ssize_t count = ::read(fd.get(), chunk, sizeof chunk);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt; // a folder, or a read error
        }
        if (count == 0) {
            return content;
        }
        content.append(chunk, static_cast<std::size_t>(count));
    }
}

bool replace_file_atomically(const fs::path& path, std::string_view content) {
    const fs::path target = write_target(path);
    mode_t mode = 0666; // a new file: the process's umask decides, as for any new file
    bool keep_mode = false;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        const bool read_only = (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
        if (!S_ISREG(existing.st_mode) || read_only || ::access(target.c_str(), W_OK) != 0) {
            return false;
        }
        mode = existing.st_mode & 07777;
        keep_mode = true;
    }
    fs::path temporary;
    {
        const Descriptor fd = create_temporary(target, mode, temporary);
        if (fd.get() < 0) {
            return false; // the folder is missing or cannot be written
        }
        const bool written = write_all(fd.get(), content) &&
                             (!keep_mode || ::fchmod(fd.get(), mode) == 0) &&
                             ::fsync(fd.get()) == 0;
        if (!written) {
            ::unlink(temporary.c_str());
            return false;
        }
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    sync_folder(folder);
    return true;
}

} // namespace orbek
