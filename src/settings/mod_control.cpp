#include "settings/mod_control.h"

#include <algorithm>
#include <string>

namespace orbek {
namespace {

// The host's text buffer for a read: 255 characters, so a value comes back with at most 254.
constexpr std::size_t ReadBufferSize = 255;

bool is_separator(char16_t unit) {
    return unit == u'\\' || unit == u'/';
}

// The folder of the component's file with one "\" at its end ("C:\Kalvix\", or "C:\" for a
// drive's root), and the file's name.
std::pair<TextView, TextView> split_path(TextView path) {
    const auto last = std::find_if(path.rbegin(), path.rend(), is_separator);
    const std::size_t name_start = static_cast<std::size_t>(path.rend() - last);
    return {path.substr(0, name_start), path.substr(name_start)};
}

// An empty file name becomes the default path, stored back into the caller's variable.
const Text& resolve_file(const SettingsPlatform& platform, Text& file, TextView extension) {
    if (file.empty()) {
        file = default_ini_path(platform.component.path(), extension);
    }
    return file;
}

} // namespace

Text default_ini_path(TextView component_path, TextView extension) {
    const auto [folder, name] = split_path(component_path);
    const std::size_t dot = name.rfind(u'.');
    Text path(folder); // it keeps its one "\": a drive's root gets no second one
    path += name.substr(0, dot);
    path += u'.';
    path += extension;
    return path;
}

void IniWrite(const SettingsPlatform& platform, TextView Seccion, TextView Llave, TextView Valor,
              Text& Archivo, TextView Extension) {
    const Text& file = resolve_file(platform, Archivo, Extension);
    const AnsiCodePage& ansi = platform.ansi;
    platform.profiles.write_string(ansi.encode(Seccion), ansi.encode(Llave), ansi.encode(Valor),
                                   ansi.encode(file));
}

double IniReadInt(const SettingsPlatform& platform, TextView Seccion, TextView Llave,
                  Text& filename, std::int32_t Valor, TextView Extension) {
    const Text& file = resolve_file(platform, filename, Extension);
    const AnsiCodePage& ansi = platform.ansi;
    const std::uint32_t raw = platform.profiles.read_int(ansi.encode(Seccion), ansi.encode(Llave),
                                                         Valor, ansi.encode(file));
    return static_cast<double>(static_cast<std::int32_t>(raw));
}

Text IniReadStr(const SettingsPlatform& platform, TextView SectionName, TextView KeyName,
                Text& filename, TextView DefaultValue, TextView Extension) {
    const Text& file = resolve_file(platform, filename, Extension);
    const AnsiCodePage& ansi = platform.ansi;
    const std::string bytes =
        platform.profiles.read_string(ansi.encode(SectionName), ansi.encode(KeyName),
                                      ansi.encode(DefaultValue), ReadBufferSize, ansi.encode(file));
    // The host reads its whole buffer back: what the platform left at code 0 goes, and so
    // does any code 0 inside the value.
    Text value = ansi.decode(bytes);
    std::erase(value, u'\0');
    return Text(trim_spaces(value));
}

} // namespace orbek
