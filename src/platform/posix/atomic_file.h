// Whole-file reads, and replacements that a crash never leaves half done.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orbek {

// The file's bytes; nullopt when it is missing or cannot be read (a folder, no permission).
std::optional<std::string> read_whole_file(const std::filesystem::path& path);

// Replaces the file with `content` through a temporary file in the same folder, renamed over
// it and made durable (file and folder synced), so that the file is at every moment either
// whole old or whole new. A link is followed and the file keeps its permissions. Fails,
// changing nothing, when the folder is missing or the file is read-only (no write
// permission bit, or not writable by this process): false then.
bool replace_file_atomically(const std::filesystem::path& path, std::string_view content);

} // namespace orbek
