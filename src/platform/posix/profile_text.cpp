#include "platform/posix/profile_text.h"

namespace orbek::profile {
namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::size_t NoValue = std::string_view::npos;

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\v';
}

bool is_line_break(char c) {
    return c == '\r' || c == '\n';
}

std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Windows-1252 letters in one case, as Windows compares names: ASCII, the Latin-1 letters
// and the five letters of 0x8A-0x9F with a partner in the code page.
unsigned char fold_case(unsigned char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<unsigned char>(c - ('a' - 'A'));
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return static_cast<unsigned char>(c - 0x20);
    }
    switch (c) {
    case 0x9A: // š
    case 0x9C: // œ
    case 0x9E: // ž
        return static_cast<unsigned char>(c - 0x10);
    case 0xFF: // ÿ
        return 0x9F;
    default:
        return c;
    }
}

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold_case(static_cast<unsigned char>(a[i])) !=
            fold_case(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

enum class LineKind { Other, Section, Entry };

// One line of the file: its text without the line end, where the next line starts, and
// what it holds.
struct Line {
    std::size_t end = 0;  // where the line end starts
    std::size_t next = 0; // after the line end
    LineKind kind = LineKind::Other;
    std::string_view name;       // the section's or the entry's name
    std::size_t value_begin = 0; // an entry's first byte after "=", or NoValue
};

Line read_line(std::string_view content, std::size_t begin) {
    Line line;
    line.end = begin;
    while (line.end < content.size() && !is_line_break(content[line.end])) {
        ++line.end;
    }
    line.next = line.end;
    if (line.next < content.size()) {
        const bool carriage_return = content[line.next] == '\r';
        ++line.next;
        if (carriage_return && line.next < content.size() && content[line.next] == '\n') {
            ++line.next;
        }
    }

    std::string_view text = content.substr(begin, line.end - begin);
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() == ';') {
        return line;
    }
    if (text.front() == '[') {
        text.remove_prefix(1);
        line.kind = LineKind::Section;
        line.name = trim_blanks(text.substr(0, text.find(']')));
        return line;
    }
    // A line without "=" is a key without a value: it can be found, and reads as missing.
    const std::size_t equals = text.find('=');
    line.kind = LineKind::Entry;
    line.name = trim_blanks(text.substr(0, equals));
    line.value_begin = equals == std::string_view::npos
                           ? NoValue
                           : static_cast<std::size_t>(text.data() - content.data()) + equals + 1;
    return line;
}

std::string_view entry_value(std::string_view content, const Line& line) {
    std::string_view value =
        trim_blanks(content.substr(line.value_begin, line.end - line.value_begin));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// Where the section and key were found in a file.
struct Place {
    bool section_found = false;
    std::size_t after_last_entry = 0; // or after the header when the section has no entry
    bool last_line_ended = true;      // whether that line has a line end
    std::optional<Line> entry;        // the matching entry
};

Place find(std::string_view content, std::string_view section, std::string_view key) {
    Place place;
    for (std::size_t at = 0; at < content.size();) {
        const Line line = read_line(content, at);
        at = line.next;
        if (line.kind == LineKind::Section) {
            if (place.section_found) {
                break; // the first matching section is the only one that counts
            }
            if (same_name(line.name, section)) {
                place.section_found = true;
                place.after_last_entry = line.next;
                place.last_line_ended = line.next > line.end;
            }
        } else if (line.kind == LineKind::Entry && place.section_found) {
            if (same_name(line.name, key)) {
                place.entry = line;
                break;
            }
            place.after_last_entry = line.next;
            place.last_line_ended = line.next > line.end;
        }
    }
    return place;
}

} // namespace

std::string_view trim_name(std::string_view name) {
    while (!name.empty() && name.front() == ' ') {
        name.remove_prefix(1);
    }
    while (!name.empty() && name.back() == ' ') {
        name.remove_suffix(1);
    }
    return name;
}

std::optional<std::string> find_value(std::string_view content, std::string_view section,
                                      std::string_view key) {
    const Place place = find(content, trim_name(section), trim_name(key));
    if (!place.entry || place.entry->value_begin == NoValue) {
        return std::nullopt;
    }
    return std::string(entry_value(content, *place.entry));
}

std::string with_value(std::string_view content, std::string_view section, std::string_view key,
                       std::string_view value) {
    section = trim_name(section);
    key = trim_name(key);
    const Place place = find(content, section, key);
    std::string out;
    if (place.entry) {
        const Line& line = *place.entry;
        if (line.value_begin == NoValue) {
            // The "=" goes right after the name.
            const std::size_t name_end =
                static_cast<std::size_t>(line.name.data() - content.data()) + line.name.size();
            out.append(content.substr(0, name_end)).append("=");
        } else {
            out.append(content.substr(0, line.value_begin));
        }
        out.append(value);
        out.append(line.next > line.end ? content.substr(line.end, line.next - line.end) : LineEnd);
        out.append(content.substr(line.next));
        return out;
    }
    if (place.section_found) {
        out.append(content.substr(0, place.after_last_entry));
        if (!place.last_line_ended) {
            out.append(LineEnd);
        }
        out.append(key).append("=").append(value).append(LineEnd);
        out.append(content.substr(place.after_last_entry));
        return out;
    }
    out.append(content);
    if (!content.empty() && !is_line_break(content.back())) {
        out.append(LineEnd);
    }
    out.append("[").append(section).append("]").append(LineEnd);
    out.append(key).append("=").append(value).append(LineEnd);
    return out;
}

} // namespace orbek::profile
