// The usage log's file operations through the Win32 API, ANSI forms, as the host's language
// calls them. A file open for appending may be read by others, not written or deleted.
#pragma once

#include "platform/files.h"
#include "platform/win32/win32_append_file.h"

#include <memory>
#include <string>

namespace orbek {

class Win32FileSystem final : public FileSystem {
  public:
    Win32FileSystem();

    std::optional<Text> find_file(TextView path) override;
    void create_folder(TextView path) override;
    void delete_file(TextView path) override;
    std::unique_ptr<AppendFile> open_for_append(TextView path) override;

  private:
    // Error 55 when the file held elsewhere is one this FileSystem has open, else 70.
    [[noreturn]] void fail_as_held(const std::string& path) const;

    std::shared_ptr<Win32OpenFiles> open_files_;
};

} // namespace orbek
