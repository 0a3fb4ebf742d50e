#include "support/error_number.h"
#include "usage_log_support.h"
#include "usagelog/folder_marker.h"

#include <sys/stat.h>

namespace orbek {
namespace {

using namespace testing;
namespace fs = std::filesystem;

const std::string MarkerHead =
    crlf_lines({"", Stars, Blank, Company, Blank, Street, Blank,
                "*   Col. Arboledas, Valdera, Jal., C.P. 45120              *", Blank,
                "*   Internacional: +52 (33) 3555-0142                      *", Blank, Web, Blank,
                Sales, Support, Initials, Stars, ""});

class FolderMarker : public DriveC {
  protected:
    int mark(TextView folder, TextView name = u"Log", TextView version = u"7.1") {
        return error_number(
            [&] { write_folder_marker(state_, platform(), folder, name, version); });
    }
};

TEST_F(FolderMarker, MakesTheFolderAndItsMarkerThenRewritesIt) {
    ASSERT_EQ(mark(u"C:\\Kalvix\\Log\\"), 0);
    EXPECT_EQ(bytes_of("Kalvix/Log/Log.Dir"), MarkerHead + crlf_lines({ClosingVersion, ""}));
    clock_.moment += 1;
    ASSERT_EQ(mark(u"C:\\kalvix\\log\\", u"Log", u"2.0 \u00ab\u20ac\u65e5\u00bb"), 0);
    const std::string sunday = "domingo, 6 de diciembre de 2026 *****";
    EXPECT_EQ(
        bytes_of("Kalvix/Log/Log.Dir"),
        MarkerHead +
            crlf_lines({"***** \xabTesmara 2\xbb, Versi\xf3n: 2.0 \xab\x80?\xbb " + sunday, ""}));
    ASSERT_EQ(mark(u"C:\\Kalvix\\Nuevo"), 0); // no backslash: the marker lands beside the folder
    EXPECT_TRUE(fs::is_directory(at("Kalvix/Nuevo")));
    EXPECT_EQ(bytes_of("Kalvix/NuevoLog.Dir"),
              MarkerHead + crlf_lines({"***** \xabTesmara 2\xbb, Versi\xf3n: 7.1 " + sunday, ""}));
}

TEST_F(FolderMarker, FailuresReachTheCallerAndLeaveAnOldMarkerAsItWas) {
    struct Case {
        const char* old_marker; // in C:\Kalvix\Log\, holding "old"
        Text folder;
        Text name;
        int error;
    };
    const Case cases[] = {
        {nullptr, u"C:\\Kalvix\\Log\\", u"Log", 75}, // the folder is there already
        {nullptr, u"C:\\Kalvix\\No\\Log\\", u"Log", 76},
        {"LOG.DIR", u"C:\\Kalvix\\Log\\", u"Log", 75},
        {".Dir", u"C:\\Kalvix\\Log\\", u"", 75}, // hidden, so not seen
        {"Log.Dir", u"C:\\Kalvix\\Log\\", u"L*", 75},
        {"Log.Dir", u"C:\\Kalvix\\Log\\", u"a|b", 52},
        {"ReadOnly.Dir", u"C:\\Kalvix\\Log\\", u"ReadOnly", 75},
    };
    for (const Case& c : cases) {
        fs::remove_all(at("Kalvix/Log"));
        fs::create_directories(at("Kalvix/Log"));
        const fs::path old = at("Kalvix/Log") / (c.old_marker ? c.old_marker : "none");
        std::ofstream(old) << "old";
        ::chmod(at("Kalvix/Log/ReadOnly.Dir").c_str(), 0444);
        EXPECT_EQ(mark(c.folder, c.name), c.error) << to_utf8(c.name);
        EXPECT_EQ(bytes_of(("Kalvix/Log/" + old.filename().string()).c_str()), "old");
    }
}

TEST_F(FolderMarker, WithoutTheDateTextTheMarkerStaysOpenUnfinished) {
    companion_fails_ = true;
    EXPECT_EQ(mark(u"C:\\Kalvix\\Log\\"), vb::ObjectNotSet);
    EXPECT_EQ(bytes_of("Kalvix/Log/Log.Dir"), MarkerHead);
    companion_fails_ = false;
    EXPECT_EQ(mark(u"C:\\Kalvix\\Log\\"), 55);
    PosixFileSystem other_thread{WindowsPaths(root_)};
    EXPECT_EQ(error_number([&] { other_thread.delete_file(u"C:\\Kalvix\\Log\\Log.Dir"); }), 70);
    state_ = {};
    EXPECT_EQ(mark(u"C:\\Kalvix\\Log\\"), 0);
    EXPECT_EQ(bytes_of("Kalvix/Log/Log.Dir"), MarkerHead + crlf_lines({ClosingVersion, ""}));
}

} // namespace
} // namespace orbek
