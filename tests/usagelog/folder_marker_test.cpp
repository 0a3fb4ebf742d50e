#include "support/error_number.h"
#include "usage_log_support.h"
#include "usagelog/folder_marker.h"

#include <sys/stat.h>

namespace orbek {
namespace {

using namespace testing;
namespace fs = std::filesystem;

std::string marker_head() {
    return crlf_lines({"", Asterisks, FramedBlank, CompanyLine, FramedBlank, StreetLine,
                       FramedBlank, PostalLine, FramedBlank, AbroadLine, FramedBlank, HomePageLine,
                       FramedBlank, SalesLine, SupportLine, InitialsLine, Asterisks, ""});
}

std::string marker(const std::string& version, const std::string& date_text = TodayText) {
    return marker_head() + crlf_lines({"***** \xabTesmara 2\xbb, Versi\xf3n: " + version + " " +
                                           date_text + " *****",
                                       ""});
}

class FolderMarker : public DriveC {
  protected:
    int mark(TextView folder, TextView name, TextView version = u"7.1") {
        return error_number(
            [&] { write_folder_marker(state_, platform(), folder, name, version); });
    }
};

TEST_F(FolderMarker, MakesTheLogFolderWithItsMarkerThenRewritesIt) {
    ASSERT_EQ(mark(u"C:\\Kalvix\\Log\\", u"Log"), 0);
    EXPECT_TRUE(fs::is_directory(at("Kalvix/Log")));
    EXPECT_EQ(bytes_of("Kalvix/Log/Log.Dir"), marker("7.1"));

    clock_.moment += 1;
    ASSERT_EQ(mark(u"C:\\Kalvix\\Log\\", u"Log", u"7.2"), 0);
    EXPECT_EQ(bytes_of("Kalvix/Log/Log.Dir"), marker("7.2", "domingo, 6 de diciembre de 2026"));
    EXPECT_TRUE(state_.unfinished_markers.empty());
}

TEST_F(FolderMarker, FailuresReachTheCaller) {
    struct Case {
        const char* name;
        std::vector<const char*> folders;
        const char* old_marker; // put there first with the bytes "old"
        Text folder;
        Text marker_name;
        int error;
    };
    const Case cases[] = {
        {"folder there but no marker", {"Kalvix/Log"}, nullptr, u"C:\\Kalvix\\Log\\", u"Log", 75},
        {"parent folder missing", {}, nullptr, u"C:\\Kalvix\\No\\Log\\", u"Log", 76},
        {"marker in other letter case",
         {"Kalvix/Log"},
         "Kalvix/Log/LOG.DIR",
         u"C:\\Kalvix\\Log\\",
         u"Log",
         75},
        {"a hidden marker is not seen",
         {"Kalvix/Log"},
         "Kalvix/Log/.Dir",
         u"C:\\Kalvix\\Log\\",
         u"",
         75},
        {"a wildcard names no marker",
         {"Kalvix/Log"},
         "Kalvix/Log/Log.Dir",
         u"C:\\Kalvix\\Log\\",
         u"L*",
         75},
        {"a bad name", {"Kalvix/Log"}, nullptr, u"C:\\Kalvix\\Log\\", u"a|b", 52},
        {"another drive", {}, nullptr, u"D:\\Kalvix\\", u"Log", 76},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(at("Kalvix"));
        fs::create_directories(at("Kalvix"));
        for (const char* folder : c.folders) {
            fs::create_directories(at(folder));
        }
        if (c.old_marker) {
            put_file(c.old_marker, "old");
        }
        EXPECT_EQ(mark(c.folder, c.marker_name), c.error);
        if (c.old_marker) {
            EXPECT_EQ(bytes_of(c.old_marker), "old");
        }
        EXPECT_FALSE(fs::exists(at("Kalvix/Log/Log.Dir")) && !c.old_marker);
    }
}

TEST_F(FolderMarker, AMarkerThatCannotBeDeletedStays) {
    fs::create_directories(at("Kalvix/Log"));
    put_file("Kalvix/Log/Log.Dir", "old");
    ::chmod(at("Kalvix/Log/Log.Dir").c_str(), 0444);
    EXPECT_EQ(mark(u"C:\\Kalvix\\Log\\", u"Log"), 75);
    ::chmod(at("Kalvix/Log/Log.Dir").c_str(), 0644);

    PosixFileSystem other_thread{WindowsPaths(root_)};
    auto held = other_thread.open_for_append(u"C:\\Kalvix\\Log\\Log.Dir");
    EXPECT_EQ(mark(u"C:\\Kalvix\\Log\\", u"Log"), 70);
    EXPECT_EQ(bytes_of("Kalvix/Log/Log.Dir"), "old");
}

TEST_F(FolderMarker, AFolderWithoutItsBackslashGetsItsMarkerBesideIt) {
    ASSERT_EQ(mark(u"C:\\Kalvix\\Nuevo", u"Log"), 0);
    EXPECT_TRUE(fs::is_directory(at("Kalvix/Nuevo")));
    EXPECT_EQ(bytes_of("Kalvix/NuevoLog.Dir"), marker("7.1"));
}

TEST_F(FolderMarker, WithoutTheDateTextTheMarkerStaysUnfinishedAndOpen) {
    tools_.fail = true;
    EXPECT_EQ(mark(u"C:\\Kalvix\\Log\\", u"Log"), 91);
    EXPECT_EQ(bytes_of("Kalvix/Log/Log.Dir"), marker_head());
    ASSERT_EQ(state_.unfinished_markers.size(), 1u);

    // Still open: this thread cannot delete it, nobody else can write it.
    tools_.fail = false;
    EXPECT_EQ(mark(u"C:\\Kalvix\\Log\\", u"Log"), 55);
    PosixFileSystem other_thread{WindowsPaths(root_)};
    EXPECT_EQ(error_number([&] { other_thread.open_for_append(u"C:\\Kalvix\\Log\\Log.Dir"); }), 70);

    state_ = {};
    EXPECT_EQ(mark(u"C:\\Kalvix\\Log\\", u"Log"), 0);
    EXPECT_EQ(bytes_of("Kalvix/Log/Log.Dir"), marker("7.1"));
}

TEST_F(FolderMarker, VersionTextInTheCodePage) {
    ASSERT_EQ(mark(u"C:\\Kalvix\\Caf\u00e9\\", u"Caf\u00e9", u"2.0 \u00abbeta\u00bb \u20ac \u65e5"),
              0);
    const std::string bytes = bytes_of("Kalvix/Caf\xc3\xa9/Caf\xc3\xa9.Dir");
    EXPECT_NE(bytes.find("Versi\xf3n: 2.0 \xab"
                         "beta\xbb \x80 ? s\xe1"
                         "bado"),
              std::string::npos);
}

} // namespace
} // namespace orbek
