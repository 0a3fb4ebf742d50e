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

// The folder of a file as the host's language gives it: without a trailing "\", except
// for a drive's root ("C:\").
TextView folder_of(TextView path) {
    const auto last = std::find_if(path.rbegin(), path.rend(), is_separator);
    if (last == path.rend()) {
        return TextView();
    }
    const std::size_t separator = static_cast<std::size_t>(path.rend() - last) - 1;
    const TextView folder = path.substr(0, separator);
    if (folder.size() == 2 && folder[1] == u':') {
        return path.substr(0, separator + 1);
    }
    return folder;
}

TextView file_name_of(TextView path) {
    const auto last = std::find_if(path.rbegin(), path.rend(), is_separator);
    return path.substr(static_cast<std::size_t>(path.rend() - last));
}

Text add_path_separator(TextView folder) {
    Text out(folder);
    if (out.empty() || out.back() != u'\\') {
        out += u'\\';
    }
    return out;
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
    const TextView name = file_name_of(component_path);
    const std::size_t dot = name.rfind(u'.');
    const TextView base = dot == TextView::npos ? name : name.substr(0, dot);
    Text path = add_path_separator(folder_of(component_path));
    path += base;
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
