// What Windows allows in a path, checked the same way on every platform before a path
// reaches the file system, so that a bad name fails alike everywhere.
#pragma once

#include "automation/text.h"

namespace orbek {

enum class PathNameKind {
    Plain,     // an ordinary path
    Wildcards, // holds * ? < > or ", which only a search reads, as a pattern
    Invalid,   // holds | or a control character, or a colon other than the drive's
};

inline PathNameKind classify_path_name(TextView path) {
    const bool has_drive = path.size() >= 2 && path[1] == u':';
    PathNameKind kind = PathNameKind::Plain;
    for (std::size_t i = has_drive ? 2 : 0; i < path.size(); ++i) {
        const char16_t unit = path[i];
        if (unit < 32 || unit == u'|' || unit == u':') {
            return PathNameKind::Invalid;
        }
        if (unit == u'*' || unit == u'?' || unit == u'<' || unit == u'>' || unit == u'"') {
            kind = PathNameKind::Wildcards;
        }
    }
    return kind;
}

} // namespace orbek
