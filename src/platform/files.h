// The few file operations of the usage log and the folder markers, with the errors the host's
// language gives for them. Paths are Windows paths; on the way to the platform they pass
// through the 8-bit ANSI code page, so a character without a form there arrives as '?'.
//
// A FileSystem belongs to one thread, like the host language's table of open files: it
// knows which files it has open itself (error 55 when one of them is asked for again),
// while a file held by anyone else is error 70.
#pragma once

#include "automation/text.h"

#include <memory>
#include <optional>

namespace orbek {

class AppendFile {
  public:
    // Closes the file as close() does; a failure then is not reported.
    virtual ~AppendFile() = default;

    // One line in the 8-bit ANSI code page, ended by carriage return and line feed, handed
    // to the operating system before the call returns: a process killed afterwards loses
    // nothing. Disk full is error 61, another write failure 57, a closed file 52.
    virtual void write_line(TextView line) = 0;

    // Flushes the file to the disk and closes it; a failing flush is error 57, after which
    // the file is closed all the same. Closing a closed file does nothing.
    virtual void close() = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // The name, as stored, of the ordinary file that the full path names: not a folder, not
    // hidden, not a system file; nullopt when there is none or its folder is missing. A name
    // with wildcards names no single file and finds nothing. A bad name is error 52.
    virtual std::optional<Text> find_file(TextView path) = 0;

    // One level. The folder (or a file of its name) already there, or no right to create
    // it: 75; its parent missing: 76; a bad name: 52.
    virtual void create_folder(TextView path) = 0;

    // Missing file 53; missing folder 76; read-only or a folder: 75; open in this thread: 55;
    // held open by another process or thread: 70; a bad name: 52.
    virtual void delete_file(TextView path) = 0;

    // Opens for appending, creating the file when missing; others may read it while it is
    // open, not write or delete it. Missing folder 76; read-only, a folder, or no right to
    // write: 75; already open in this thread: 55; held by another process or thread: 70; a
    // bad name: 52.
    virtual std::unique_ptr<AppendFile> open_for_append(TextView path) = 0;
};

} // namespace orbek
