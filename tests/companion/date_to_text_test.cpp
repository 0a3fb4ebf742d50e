#include "companion/companion_test.h"

namespace orbek {
namespace {

using testing::error_number;

constexpr double Saturday5Dec2026 = 46361.0;

TEST_F(Companion, DateToTextStylesPartsAndFailures) {
    const Variant saturday = Variant::date(Saturday5Dec2026);
    const std::tuple<Variant, Text, Text, bool, bool, Text> cases[] = {
        {saturday, u"E", u"", true, true, u"sábado, 5 de diciembre de 2026"},
        {saturday, u"e", u"", true, true, u"sábado, 5 de diciembre de 2026"},
        {saturday, u"E", u"", false, true, u"5 de diciembre de 2026"},
        {saturday, u"E", u"", true, false, u"sábado, 5 de diciembre"},
        {saturday, u"E", u"", false, false, u"5 de diciembre"},
        {saturday, u"E", u"Fecha: ", true, true, u"Fecha: sábado, 5 de diciembre de 2026"},
        {saturday, u"I", u"", true, true, u"Saturday, December 5, 2026"},
        {saturday, u"i", u"", false, true, u"December 5, 2026"},
        {saturday, u"I", u"", true, false, u"Saturday, December 5"},
        {saturday, u"", u"", true, true, u"05/12/2026"},
        {saturday, u"", u"> ", false, false, u"> 05/12/2026"},
        // The time of day is not shown, and does not move the weekday.
        {Variant::date(Saturday5Dec2026 + 0.75), u"E", u"", true, true,
         u"sábado, 5 de diciembre de 2026"},
        {Variant(Text(u"16/12/2026")), u"E", u"", true, true,
         u"miércoles, 16 de diciembre de 2026"},
        {Variant(Text(u"1/1/2026")), u"I", u"", true, true, u"Thursday, January 1, 2026"},
        {Variant(1.0), u"E", u"", true, true, u"domingo, 31 de diciembre de 1899"},
        {Variant::date(-1.25), u"", u"", true, true, u"29/12/1899"}};
    for (const auto& [date, style, prefix, with_weekday, with_year, expected] : cases)
        EXPECT_EQ(to_utf8(tools.DateToText(date, style, prefix, with_weekday, with_year)),
                  to_utf8(expected));
    const std::tuple<Variant, Text, int> failures[] = {
        {Variant::null(), u"E", vb::InvalidUseOfNull},
        {Variant(Text(u"not a date")), u"E", vb::TypeMismatch},
        {Variant::date(Saturday5Dec2026), u"X", vb::InvalidProcedureCall},
        {Variant::date(Saturday5Dec2026), u"EI", vb::InvalidProcedureCall},
        {Variant::date(Saturday5Dec2026), u" E", vb::InvalidProcedureCall}};
    for (const auto& [date, style, number] : failures)
        EXPECT_EQ(error_number([&] { tools.DateToText(date, style, u"", true, true); }), number)
            << to_utf8(style);
}

} // namespace
} // namespace orbek
