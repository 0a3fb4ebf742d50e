#include "platform/posix/posix_file_system.h"

#include "automation/vb_error.h"
#include "automation/windows1252.h"
#include "platform/windows_names.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orbek {
namespace {

namespace fs = std::filesystem;

// Texts reach the file system in the 8-bit code page, as the host's language hands them over.
Text through_code_page(TextView text) {
    return from_windows1252(to_windows1252(text));
}

// The error of the host's language for a failed create, delete or open.
int vb_error_of(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return vb::PathNotFound;
    case ENAMETOOLONG:
    case EILSEQ:
        return vb::BadFileNameOrNumber;
    case ENOSPC:
    case EDQUOT:
        return vb::DiskFull;
    default: // EEXIST, EACCES, EPERM, EROFS, EISDIR, EBUSY and the rest
        return vb::PathFileAccessError;
    }
}

bool is_read_only(const struct stat& status) {
    return (status.st_mode & S_IWUSR) == 0;
}

PosixFileIdentity identity_of(const struct stat& status) {
    return {status.st_dev, status.st_ino};
}

} // namespace

PosixFileSystem::PosixFileSystem(WindowsPaths paths)
    : paths_(std::move(paths)), open_files_(std::make_shared<PosixOpenFiles>()) {}

fs::path PosixFileSystem::native_path(TextView path) const {
    const Text windows_path = through_code_page(path);
    if (windows_path.empty() || classify_path_name(windows_path) != PathNameKind::Plain) {
        throw VbError(vb::BadFileNameOrNumber);
    }
    return paths_.native(windows_path);
}

void PosixFileSystem::fail_as_held(int descriptor) const {
    struct stat status {};
    const bool ours =
        ::fstat(descriptor, &status) == 0 && open_files_->contains(identity_of(status));
    ::close(descriptor);
    throw VbError(ours ? vb::FileAlreadyOpen : vb::PermissionDenied);
}

std::optional<Text> PosixFileSystem::find_file(TextView path) {
    const Text windows_path = through_code_page(path);
    switch (classify_path_name(windows_path)) {
    case PathNameKind::Invalid:
        throw VbError(vb::BadFileNameOrNumber);
    case PathNameKind::Wildcards:
        return std::nullopt;
    case PathNameKind::Plain:
        break;
    }
    const fs::path file = paths_.native(windows_path);
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    const std::string name = file.filename().string();
    if (name.empty() || name.front() == '.') {
        return std::nullopt;
    }
    return through_code_page(from_utf8(name));
}

void PosixFileSystem::create_folder(TextView path) {
    const fs::path folder = native_path(path);
    if (::mkdir(folder.c_str(), 0777) != 0) {
        throw VbError(vb_error_of(errno));
    }
}

void PosixFileSystem::delete_file(TextView path) {
    const fs::path file = native_path(path);
    struct stat status {};
    if (::lstat(file.c_str(), &status) != 0) {
        struct stat folder {};
        const bool folder_there =
            ::stat(file.parent_path().c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
        throw VbError(folder_there ? vb::FileNotFound : vb::PathNotFound);
    }
    if (S_ISDIR(status.st_mode) || (S_ISREG(status.st_mode) && is_read_only(status))) {
        throw VbError(vb::PathFileAccessError);
    }
    if (S_ISREG(status.st_mode)) {
        // Windows refuses to delete a file that someone holds open for writing.
        const int probe = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (probe >= 0) {
            if (::flock(probe, LOCK_EX | LOCK_NB) != 0) {
                fail_as_held(probe);
            }
            ::close(probe);
        }
    }
    if (::unlink(file.c_str()) != 0) {
        throw VbError(vb_error_of(errno));
    }
}

std::unique_ptr<AppendFile> PosixFileSystem::open_for_append(TextView path) {
    const fs::path file = native_path(path);
    struct stat before {};
    const bool existed = ::stat(file.c_str(), &before) == 0;
    if (existed && (!S_ISREG(before.st_mode) || is_read_only(before))) {
        throw VbError(vb::PathFileAccessError);
    }
    // O_NONBLOCK so that a pipe put there in the meantime cannot hang the call; it changes
    // nothing for an ordinary file.
    const int descriptor = ::open(
        file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    if (descriptor < 0) {
        throw VbError(vb_error_of(errno));
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        fail_as_held(descriptor);
    }
    struct stat opened {};
    ::fstat(descriptor, &opened);
    const PosixFileIdentity identity = identity_of(opened);
    open_files_->add(identity);
    return std::make_unique<PosixAppendFile>(descriptor, identity, open_files_,
                                             existed ? fs::path() : file.parent_path());
}

} // namespace orbek
