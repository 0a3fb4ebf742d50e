#include "automation/vb_error.h"
#include "platform/posix/windows1252_code_page.h"
#include "settings/mod_control.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using namespace std::string_literals;

// Records the last call that reaches the platform and answers what the test sets.
struct RecordingStore final : ProfileStore {
    void write_string(std::string_view s, std::string_view k, std::string_view v,
                      std::string_view p) const override {
        last = {std::string(s), std::string(k), std::string(v), std::string(p)};
    }
    std::uint32_t read_int(std::string_view s, std::string_view k, std::int32_t fallback,
                           std::string_view p) const override {
        last = {std::string(s), std::string(k), std::to_string(fallback), std::string(p)};
        return number;
    }
    std::string read_string(std::string_view s, std::string_view k, std::string_view fallback,
                            std::size_t buffer, std::string_view p) const override {
        last = {std::string(s), std::string(k), std::string(fallback), std::string(p), buffer};
        return text;
    }
    struct Call {
        std::string section, key, value, path;
        std::size_t buffer = 0;
    };
    mutable Call last;
    std::uint32_t number = 0;
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
            EXPECT_EQ(f->store.last.path, to_utf8(c.used));
            EXPECT_EQ(f->component.asked, c.file.empty() ? 1 : 0);
        }
        EXPECT_TRUE(a == c.used && b == c.used && d == c.used) << to_utf8(c.used);
    }
}

TEST(ModControl, ArgumentsReachThePlatformInOrderAsAnsiText) {
    Fixture f;
    Text file = u"f.ini";
    const auto last = [&] {
        const auto& l = f.store.last;
        return l.section + "|" + l.key + "|" + l.value + "|" + std::to_string(l.buffer);
    };
    IniWrite(f.platform, u"Secci\u00F3n", u"Clave", u"\u20AC \u2192", file, u"INI");
    EXPECT_EQ(last(), "Secci\xF3n|Clave|\x80 ?|0"); // no Windows-1252 form: "?"
    IniReadInt(f.platform, u"A", u"B", file, -7, u"INI");
    EXPECT_EQ(last(), "A|B|-7|0");
    IniReadStr(f.platform, u"C", u"D", file, u" def ", u"INI");
    EXPECT_EQ(last(), "C|D| def |255");
}

TEST(ModControl, ReadIntTakesTheResultAsSigned32Bits) {
    const std::pair<std::uint32_t, double> cases[] = {
        {7, 7.0}, {4294967295u, -1.0}, {2147483647u, 2147483647.0}, {2147483648u, -2147483648.0}};
    for (const auto& [platform, expected] : cases) {
        Fixture f;
        f.store.number = platform;
        Text file = u"f.ini";
        EXPECT_EQ(IniReadInt(f.platform, u"S", u"K", file, 0, u"INI"), expected) << platform;
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
