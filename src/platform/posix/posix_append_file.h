// A file open for appending on a POSIX system: every line goes to the kernel in one write,
// so it survives the process; close() flushes it to the disk.
#pragma once

#include "platform/files.h"
#include "platform/open_file_table.h"

#include <filesystem>
#include <memory>
#include <string>
#include <sys/types.h>

namespace orbek {

struct PosixFileIdentity {
    dev_t device;
    ino_t inode;
    friend bool operator==(const PosixFileIdentity&, const PosixFileIdentity&) = default;
};

using PosixOpenFiles = OpenFileTable<PosixFileIdentity>;

class PosixAppendFile final : public AppendFile {
  public:
    // Takes over `descriptor`, which `open_files` lists under `identity`. `created_in` is
    // the folder of a file the open created (its entry is flushed too), else empty.
    PosixAppendFile(int descriptor, PosixFileIdentity identity,
                    std::shared_ptr<PosixOpenFiles> open_files, std::filesystem::path created_in);
    ~PosixAppendFile() override;
    PosixAppendFile(const PosixAppendFile&) = delete;
    PosixAppendFile& operator=(const PosixAppendFile&) = delete;

    void write_line(TextView line) override;
    void close() override;

  private:
    int descriptor_;
    PosixFileIdentity identity_;
    std::shared_ptr<PosixOpenFiles> open_files_;
    std::filesystem::path created_in_;
    std::string bytes_; // the line being written, kept only for its capacity
};

} // namespace orbek
