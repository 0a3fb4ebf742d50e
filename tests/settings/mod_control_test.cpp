// What the routines add to the profile operations: the default file and its write-back, and
// the cleaning of a read text. The calls on real files are in the shared INI corpus.
#include "automation/vb_error.h"
#include "platform/posix/windows1252_code_page.h"
#include "settings/mod_control.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using namespace std::string_literals;

// Records which file the last call named and answers what the test sets.
struct RecordingStore final : ProfileStore {
    void write_string(std::string_view, std::string_view, std::string_view,
                      std::string_view p) const override {
        path = p;
    }
    std::uint32_t read_int(std::string_view, std::string_view, std::int32_t,
                           std::string_view p) const override {
        path = p;
        return 0;
    }
    std::string read_string(std::string_view, std::string_view, std::string_view, std::size_t,
                            std::string_view p) const override {
        path = p;
        return text;
    }
    mutable std::string path;
    std::string text;
};

// The component's file; an empty path stands for a platform that cannot tell.
struct Component final : ComponentFile {
    explicit Component(Text path) : path_(std::move(path)) {}
    Text path() const override {
        return path_.empty() ? throw VbError(vb::PathFileAccessError) : path_;
    }
    Text path_;
};

struct Fixture {
    explicit Fixture(Text component_path = u"C:\\Kalvix\\Orbek_DLL.dll")
        : component(std::move(component_path)) {}
    RecordingStore store;
    Windows1252CodePage ansi;
    Component component;
    SettingsPlatform platform{store, ansi, component};
};

TEST(ModControl, AnEmptyFileNameBecomesTheComponentsSettingsFileAndIsWrittenBack) {
    const struct {
        Text component, file, extension, used;
    } cases[] = {
        {u"C:\\Kalvix\\Orbek_DLL.dll", u"", u"INI", u"C:\\Kalvix\\Orbek_DLL.INI"},
        {u"C:\\Orbek_DLL.dll", u"", u"cfg", u"C:\\Orbek_DLL.cfg"}, // a drive's root: one "\"
        {u"C:\\Kalvix\\Orbek_DLL.dll", u"", u"", u"C:\\Kalvix\\Orbek_DLL."},
        {u"C:\\Kalvix\\Orbek.v2.dll", u"", u"INI", u"C:\\Kalvix\\Orbek.v2.INI"},
        {u"C:\\My.Apps\\Orbek", u"", u"INI", u"C:\\My.Apps\\Orbek.INI"},
        {u"\\\\server\\share\\Orbek_DLL.dll", u"", u"ini", u"\\\\server\\share\\Orbek_DLL.ini"},
        // A name given is used as it is, no folder added, the extension playing no part; the
        // component is not asked (here it could not tell).
        {u"", u"mine.ini", u"abc", u"mine.ini"},
        {u"", u" ", u"INI", u" "},
    };
    for (const auto& c : cases) {
        Fixture w(c.component), i(c.component), s(c.component);
        Text a = c.file, b = c.file, d = c.file;
        IniWrite(w.platform, u"S", u"K", u"V", a, c.extension);
        IniReadInt(i.platform, u"S", u"K", b, 0, c.extension);
        IniReadStr(s.platform, u"S", u"K", d, u"", c.extension);
        for (const Fixture* f : {&w, &i, &s}) {
            EXPECT_EQ(f->store.path, to_utf8(c.used));
        }
        EXPECT_TRUE(a == c.used && b == c.used && d == c.used) << to_utf8(c.used);
    }
}

TEST(ModControl, ReadStrDropsEveryCodeZeroThenTheSpacesAround) {
    Fixture f;
    f.store.text = " \0 x\0y \0 "s;
    Text file = u"f.ini";
    EXPECT_EQ(IniReadStr(f.platform, u"S", u"K", file, u"", u"INI"), u"xy");
}

TEST(ModControl, AFailureToFindTheComponentIsTheMethodsError) {
    Fixture f(u"");
    Text empty;
    EXPECT_THROW(IniWrite(f.platform, u"S", u"K", u"V", empty, u"INI"), VbError);
    EXPECT_THROW(IniReadInt(f.platform, u"S", u"K", empty, 0, u"INI"), VbError);
    EXPECT_THROW(IniReadStr(f.platform, u"S", u"K", empty, u"", u"INI"), VbError);
    EXPECT_EQ(empty, u"");
}

} // namespace
} // namespace orbek
