#include "settings_checks.h"

#include <fstream>
#include <sstream>

namespace orbek::testing {
namespace {

namespace fs = std::filesystem;

std::string file_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The last part of a Windows path, on any platform.
fs::path windows_file_name(const Text& path) {
    return to_utf8(path.substr(path.rfind(u'\\') + 1));
}

class Checks {
  public:
    void expect(const std::string& name, bool passed, const std::string& detail) {
        results_.push_back({name, passed ? std::string() : detail});
    }
    void equal(const std::string& name, const Text& actual, const Text& expected) {
        expect(name, actual == expected,
               "got \"" + to_utf8(actual) + "\", expected \"" + to_utf8(expected) + "\"");
    }
    void equal(const std::string& name, double actual, double expected) {
        expect(name, actual == expected,
               "got " + std::to_string(actual) + ", expected " + std::to_string(expected));
    }
    std::vector<SettingsCheck> results() { return std::move(results_); }

  private:
    std::vector<SettingsCheck> results_;
};

void default_file_beside_the_component(const SettingsSite& site, Checks& checks) {
    const fs::path ini = site.component_folder / windows_file_name(site.component_settings);
    fs::remove(ini);
    Text file;
    IniWrite(site.platform, u"Opciones", u"Color", u"Azul", file, u"INI");
    checks.equal("the default file name is written back", file, site.component_settings);
    checks.expect("the default file lies beside the component",
                  file_bytes(ini) == "[Opciones]\r\nColor=Azul\r\n", "content: " + file_bytes(ini));
    Text again;
    checks.equal("reading the default file",
                 IniReadStr(site.platform, u"opciones", u"COLOR", again, u"", u"INI"), u"Azul");
    checks.equal("the read writes the name back too", again, site.component_settings);
    fs::remove(ini);

    Text other;
    IniWrite(site.platform, u"S", u"K", u"v", other, u"cfg");
    const Text expected_other =
        site.component_settings.substr(0, site.component_settings.size() - 3) + u"cfg";
    checks.equal("another extension names another file", other, expected_other);
    fs::remove(site.component_folder / windows_file_name(expected_other));
}

void name_without_a_folder(const SettingsSite& site, Checks& checks) {
    const fs::path landed = site.windows_folder / "orbek_settings_check.ini";
    fs::remove(landed);
    Text file = u"orbek_settings_check.ini";
    IniWrite(site.platform, u"S", u"K", u"bare", file, u"XYZ");
    checks.equal("a given name is kept", file, u"orbek_settings_check.ini");
    checks.expect("a name without a folder lands in the Windows folder", fs::exists(landed),
                  "no " + landed.string());
    checks.equal("and reads back from there",
                 IniReadStr(site.platform, u"S", u"K", file, u"", u"INI"), u"bare");
    fs::remove(landed);
}

void long_value_and_numbers(const SettingsSite& site, Checks& checks) {
    Text file = site.scratch_windows + u"\\values.ini";
    const Text long_value(300, u'x');
    IniWrite(site.platform, u"S", u"Long", long_value, file, u"INI");
    checks.equal("a value of 300 characters reads as its first 254",
                 IniReadStr(site.platform, u"S", u"Long", file, u"", u"INI"), Text(254, u'x'));
    IniWrite(site.platform, u"S", u"Max", u"4294967295", file, u"INI");
    checks.equal("4294967295 reads as -1", IniReadInt(site.platform, u"S", u"Max", file, 0, u"INI"),
                 -1.0);
    IniWrite(site.platform, u"S", u"Spaced", u"  word  ", file, u"INI");
    checks.equal("spaces around a stored word go",
                 IniReadStr(site.platform, u"S", u"Spaced", file, u"", u"INI"), u"word");
    checks.equal("a missing key with a padded default",
                 IniReadStr(site.platform, u"S", u"None", file, u" x ", u"INI"), u"x");
    checks.equal("a missing number gives Valor",
                 IniReadInt(site.platform, u"S", u"None", file, 7, u"INI"), 7.0);
    IniWrite(site.platform, u"S\u00F1", u"\u00C9t\u00E9", u"\u20AC", file, u"INI");
    checks.equal("Windows-1252 texts round-trip",
                 IniReadStr(site.platform, u"S\u00F1", u"\u00C9t\u00E9", file, u"", u"INI"),
                 u"\u20AC");
}

void read_only_file(const SettingsSite& site, Checks& checks) {
    const fs::path path = site.scratch / "locked.ini";
    std::ofstream(path, std::ios::binary) << "[S]\r\nK=old\r\n";
    site.set_read_only(path, true);
    Text file = site.scratch_windows + u"\\locked.ini";
    IniWrite(site.platform, u"S", u"K", u"new", file, u"INI");
    if (site.read_only_enforced) {
        checks.expect("a read-only file is left as it was", file_bytes(path) == "[S]\r\nK=old\r\n",
                      "content: " + file_bytes(path));
        checks.equal("a read-only file still reads",
                     IniReadStr(site.platform, u"S", u"K", file, u"", u"INI"), u"old");
    } else {
        checks.equal("a read-only file (not enforced here) is written without an error",
                     IniReadStr(site.platform, u"S", u"K", file, u"", u"INI"), u"new");
    }
    site.set_read_only(path, false);
    fs::remove(path);
}

void missing_folder(const SettingsSite& site, Checks& checks) {
    Text file = site.scratch_windows + u"\\missing\\x.ini";
    IniWrite(site.platform, u"S", u"K", u"v", file, u"INI");
    checks.expect("a write into a missing folder creates nothing",
                  !fs::exists(site.scratch / "missing"), "the folder was made");
    checks.equal("a missing folder reads the default",
                 IniReadStr(site.platform, u"S", u"K", file, u"d", u"INI"), u"d");
    checks.equal("a missing folder reads Valor",
                 IniReadInt(site.platform, u"S", u"K", file, -5, u"INI"), -5.0);
}

} // namespace

std::vector<SettingsCheck> run_settings_checks(const SettingsSite& site) {
    Checks checks;
    default_file_beside_the_component(site, checks);
    name_without_a_folder(site, checks);
    long_value_and_numbers(site, checks);
    read_only_file(site, checks);
    missing_folder(site, checks);
    return checks.results();
}

} // namespace orbek::testing
