#include "platform/posix/windows_paths.h"

#include <cstdlib>
#include <optional>
#include <system_error>
#include <vector>

namespace orbek {
namespace {

namespace fs = std::filesystem;

bool is_separator(char16_t unit) {
    return unit == u'\\' || unit == u'/';
}

bool is_drive_letter(char16_t unit) {
    return (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z');
}

// The components of the path after its root, with "." and ".." worked out in the text and
// trailing dots and blanks dropped, as Windows normalises a path before it looks at the disk.
std::vector<Text> components_of(TextView path) {
    std::vector<Text> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !is_separator(path[end])) {
            ++end;
        }
        TextView part = path.substr(start, end - start);
        if (part == u"..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (part != u".") {
            while (!part.empty() && (part.back() == u'.' || part.back() == u' ')) {
                part.remove_suffix(1);
            }
            if (!part.empty()) {
                parts.emplace_back(part);
            }
        }
        start = end + 1;
    }
    return parts;
}

// The entry of `folder` that is `name` on Windows: the exact name when it exists, else the
// first entry equal to it ignoring case; nothing when there is none.
std::optional<fs::path> entry_named(const fs::path& folder, const Text& name) {
    const fs::path exact = folder / to_utf8(name);
    std::error_code error;
    if (fs::exists(fs::symlink_status(exact, error))) {
        return exact;
    }
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (equals_ignoring_case(from_utf8(it->path().filename().string()), name)) {
            return it->path();
        }
    }
    return std::nullopt;
}

fs::path resolve_below(fs::path folder, const std::vector<Text>& parts) {
    bool on_disk = true;
    for (const Text& part : parts) {
        if (on_disk) {
            if (std::optional<fs::path> found = entry_named(folder, part)) {
                folder = *found;
                continue;
            }
            on_disk = false; // nothing below a missing component can exist
        }
        folder /= to_utf8(part);
    }
    return folder;
}

} // namespace

WindowsPaths::WindowsPaths(fs::path c_root) : c_root_(std::move(c_root)) {}

fs::path WindowsPaths::native(TextView path) const {
    const bool has_drive = path.size() >= 2 && is_drive_letter(path[0]) && path[1] == u':';
    if (has_drive) {
        const char16_t drive = path[0];
        if (drive != u'C' && drive != u'c') {
            return c_root_.parent_path() / (std::string(1, static_cast<char>(drive)) + ":") /
                   to_utf8(path.substr(2));
        }
        return resolve_below(c_root_, components_of(path.substr(2)));
    }
    if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1])) {
        return c_root_.parent_path() / "UNC" / to_utf8(path.substr(2)); // no network here
    }
    if (!path.empty() && is_separator(path[0])) {
        return resolve_below(c_root_, components_of(path)); // the root of the current drive
    }
    const fs::path relative = resolve_below(fs::path("."), components_of(path));
    return relative.lexically_relative(".");
}

Text WindowsPaths::windows(const fs::path& native_path) const {
    const fs::path relative =
        native_path.lexically_normal().lexically_relative(c_root_.lexically_normal());
    Text text;
    if (!relative.empty() && *relative.begin() != "..") {
        text = u"C:\\" + from_utf8(relative == "." ? std::string() : relative.generic_string());
    } else {
        text = from_utf8(native_path.generic_string());
    }
    for (char16_t& unit : text) {
        if (unit == u'/') {
            unit = u'\\';
        }
    }
    return text;
}

fs::path default_c_root() {
    if (const char* data_home = std::getenv("XDG_DATA_HOME"); data_home && *data_home) {
        return fs::path(data_home) / "orbek" / "c";
    }
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "orbek" / "c";
}

} // namespace orbek
