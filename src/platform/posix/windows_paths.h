// Windows paths on a POSIX file system. Drive C: is a folder the host chooses; each path
// component is matched to what is on disk without regard to letter case, as Windows does, so
// "C:\KALVIX\log\log.dir" finds <root>/Kalvix/Log/Log.Dir.
#pragma once

#include "automation/text.h"

#include <filesystem>

namespace orbek {

class WindowsPaths {
  public:
    // `c_root` is the folder that stands for the root of drive C:.
    explicit WindowsPaths(std::filesystem::path c_root);

    const std::filesystem::path& c_root() const { return c_root_; }

    // The native path of a Windows path. "C:\a\b" and "C:/a/b" both work; "." and ".."
    // components are resolved in the text, and trailing dots and blanks of a component are
    // dropped, as Windows does. Each component that exists is taken with its letter case on
    // disk (an exact match first, else the first match ignoring case); the rest are kept as
    // written. A relative path stays relative to the process's working folder. Other drives
    // and network paths have no mapping: they give a path under "<root>/../<drive letter>:",
    // a place that does not exist, so file operations on them fail as on a missing drive.
    std::filesystem::path native(TextView windows_path) const;

    // The Windows form ("C:\...") of a native path below the root; the path itself, with
    // "/" turned into "\", when it lies elsewhere.
    Text windows(const std::filesystem::path& native_path) const;

  private:
    std::filesystem::path c_root_;
};

// The folder below which the native build keeps drive C: when the host names none:
// $XDG_DATA_HOME/orbek/c, or ~/.local/share/orbek/c.
std::filesystem::path default_c_root();

} // namespace orbek
