// The usage log's file operations on a POSIX system, over the Windows-path mapping of drive
// C:. Natively a file is hidden when its name starts with a dot, and a system file is
// anything that is neither an ordinary file nor a folder (devices, pipes, sockets); a file
// whose owner may not write it counts as read-only, whoever runs the process. A file open
// for appending carries an exclusive flock() lock, which stands for Windows' share mode:
// another process or thread of the component that opens or deletes it gets error 70.
#pragma once

#include "platform/files.h"
#include "platform/posix/posix_append_file.h"
#include "platform/posix/windows_paths.h"

#include <memory>

namespace orbek {

class PosixFileSystem final : public FileSystem {
  public:
    explicit PosixFileSystem(WindowsPaths paths);

    std::optional<Text> find_file(TextView path) override;
    void create_folder(TextView path) override;
    void delete_file(TextView path) override;
    std::unique_ptr<AppendFile> open_for_append(TextView path) override;

  private:
    // The native path of a Windows path, after its trip through the code page; a bad
    // name is error 52.
    std::filesystem::path native_path(TextView path) const;
    // Error 55 when this FileSystem has the open file itself, else 70.
    [[noreturn]] void fail_as_held(int descriptor) const;

    WindowsPaths paths_;
    std::shared_ptr<PosixOpenFiles> open_files_;
};

} // namespace orbek
