#include "usagelog/folder_marker.h"

#include "usagelog/banner.h"

namespace orbek {
namespace {

constexpr TextView MarkerExtension = u".Dir";
constexpr TextView VersionPrefix = u"***** «Tesmara 2», Versión: ";

} // namespace

void write_folder_marker(UsageLogState& state, const UsageLogPlatform& platform, TextView folder,
                         TextView name, TextView version) {
    const Text marker_name = Text(name) + Text(MarkerExtension);
    const Text marker_path = Text(folder) + marker_name;
    if (platform.files.find_file(marker_path) == marker_name) {
        platform.files.delete_file(marker_path);
    } else {
        platform.files.create_folder(folder);
    }
    std::unique_ptr<AppendFile> marker = platform.files.open_for_append(marker_path);
    try {
        marker->write_line(u"");
        write_banner(*marker, MakerFrame::Full, VersionPrefix, version, platform.tools,
                     platform.clock);
    } catch (...) {
        // The host's language would leave the file open, unfinished, as it stands.
        state.unfinished_markers.push_back(std::move(marker));
        throw;
    }
    marker->close();
}

} // namespace orbek
