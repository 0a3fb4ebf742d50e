#include "automation/vb_error.h"
#include "platform/posix/windows1252_code_page.h"
#include "settings/mod_control.h"

#include <gtest/gtest.h>
#include <optional>

namespace orbek {
namespace {

// Records what reaches the platform and answers what the test sets.
class RecordingStore final : public ProfileStore {
  public:
    struct Call {
        std::string section, key, value, path;
        std::int32_t fallback = 0;
        std::size_t buffer = 0;
    };

    void write_string(std::string_view section, std::string_view key, std::string_view value,
                      std::string_view path) const override {
        last = {std::string(section), std::string(key), std::string(value), std::string(path)};
    }
    std::uint32_t read_int(std::string_view section, std::string_view key, std::int32_t fallback,
                           std::string_view path) const override {
        last = {std::string(section), std::string(key), {}, std::string(path), fallback};
        return number;
    }
    std::string read_string(std::string_view section, std::string_view key,
                            std::string_view fallback, std::size_t buffer_size,
                            std::string_view path) const override {
        last = {std::string(section), std::string(key), std::string(fallback), std::string(path), 0,
                buffer_size};
        return text;
    }

    mutable Call last;
    std::uint32_t number = 0;
    std::string text;
};

class Component final : public ComponentFile {
  public:
    explicit Component(Text path) : path_(std::move(path)) {}
    Text path() const override {
        ++asked;
        if (path_.empty()) {
            throw VbError(vb::PathFileAccessError);
        }
        return path_;
    }
    mutable int asked = 0;

  private:
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
        {u"C:\\Kalvix\\Sub\\Orbek_DLL.DLL", u"Set", u"C:\\Kalvix\\Sub\\Orbek_DLL.Set"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(default_ini_path(c.component, c.extension), c.expected) << to_utf8(c.component);
    }
}

TEST(ModControl, AGivenFileIsUsedAsItIsAndAnEmptyOneIsFormedAndWrittenBack) {
    const struct {
        Text file, extension, path_used;
        int component_asked;
    } cases[] = {
        {u"", u"INI", u"C:\\Kalvix\\Orbek_DLL.INI", 1},
        {u"", u"abc", u"C:\\Kalvix\\Orbek_DLL.abc", 1},
        {u"mine.ini", u"abc", u"mine.ini", 0}, // no folder added, extension ignored
        {u" ", u"INI", u" ", 0},               // not empty: used as it is
        {u"D:\\x\\y.txt", u"INI", u"D:\\x\\y.txt", 0},
    };
    for (const auto& c : cases) {
        Fixture write, read_int, read_str;
        Text a = c.file, b = c.file, d = c.file;
        IniWrite(write.platform, u"S", u"K", u"V", a, c.extension);
        IniReadInt(read_int.platform, u"S", u"K", b, 0, c.extension);
        IniReadStr(read_str.platform, u"S", u"K", d, u"", c.extension);
        for (const auto* f : {&write, &read_int, &read_str}) {
            EXPECT_EQ(f->store.last.path, to_utf8(c.path_used)) << to_utf8(c.file);
            EXPECT_EQ(f->component.asked, c.component_asked) << to_utf8(c.file);
        }
        EXPECT_EQ(a, c.path_used);
        EXPECT_EQ(b, c.path_used);
        EXPECT_EQ(d, c.path_used);
    }
}

TEST(ModControl, ArgumentsReachThePlatformInOrderAsAnsiText) {
    Fixture f;
    Text file = u"f.ini";
    IniWrite(f.platform, u"Secci\u00F3n", u"Clave", u"\u20AC \u2192", file, u"INI");
    EXPECT_EQ(f.store.last.section, "Secci\xF3n");
    EXPECT_EQ(f.store.last.key, "Clave");
    EXPECT_EQ(f.store.last.value, "\x80 ?"); // no Windows-1252 form: "?"

    IniReadInt(f.platform, u"A", u"B", file, -7, u"INI");
    EXPECT_EQ(f.store.last.section, "A");
    EXPECT_EQ(f.store.last.key, "B");
    EXPECT_EQ(f.store.last.fallback, -7);

    IniReadStr(f.platform, u"C", u"D", file, u" def ", u"INI");
    EXPECT_EQ(f.store.last.section, "C");
    EXPECT_EQ(f.store.last.key, "D");
    EXPECT_EQ(f.store.last.value, " def ");
    EXPECT_EQ(f.store.last.buffer, 255u);
}

TEST(ModControl, ReadIntTakesTheResultAsSigned32Bits) {
    const struct {
        std::uint32_t platform;
        double expected;
    } cases[] = {{7, 7.0},
                 {0, 0.0},
                 {4294967295u, -1.0},
                 {2147483647u, 2147483647.0},
                 {2147483648u, -2147483648.0}};
    for (const auto& c : cases) {
        Fixture f;
        f.store.number = c.platform;
        Text file = u"f.ini";
        EXPECT_EQ(IniReadInt(f.platform, u"S", u"K", file, 0, u"INI"), c.expected) << c.platform;
    }
}

TEST(ModControl, ReadStrDropsCodeZeroAndSpacesOnly) {
    using namespace std::string_literals;
    const struct {
        std::string platform;
        Text expected;
    } cases[] = {
        {"  word  ", u"word"},
        {"\tword\t", u"\tword\t"},
        {" a b ", u"a b"},
        {"a\0b\0"s, u"ab"},
        {" \0 x \0 "s, u"x"},
        {"\xE9t\xE9", u"\u00E9t\u00E9"},
        {"", u""},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.store.text = c.platform;
        Text file = u"f.ini";
        EXPECT_EQ(IniReadStr(f.platform, u"S", u"K", file, u"", u"INI"), c.expected) << c.platform;
    }
}

TEST(ModControl, AFailureToFindTheComponentIsTheMethodsError) {
    Fixture f(u"");
    Text empty;
    EXPECT_THROW(IniWrite(f.platform, u"S", u"K", u"V", empty, u"INI"), VbError);
    EXPECT_THROW(IniReadInt(f.platform, u"S", u"K", empty, 0, u"INI"), VbError);
    EXPECT_THROW(IniReadStr(f.platform, u"S", u"K", empty, u"", u"INI"), VbError);
    EXPECT_EQ(empty, u"");
    Text named = u"x.ini";
    EXPECT_NO_THROW(IniWrite(f.platform, u"S", u"K", u"V", named, u"INI"));
}

} // namespace
} // namespace orbek
