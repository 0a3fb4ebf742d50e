// The INI (private profile) layout as Windows reads and writes it, on a file's bytes. Lines
// end with CR LF, LF or CR. After blanks (space, tab, vertical tab):
//   "[name]" opens a section; the name ends at the first "]" or at the line's end, blanks
//            around it dropped; text after the "]" is ignored;
//   ";..."   is a comment;
//   "k=v"    is an entry: the key before the first "=", the value after it, both without
//            their blanks; a value in a pair of matching quotes (' or ") loses them;
//   any other line is a key without a value, which reads as missing.
// Lines before the first section belong to no section.
// Names are matched without regard to letter case (Windows-1252 letters included); the first
// matching section, and in it the first matching key, is the one read and written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbek::profile {

// A section or key name as the caller gives it: spaces (only spaces) around it do not count.
std::string_view trim_name(std::string_view name);

// The value of `key` in `section`, or nullopt when the section or the key is missing.
std::optional<std::string> find_value(std::string_view content, std::string_view section,
                                      std::string_view key);

// The file with `key` in `section` set to `value`, every other byte kept:
//  - an existing key gets the new value after its "=" (its own spelling and blanks stay; a
//    key without a value gets "=" and the value right after its name);
//  - a new key goes right after the last entry of the section (after the header when it has
//    none), as "key=value" with CR LF;
//  - a new section goes at the end as "[section]" and the key, after a CR LF when the file
//    does not end with a line end.
// Names are written as given less the spaces around them; the value exactly as given.
std::string with_value(std::string_view content, std::string_view section, std::string_view key,
                       std::string_view value);

} // namespace orbek::profile
