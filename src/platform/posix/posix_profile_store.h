// The private-profile operations on the native build: our own engine over real INI files,
// behaving as Windows' do, with Windows paths mapped onto a folder that stands for drive C:.
#pragma once

#include "platform/posix/windows_paths.h"
#include "platform/profile_store.h"

#include <optional>
#include <string>

namespace orbek {

class PosixProfileStore final : public ProfileStore {
  public:
    // A file name without a folder lies in `windows_folder`, as on Windows.
    explicit PosixProfileStore(WindowsPaths paths, Text windows_folder = u"C:\\WINDOWS");

    void write_string(std::string_view section, std::string_view key, std::string_view value,
                      std::string_view path) const override;
    std::uint32_t read_int(std::string_view section, std::string_view key, std::int32_t fallback,
                           std::string_view path) const override;
    std::string read_string(std::string_view section, std::string_view key,
                            std::string_view fallback, std::size_t buffer_size,
                            std::string_view path) const override;

    // Where a path given to the operations lies on this machine.
    std::filesystem::path native_path(std::string_view path) const;

  private:
    std::optional<std::string> stored_value(std::string_view section, std::string_view key,
                                            std::string_view path) const;

    WindowsPaths paths_;
    Text windows_folder_;
};

} // namespace orbek
