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
    explicit Component(Text p) : path_(std::move(p)) {}
    Text path() const override {
        ++asked;
        return path_.empty() ? throw VbError(vb::PathFileAccessError) : path_;
    }
    Text path_;
    mutable int asked = 0;
};

struct Fixture {
    RecordingStore store;
    Windows1252CodePage ansi;
    Component component{u"C:\\Kalvix\\Orbek_DLL.dll"};
    SettingsPlatform platform{store, ansi, component};
};

TEST(DefaultIniPath, IsTheComponentsNameBesideItWithTheExtension) {
    const struct {
        Text component, extension, expected;
    } cases[] = {
        {u"C:\\Kalvix\\Orbek_DLL.dll", u"INI", u"C:\\Kalvix\\Orbek_DLL.INI"},
        {u"C:\\Orbek_DLL.dll", u"cfg", u"C:\\Orbek_DLL.cfg"}, // a drive's root: one "\"
        {u"C:\\Kalvix\\Orbek_DLL.dll", u"", u"C:\\Kalvix\\Orbek_DLL."},
        {u"C:\\Kalvix\\Orbek.v2.dll", u"INI", u"C:\\Kalvix\\Orbek.v2.INI"},
        {u"C:\\My.Apps\\Orbek", u"INI", u"C:\\My.Apps\\Orbek.INI"},
        {u"\\\\server\\share\\Orbek_DLL.dll", u"ini", u"\\\\server\\share\\Orbek_DLL.ini"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(default_ini_path(c.component, c.extension), c.expected) << to_utf8(c.component);
    }
}

TEST(ModControl, AGivenFileIsUsedAsItIsAndAnEmptyOneIsFormedAndWrittenBack) {
    const struct {
        Text file, extension, used;
    } cases[] = {
        {u"", u"INI", u"C:\\Kalvix\\Orbek_DLL.INI"},
        {u"", u"abc", u"C:\\Kalvix\\Orbek_DLL.abc"},
        {u"mine.ini", u"abc", u"mine.ini"}, // no folder added, the extension plays no part
        {u" ", u"INI", u" "},
    };
    for (const auto& c : cases) {
        Fixture w, i, s;
        Text a = c.file, b = c.file, d = c.file;
        IniWrite(w.platform, u"S", u"K", u"V", a, c.extension);
        IniReadInt(i.platform, u"S", u"K", b, 0, c.extension);
        IniReadStr(s.platform, u"S", u"K", d, u"", c.extension);
        for (const Fixture* f : {&w, &i, &s}) {
            EXPECT_EQ(f->store.path, to_utf8(c.used));
            EXPECT_EQ(f->component.asked, c.file.empty() ? 1 : 0);
        }
        EXPECT_TRUE(a == c.used && b == c.used && d == c.used) << to_utf8(c.used);
    }
}

TEST(ModControl, ReadStrDropsCodeZeroAndSpacesOnly) {
    const std::pair<std::string, Text> cases[] = {
        {"  word  ", u"word"}, {"\tword\t", u"\tword\t"}, {" a b ", u"a b"},
        {"a\0b\0"s, u"ab"},    {" \0 x \0 "s, u"x"},      {"\xE9t\xE9", u"\u00E9t\u00E9"},
    };
    for (const auto& [platform, expected] : cases) {
        Fixture f;
        f.store.text = platform;
        Text file = u"f.ini";
        EXPECT_EQ(IniReadStr(f.platform, u"S", u"K", file, u"", u"INI"), expected) << platform;
    }
}

TEST(ModControl, AFailureToFindTheComponentIsTheMethodsError) {
    Fixture f;
    f.component.path_.clear();
    Text empty, named = u"x.ini";
    EXPECT_THROW(IniWrite(f.platform, u"S", u"K", u"V", empty, u"INI"), VbError);
    EXPECT_THROW(IniReadInt(f.platform, u"S", u"K", empty, 0, u"INI"), VbError);
    EXPECT_THROW(IniReadStr(f.platform, u"S", u"K", empty, u"", u"INI"), VbError);
    EXPECT_EQ(empty, u"");
    EXPECT_NO_THROW(IniWrite(f.platform, u"S", u"K", u"V", named, u"INI"));
}

} // namespace
} // namespace orbek
