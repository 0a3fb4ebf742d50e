#include "platform/posix/posix_profile_store.h"

#include "automation/windows1252.h"
#include "platform/posix/atomic_file.h"
#include "platform/posix/profile_number.h"
#include "platform/posix/profile_text.h"

#include <algorithm>

namespace orbek {
namespace {

namespace fs = std::filesystem;

bool names_a_folder(TextView path) {
    const bool has_drive = path.size() >= 2 && path[1] == u':';
    return has_drive || path.find_first_of(u"\\/") != TextView::npos;
}

} // namespace

PosixProfileStore::PosixProfileStore(WindowsPaths paths, Text windows_folder)
    : paths_(std::move(paths)), windows_folder_(std::move(windows_folder)) {}

fs::path PosixProfileStore::native_path(std::string_view path) const {
    const Text windows_path = from_windows1252(path);
    if (windows_path.empty()) {
        return fs::path(); // names no file at all
    }
    if (names_a_folder(windows_path)) {
        return paths_.native(windows_path);
    }
    return paths_.native(windows_folder_ + u"\\" + windows_path);
}

void PosixProfileStore::write_string(std::string_view section, std::string_view key,
                                     std::string_view value, std::string_view path) const {
    const fs::path file = native_path(path);
    if (file.empty()) {
        return;
    }
    if (!names_a_folder(from_windows1252(path))) {
        // The Windows folder always exists on Windows; here it is made on first use.
        std::error_code ignored;
        fs::create_directories(file.parent_path(), ignored);
    }
    const std::string content = read_whole_file(file).value_or(std::string());
    replace_file_atomically(file, profile::with_value(content, section, key, value));
}

std::optional<std::string> PosixProfileStore::stored_value(std::string_view section,
                                                           std::string_view key,
                                                           std::string_view path) const {
    const fs::path file = native_path(path);
    if (file.empty()) {
        return std::nullopt;
    }
    const std::optional<std::string> content = read_whole_file(file);
    if (!content) {
        return std::nullopt;
    }
    return profile::find_value(*content, section, key);
}

std::uint32_t PosixProfileStore::read_int(std::string_view section, std::string_view key,
                                          std::int32_t fallback, std::string_view path) const {
    const std::optional<std::string> value = stored_value(section, key, path);
    const std::optional<std::uint32_t> number =
        value ? profile::profile_number(*value) : std::nullopt;
    return number.value_or(static_cast<std::uint32_t>(fallback));
}

std::string PosixProfileStore::read_string(std::string_view section, std::string_view key,
                                           std::string_view fallback, std::size_t buffer_size,
                                           std::string_view path) const {
    if (buffer_size == 0) {
        return std::string();
    }
    std::string value;
    if (std::optional<std::string> stored = stored_value(section, key, path)) {
        value = std::move(*stored);
    } else {
        // A default loses its trailing spaces (spaces only), but never its first character.
        const std::size_t kept = fallback.find_last_not_of(' ') + 1;
        value = fallback.substr(0, std::max<std::size_t>(kept, 1));
    }
    value.resize(std::min(value.size(), buffer_size - 1));
    return value;
}

} // namespace orbek
