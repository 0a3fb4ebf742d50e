// The few file operations of the usage log and the folder markers.
#pragma once

#include "automation/text.h"

#include <memory>
#include <optional>
#include <string_view>

namespace orbek {

class AppendFile {
  public:
    virtual ~AppendFile() = default;
    // One line of 8-bit text, ended by carriage return and line feed.
    virtual void write_line(std::string_view line) = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // The name, as stored, of an ordinary file matching the full path; nullopt if none.
    virtual std::optional<Text> find_file(TextView path) = 0;
    virtual void create_folder(TextView path) = 0; // one level; failures are VB errors
    virtual void delete_file(TextView path) = 0;
    virtual std::unique_ptr<AppendFile> open_for_append(TextView path) = 0;
};

} // namespace orbek
