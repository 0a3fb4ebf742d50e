// A file open for appending through the Win32 API: each line is one WriteFile on a handle
// that may only append, so it reaches the system whole before the call returns; close()
// flushes the file to the disk.
#pragma once

#include "platform/files.h"
#include "platform/open_file_table.h"

#include <memory>
#include <string>
#include <windows.h>

namespace orbek {

struct Win32FileIdentity {
    DWORD volume;
    DWORD index_high;
    DWORD index_low;
    friend bool operator==(const Win32FileIdentity&, const Win32FileIdentity&) = default;
};

using Win32OpenFiles = OpenFileTable<Win32FileIdentity>;

class Win32AppendFile final : public AppendFile {
  public:
    // Takes over `handle`, which `open_files` lists under `identity`.
    Win32AppendFile(HANDLE handle, Win32FileIdentity identity,
                    std::shared_ptr<Win32OpenFiles> open_files);
    ~Win32AppendFile() override;
    Win32AppendFile(const Win32AppendFile&) = delete;
    Win32AppendFile& operator=(const Win32AppendFile&) = delete;

    void write_line(TextView line) override;
    void close() override;

  private:
    HANDLE handle_;
    Win32FileIdentity identity_;
    std::shared_ptr<Win32OpenFiles> open_files_;
    std::string bytes_; // the line being written, kept only for its capacity
};

} // namespace orbek
