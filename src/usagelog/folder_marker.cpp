#include "usagelog/folder_marker.h"

#include "usagelog/banner.h"

namespace orbek {
namespace {

constexpr TextView MarkerExtension = u".Dir";
constexpr TextView VersionPrefix = u"***** «Tesmara 2», Versión: ";

void write_marker_lines(AppendFile& marker, const UsageLogPlatform& platform, TextView version) {
    marker.write_line(u"");
    for (const Text& line : maker_frame(MakerFrame::Full)) {
        marker.write_line(line);
    }
    marker.write_line(u"");
    marker.write_line(
        version_line(VersionPrefix, version, banner_date_text(platform.tools, platform.clock)));
    marker.write_line(u"");
}

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
        write_marker_lines(*marker, platform, version);
    } catch (...) {
        // The host's language would leave the file open, unfinished, as it stands.
        state.unfinished_markers.push_back(std::move(marker));
        throw;
    }
    marker->close();
}

} // namespace orbek
