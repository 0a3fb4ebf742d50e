#include "platform/win32/win32_file_system.h"

#include "automation/vb_error.h"
#include "platform/win32/ansi_text.h"
#include "platform/windows_names.h"

#include <optional>

namespace orbek {
namespace {

// The error of the host's language for a failed create, delete or open.
int vb_error_of(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return vb::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return vb::PathNotFound;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return vb::BadFileNameOrNumber;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return vb::PermissionDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return vb::DiskFull;
    default: // ERROR_ACCESS_DENIED, ERROR_ALREADY_EXISTS and the rest
        return vb::PathFileAccessError;
    }
}

Win32FileIdentity identity_of(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information{};
    GetFileInformationByHandle(file, &information);
    return {information.dwVolumeSerialNumber, information.nFileIndexHigh,
            information.nFileIndexLow};
}

// The path in the code page, or error 52 when Windows would not take it as a file name.
std::string file_path(TextView path) {
    std::string ansi = to_ansi(path);
    if (ansi.empty() || classify_path_name(from_ansi(ansi)) != PathNameKind::Plain) {
        throw VbError(vb::BadFileNameOrNumber);
    }
    return ansi;
}

} // namespace

Win32FileSystem::Win32FileSystem() : open_files_(std::make_shared<Win32OpenFiles>()) {}

void Win32FileSystem::fail_as_held(const std::string& path) const {
    // Asking only for its attributes is never refused for sharing.
    const HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    bool ours = false;
    if (file != INVALID_HANDLE_VALUE) {
        ours = open_files_->contains(identity_of(file));
        CloseHandle(file);
    }
    throw VbError(ours ? vb::FileAlreadyOpen : vb::PermissionDenied);
}

std::optional<Text> Win32FileSystem::find_file(TextView path) {
    const std::string ansi = to_ansi(path);
    switch (classify_path_name(from_ansi(ansi))) {
    case PathNameKind::Invalid:
        throw VbError(vb::BadFileNameOrNumber);
    case PathNameKind::Wildcards:
        return std::nullopt;
    case PathNameKind::Plain:
        break;
    }
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(ansi.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_INVALID_NAME || error == ERROR_BAD_PATHNAME) {
            throw VbError(vb::BadFileNameOrNumber);
        }
        return std::nullopt;
    }
    FindClose(search);
    constexpr DWORD NotOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
    if (found.dwFileAttributes & NotOrdinary) {
        return std::nullopt;
    }
    return from_ansi(found.cFileName);
}

void Win32FileSystem::create_folder(TextView path) {
    if (!CreateDirectoryA(file_path(path).c_str(), nullptr)) {
        const DWORD error = GetLastError();
        throw VbError(error == ERROR_FILE_NOT_FOUND ? vb::PathNotFound : vb_error_of(error));
    }
}

void Win32FileSystem::delete_file(TextView path) {
    const std::string file = file_path(path);
    if (!DeleteFileA(file.c_str())) {
        const DWORD error = GetLastError();
        if (error == ERROR_SHARING_VIOLATION) {
            fail_as_held(file);
        }
        throw VbError(vb_error_of(error));
    }
}

std::unique_ptr<AppendFile> Win32FileSystem::open_for_append(TextView path) {
    const std::string file = file_path(path);
    // Windows refuses to write a read-only file by itself; Wine run by the superuser would not.
    const DWORD attributes = GetFileAttributesA(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        throw VbError(vb::PathFileAccessError);
    }
    // Without FILE_WRITE_DATA every write goes to the end of the file, whoever else wrote.
    const HANDLE handle =
        CreateFileA(file.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_SHARING_VIOLATION) {
            fail_as_held(file);
        }
        throw VbError(error == ERROR_FILE_NOT_FOUND ? vb::PathNotFound : vb_error_of(error));
    }
    const Win32FileIdentity identity = identity_of(handle);
    open_files_->add(identity);
    return std::make_unique<Win32AppendFile>(handle, identity, open_files_);
}

} // namespace orbek
