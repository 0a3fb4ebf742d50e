#include "automation/conversions.h"
#include "shell/method_table.h"

#include <gtest/gtest.h>
#include <set>

namespace orbek {
namespace {

// The host binds to these positions: a method moved in the table breaks every caller.
TEST(MethodTable, InterfaceOrderAndDispids) {
    const std::u16string_view expected[] = {u"Class_Initialize", u"Hrs2Seg",      u"Seg2Hrs",
                                            u"Fillhours",        u"SumaHoras",    u"RestaHoras",
                                            u"MasDeUnDia",       u"Delay",        u"ProgressBar",
                                            u"STIProgressBar",   u"ProgressShow", u"FechaTxtBox",
                                            u"HrsNumericas",     u"FechaValida",  u"WrINI",
                                            u"RdINIInt",         u"RdINIStr",     u"Acceso",
                                            u"sSplash",          u"ArchStay",     u"Log"};
    const auto methods = orbek_methods();
    ASSERT_EQ(methods.size(), std::size(expected));
    for (std::size_t i = 0; i < methods.size(); ++i) {
        EXPECT_EQ(methods[i].name, expected[i]);
        EXPECT_EQ(methods[i].dispid, FirstMethodDispid + static_cast<std::int32_t>(i));
        EXPECT_NE(methods[i].invoke, nullptr);
    }
}

TEST(MethodTable, ArgumentListsAreWellFormed) {
    for (const MethodSpec& method : orbek_methods()) {
        SCOPED_TRACE(to_utf8(method.name));
        std::set<Text> names;
        bool optional_seen = false;
        for (const ArgSpec& arg : method.args) {
            EXPECT_TRUE(names.insert(to_upper(arg.name)).second) << "duplicate argument name";
            // Automation clients fill optional arguments from the end.
            EXPECT_TRUE(arg.optional || !optional_seen) << to_utf8(arg.name);
            optional_seen = optional_seen || arg.optional;
            EXPECT_TRUE(arg.optional || arg.default_value.kind == DefaultValue::Kind::None);
        }
    }
}

TEST(MethodTable, EveryOmittedArgumentTakesAValueOfItsDeclaredType) {
    for (const MethodSpec& method : orbek_methods()) {
        for (const ArgSpec& arg : method.args) {
            if (!arg.optional) {
                continue;
            }
            SCOPED_TRACE(to_utf8(method.name) + "." + to_utf8(arg.name));
            const Variant value = omitted_argument_value(arg);
            if (arg.type == ValueType::Variant) {
                EXPECT_TRUE(value.is_missing());
            } else {
                EXPECT_EQ(value.type(), var_type_of(arg.type));
            }
        }
    }
}

TEST(MethodTable, DeclaredDefaults) {
    struct Case {
        std::u16string_view method, arg;
        Variant value;
    };
    const Case cases[] = {
        {u"Delay", u"Nivel_1_10", std::int32_t{2}},
        {u"ProgressBar", u"Titulo", Text(u"Procesando ...")},
        {u"ProgressBar", u"Efecto_Salida", false},
        {u"STIProgressBar", u"sTitle", Text(u"Procesando ...")},
        {u"ProgressShow", u"sTexto2", Text()},
        {u"FechaTxtBox", u"Fecha", Text()},
        {u"WrINI", u"Extension", Text(u"INI")},
        {u"RdINIInt", u"Valor", std::int32_t{0}},
        {u"RdINIStr", u"DefaultValue", Text()},
        {u"Log", u"LogFileOp", Text()},
        {u"Log", u"Empleado", Variant::missing()},
    };
    for (const Case& c : cases) {
        const MethodSpec* method = find_method(c.method);
        ASSERT_NE(method, nullptr);
        const auto index = find_argument(*method, c.arg);
        ASSERT_TRUE(index.has_value()) << to_utf8(c.arg);
        EXPECT_EQ(omitted_argument_value(method->args[*index]), c.value) << to_utf8(c.arg);
    }
}

TEST(MethodTable, NamesAreFoundWhateverTheirLetterCase) {
    const MethodSpec* method = find_method(u"sumahoras");
    ASSERT_NE(method, nullptr);
    EXPECT_EQ(method->name, u"SumaHoras");
    EXPECT_EQ(find_argument(*method, u"HORA5"), 4u);
    EXPECT_EQ(find_method(u"SumaHora"), nullptr);
    EXPECT_EQ(find_argument(*method, u"Hora7"), std::nullopt);
}

TEST(MethodTable, OnlyTheRightsTextIsPassedByValue) {
    for (const MethodSpec& method : orbek_methods()) {
        for (const ArgSpec& arg : method.args) {
            const bool rights_text = method.name == u"Acceso" && arg.name == u"sDer";
            EXPECT_EQ(arg.passing == Passing::ByVal, rights_text) << to_utf8(arg.name);
        }
    }
}

} // namespace
} // namespace orbek
