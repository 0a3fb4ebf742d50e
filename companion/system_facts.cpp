#include "system_facts.h"

#include <string>

namespace orbek {

namespace {

Text number(std::uint64_t value) {
    return from_utf8(std::to_string(value));
}

Text plural(std::uint64_t count, TextView one, TextView many) {
    return number(count) + u" " + Text(count == 1 ? one : many);
}

Text version_text(const std::array<std::uint16_t, 4>& version) {
    return number(version[0]) + u"." + number(version[1]) + u"." + number(version[2]) + u"." +
           number(version[3]);
}

Text operating_system(const SystemFacts& facts) {
    const WindowsVersion& v = facts.windows;
    Text line = windows_name(v) + u", versión " + number(v.major) + u"." + number(v.minor) + u"." +
                number(v.build);
    if (!v.service_pack.empty())
        line += u", " + v.service_pack;
    return line + (facts.windows_64_bit ? u", 64 bits" : u", 32 bits");
}

Text processor(const SystemFacts& facts) {
    Text line = trim_spaces(facts.processor_name).empty()
                    ? Text()
                    : Text(trim_spaces(facts.processor_name)) + u", ";
    return line + facts.processor_architecture + u", " +
           plural(facts.processors, u"procesador lógico", u"procesadores lógicos");
}

Text screen(const SystemFacts& facts) {
    Text line = number(static_cast<std::uint64_t>(facts.screen_width)) + u" × " +
                number(static_cast<std::uint64_t>(facts.screen_height)) + u" píxeles, " +
                number(static_cast<std::uint64_t>(facts.colour_bits)) + u" bits de color, " +
                number(static_cast<std::uint64_t>(facts.dots_per_inch)) + u" ppp";
    if (facts.monitors > 1)
        line += u", " + number(static_cast<std::uint64_t>(facts.monitors)) + u" monitores";
    return line;
}

Text module(const ModuleVersion& module) {
    if (!module.found)
        return u"no se encuentra";
    return u"versión " + version_text(module.version) + u", " + module.path;
}

} // namespace

Text windows_name(const WindowsVersion& v) {
    struct Name {
        std::uint32_t major, minor, first_build;
        const char16_t* workstation;
        const char16_t* server;
    };
    // Newest first: the first entry the version reaches names it.
    static constexpr Name names[] = {
        {10, 0, 22000, u"Windows 11", nullptr},
        {10, 0, 20348, nullptr, u"Windows Server 2022"},
        {10, 0, 17763, nullptr, u"Windows Server 2019"},
        {10, 0, 0, u"Windows 10", u"Windows Server 2016"},
        {6, 3, 0, u"Windows 8.1", u"Windows Server 2012 R2"},
        {6, 2, 0, u"Windows 8", u"Windows Server 2012"},
        {6, 1, 0, u"Windows 7", u"Windows Server 2008 R2"},
        {6, 0, 0, u"Windows Vista", u"Windows Server 2008"},
        {5, 2, 0, u"Windows XP", u"Windows Server 2003"},
        {5, 1, 0, u"Windows XP", nullptr},
        {5, 0, 0, u"Windows 2000", u"Windows 2000 Server"},
    };
    for (const Name& name : names) {
        const char16_t* text = v.workstation ? name.workstation : name.server;
        if (text != nullptr && v.major == name.major && v.minor == name.minor &&
            v.build >= name.first_build)
            return text;
    }
    return v.workstation ? u"Windows" : u"Windows Server";
}

Text megabytes_text(std::uint64_t bytes) {
    const std::string digits = std::to_string(bytes / (1024 * 1024));
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += '.';
        grouped += digits[i];
    }
    return from_utf8(grouped) + u" MB";
}

std::vector<FactLine> system_fact_lines(const SystemFacts& facts) {
    return {
        {u"Sistema operativo", operating_system(facts)},
        {u"Procesador", processor(facts)},
        {u"Memoria", megabytes_text(facts.memory_total) + u" en total, " +
                         megabytes_text(facts.memory_free) + u" libres"},
        {u"Pantalla", screen(facts)},
        {u"Orbek_DLL.dll", module(facts.component)},
        {u"MireldaSys.dll", module(facts.companion)},
    };
}

Text system_facts_text(const std::vector<FactLine>& lines) {
    Text text;
    for (const FactLine& line : lines)
        text += line.label + u": " + line.value + u"\r\n";
    return text;
}

} // namespace orbek
