#include "system_facts.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

TEST(WindowsName, FromVersionNumbersAndKind) {
    // clang-format off
    const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, bool, const char*> cases[] = {
        {10, 0, 22631, true, "Windows 11"}, {10, 0, 22000, true, "Windows 11"},
        {10, 0, 21999, true, "Windows 10"}, {10, 0, 19045, true, "Windows 10"},
        {10, 0, 20348, false, "Windows Server 2022"}, {10, 0, 20347, false, "Windows Server 2019"},
        {10, 0, 17763, false, "Windows Server 2019"}, {10, 0, 14393, false, "Windows Server 2016"},
        {6, 3, 9600, true, "Windows 8.1"}, {6, 3, 9600, false, "Windows Server 2012 R2"},
        {6, 2, 9200, true, "Windows 8"}, {6, 1, 7601, true, "Windows 7"},
        {6, 1, 7601, false, "Windows Server 2008 R2"}, {6, 0, 6002, true, "Windows Vista"},
        {5, 2, 3790, true, "Windows XP"}, {5, 2, 3790, false, "Windows Server 2003"},
        {5, 1, 2600, true, "Windows XP"}, {5, 1, 2600, false, "Windows Server"},
        {5, 0, 2195, true, "Windows 2000"}, {11, 0, 30000, true, "Windows"},
        {6, 4, 0, false, "Windows Server"}};
    // clang-format on
    for (const auto& [major, minor, build, workstation, name] : cases)
        EXPECT_EQ(to_utf8(windows_name({major, minor, build, workstation, u""})), name)
            << major << "." << minor << "." << build << (workstation ? "" : " server");
}

TEST(MegabytesText, WholeMegabytesGroupedByThousands) {
    // clang-format off
    const std::pair<std::uint64_t, const char*> cases[] = {
        {0, "0 MB"}, {1048575, "0 MB"}, {1048576, "1 MB"}, {999ull << 20, "999 MB"},
        {1000ull << 20, "1.000 MB"}, {16384ull << 20, "16.384 MB"},
        {(123456ull << 20) + 1048575, "123.456 MB"}, {1234567ull << 20, "1.234.567 MB"}};
    // clang-format on
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(to_utf8(megabytes_text(bytes)), text) << bytes;
}

// clang-format off
SystemFacts sample() {
    return {.windows = {10, 0, 19045, true, u""}, .windows_64_bit = true,
            .processor_name = u"  Example CPU @ 3.00GHz  ", .processor_architecture = u"x64",
            .processors = 8, .memory_total = 16384ull << 20, .memory_free = 10240ull << 20,
            .screen_width = 1280, .screen_height = 1024, .colour_bits = 32, .dots_per_inch = 96,
            .monitors = 1, .component = {true, {1, 0, 0, 0}, u"C:\\Kalvix\\Orbek_DLL.dll"},
            .companion = {true, {1, 2, 3, 4}, u"C:\\Kalvix\\MireldaSys.dll"}};
}
// clang-format on

TEST(SystemFactLines, OneLinePerFactInOrder) {
    const std::vector<FactLine> expected = {
        {u"Sistema operativo", u"Windows 10, versión 10.0.19045, 64 bits"},
        {u"Procesador", u"Example CPU @ 3.00GHz, x64, 8 procesadores lógicos"},
        {u"Memoria", u"16.384 MB en total, 10.240 MB libres"},
        {u"Pantalla", u"1280 × 1024 píxeles, 32 bits de color, 96 ppp"},
        {u"Orbek_DLL.dll", u"versión 1.0.0.0, C:\\Kalvix\\Orbek_DLL.dll"},
        {u"MireldaSys.dll", u"versión 1.2.3.4, C:\\Kalvix\\MireldaSys.dll"}};
    EXPECT_EQ(system_fact_lines(sample()), expected);
}

TEST(SystemFactLines, VariationsOfEachFact) {
    struct Case {
        const char* name;
        void (*change)(SystemFacts&);
        std::size_t line;
        const char16_t* value;
    };
    // clang-format off
    const Case cases[] = {
        {"service pack, 32 bits", [](SystemFacts& f) {
             f.windows = {6, 1, 7601, true, u"Service Pack 1"}; f.windows_64_bit = false; },
         0, u"Windows 7, versión 6.1.7601, Service Pack 1, 32 bits"},
        {"one processor without a name", [](SystemFacts& f) {
             f.processor_name = u"   "; f.processor_architecture = u"x86"; f.processors = 1; },
         1, u"x86, 1 procesador lógico"},
        {"two monitors", [](SystemFacts& f) { f.monitors = 2; f.dots_per_inch = 120; },
         3, u"1280 × 1024 píxeles, 32 bits de color, 120 ppp, 2 monitores"},
        {"component not found", [](SystemFacts& f) { f.component = {}; }, 4, u"no se encuentra"},
        {"companion not found", [](SystemFacts& f) { f.companion.found = false; }, 5,
         u"no se encuentra"}};
    // clang-format on
    for (const Case& c : cases) {
        SystemFacts facts = sample();
        c.change(facts);
        EXPECT_EQ(system_fact_lines(facts).at(c.line).value, c.value) << c.name;
    }
}

TEST(SystemFactsText, LabelValueLinesEndedByCrLf) {
    EXPECT_EQ(system_facts_text({{u"A", u"1"}, {u"B", u"dos"}}), u"A: 1\r\nB: dos\r\n");
    EXPECT_EQ(system_facts_text({}), u"");
}

} // namespace
} // namespace orbek
