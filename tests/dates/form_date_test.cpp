#include "dates/form_date.h"
#include "platform/posix/in_memory_objects.h"
#include "support/error_number.h"
#include "support/recording_sys_tools.h"
#include "support/thread_host.h"

#include <gtest/gtest.h>
#include <memory>

namespace orbek {
namespace {

using testing::error_number;
using Texts = std::vector<Text>;

Texts texts_of(const InMemoryForm& form) {
    Texts texts;
    for (const auto& control : form.controls()) {
        texts.push_back(control->get_property(u"Text").as<Text>());
    }
    return texts;
}

// One call against a fresh form (or another object given as the form), companion and
// message box.
struct FormCall {
    explicit FormCall(const char16_t* names = u"TXTFEC1,txtFec2,lblFecha,TxtFecha3")
        : form(names), target(form.object()) {}
    bool check(TextView typed, Text given_prefix = u" txtFec ") {
        prefix = std::move(given_prefix);
        return check_form_date(typed, prefix, target, tools, box);
    }
    InMemoryForm form;
    Variant target;
    testing::RecordingSysTools tools;
    testing::RecordingMessageBox box;
    Text prefix;
};

// Each typed text and what comes of it: the cleaned date in every matching box; or, with no
// box changed, the reason shown to the user (its wording and spelling are what the user has
// always seen) or the error of a piece that is no number. The prefix is stored in every case.
TEST(CheckFormDate, TypedTextsAreCleanedRejectedOrNoNumbers) {
    const std::pair<const char16_t*, const char16_t*> accepted[] = {
        {u"31/04/2025", u"30/04/2025"},  {u"29/02/2023", u"28/02/2023"},
        {u"29/02/2024", u"29/02/2024"},  {u"29/02/2000", u"29/02/2000"},
        {u"30/02/1931", u"28/02/1931"},  {u"01/01/1930", u"01/01/1930"},
        {u"31/12/2029", u"31/12/2029"},  {u"99/02/2000", u"29/02/2000"},
        {u" 5/06/2024", u"05/06/2024"},  {u"+5-6 x2024", u"05/06/2024"},
        {u"2./1./2024", u"02/01/2024"},  {u"15/06/12024", u"15/06/2024"},
        {u"14/08/ 1950", u"14/08/1950"}, {u"03/1.5/2024", u"03/01/2024"},
    };
    const Text head = u"ERROR en la Fecha|Atención Sr. Usuario:\r\n\r\n\r\nUd. capturó "
                      u"incorrectamente está fecha: ";
    const Text years = u"El rango de Años es de: 1930 al 2029, Ud. capturó: ";
    const Text months = u"El rango de Meses es del: 1 al 12, Ud. capturó: ";
    const Text tail = u"Favor de Verificar y Corregir, Gracias..\r\n\r\n";
    const std::pair<const char16_t*, Text> rejected[] = {
        {u"15/06/2030", u"\r\n\r\n\r\n" + years + u"2030\r\n\r\n"},
        {u"15/13/2029", u"\r\n\r\n\r\n" + months + u"13\r\n\r\n"},
        {u"00/05/2024", u"\r\n\r\n\r\n"},
        {u"-1/12/2029", u"\r\n\r\n\r\n"},
        {u"  /  /    ", u"\r\n\r\n\r\n" + years + u"0\r\n\r\n" + months + u"0\r\n\r\n"},
        {u"15/00/1929", u"\r\n\r\n\r\n" + years + u"1929\r\n\r\n" + months + u"0\r\n\r\n"},
        {u"-3/-1/-999", u"\r\n\r\n\r\n" + years + u"-999\r\n\r\n" + months + u"-1\r\n\r\n"},
    };
    const std::pair<const char16_t*, int> failing[] = {
        {u"12/  /2024", vb::TypeMismatch}, {u"", vb::TypeMismatch},
        {u"15/06", vb::TypeMismatch},      {u"ab/cd/efgh", vb::TypeMismatch},
        {u"15/06/    ", vb::TypeMismatch}, {u"5/06/2024", vb::TypeMismatch},
        {u"  /06/2024", vb::TypeMismatch}, {u" /  /    ", vb::TypeMismatch},
        {u"15/06/9E99", vb::Overflow},
    };
    // The call, its error, whether it rejected, what the boxes and the message box hold.
    const auto expect = [](TextView typed, int error, bool rejected, const Texts& boxes,
                           const Texts& shown) {
        FormCall run;
        bool result = false;
        EXPECT_EQ(error_number([&] { result = run.check(typed); }), error) << to_utf8(typed);
        EXPECT_EQ(result, rejected) << to_utf8(typed);
        EXPECT_EQ(texts_of(run.form), boxes) << to_utf8(typed);
        EXPECT_EQ(run.box.shown, shown) << to_utf8(typed);
        EXPECT_EQ(run.prefix, u"TXTFEC") << to_utf8(typed);
        EXPECT_TRUE(error == 0 || run.tools.calls.empty()) << to_utf8(typed);
    };
    for (const auto& [typed, cleaned] : accepted)
        expect(typed, 0, false, {cleaned, cleaned, u"", cleaned}, {});
    for (const auto& [typed, why] : rejected)
        expect(typed, 0, true, Texts(4), {head + typed + why + tail});
    for (const auto& [typed, number] : failing)
        expect(typed, number, false, Texts(4), {});
    FormCall run;
    run.check(u"31/04/2025");
    EXPECT_EQ(run.tools.calls, (std::vector<std::string>{"DaysInMonth 4 2025", "PadText 30 2",
                                                         "PadText 4 2", "PadText 2025 4"}));
}

TEST(CheckFormDate, PrefixMatchesTheStartOfNamesInAnyCase) {
    const struct {
        const char16_t* prefix;
        const char16_t* stored;
        std::vector<bool> set; // TXTFEC1, txtFec2, lblFecha, TxtFecha3, TXTFE, Año1
    } cases[] = {
        {u" txtFec ", u"TXTFEC", {true, true, false, true, false, false}},
        {u"TXTFEC1", u"TXTFEC1", {true, false, false, false, false, false}},
        {u"txtfecha", u"TXTFECHA", {false, false, false, true, false, false}},
        {u"", u"", {true, true, true, true, true, true}},
        {u"   ", u"", {true, true, true, true, true, true}},
        {u"\ttxt", u"\tTXT", {false, false, false, false, false, false}},
        {u"año", u"AÑO", {false, false, false, false, false, true}},
        {u"TXTFEC12", u"TXTFEC12", {false, false, false, false, false, false}},
    };
    for (const auto& c : cases) {
        FormCall run(u"TXTFEC1,txtFec2,lblFecha,TxtFecha3,TXTFE,Año1");
        EXPECT_FALSE(run.check(u"07/09/2024", c.prefix));
        EXPECT_EQ(run.prefix, c.stored);
        const Texts texts = texts_of(run.form);
        for (std::size_t i = 0; i < c.set.size(); ++i) {
            EXPECT_EQ(texts[i], c.set[i] ? u"07/09/2024" : u"") << to_utf8(c.prefix) << " " << i;
        }
    }
}

std::shared_ptr<InMemoryObject> having(const char16_t* name, Variant value) {
    auto made = std::make_shared<InMemoryObject>();
    made->with(name, std::move(value));
    return made;
}

Variant object(std::shared_ptr<InMemoryObject> made) {
    return Variant(Variant::ObjectRef(std::move(made)));
}

Variant form_with_controls(std::vector<Variant> items) {
    auto collection = std::make_shared<InMemoryObject>();
    collection->holding(std::move(items));
    return object(having(u"Controls", object(collection)));
}

TEST(CheckFormDate, FormsAndControlsThatCannotTakeTheDate) {
    auto first = having(u"Name", Text(u"txtFecA"));
    auto last = having(u"Name", Text(u"txtFecZ"));
    const Variant nothing{Variant::ObjectRef()};
    const auto controls = [&](Variant second) {
        return form_with_controls({object(first), std::move(second), object(last)});
    };
    // The controls before a failing one keep the date (first: true); those after it do not.
    const struct {
        const char* name;
        Variant form;
        int number; // 0 when the call returns
        bool first;
    } cases[] = {
        {"a form that is Nothing", nothing, vb::ObjectNotSet, false},
        {"an Empty form", Variant(), vb::ObjectNotSet, false},
        {"a form without Controls", object(having(u"Caption", Text())), vb::MemberNotFound, false},
        {"Controls that is Nothing", object(having(u"Controls", nothing)), vb::ObjectNotSet, false},
        {"Controls that is a text", object(having(u"Controls", Text(u"x"))), vb::TypeMismatch,
         false},
        {"Controls that is no collection",
         object(having(u"Controls", object(having(u"Caption", Text())))), vb::MemberNotFound,
         false},
        {"a matching control without Text", controls(object(having(u"Name", Text(u"txtFecB")))),
         vb::MemberNotFound, true},
        {"a control without Name", controls(object(having(u"Text", Text()))), vb::MemberNotFound,
         true},
        {"an item that is Nothing", controls(nothing), vb::ObjectNotSet, true},
        {"an item that is a text", controls(Text(u"txtFecX")), vb::TypeMismatch, true},
        {"a Name that is Null", controls(object(having(u"Name", Variant::null()))),
         vb::InvalidUseOfNull, true},
        {"a control without Text that does not match",
         controls(object(having(u"Name", Text(u"lblFecha")))), 0, true},
    };
    for (const auto& c : cases) {
        first->with(u"Text", Text());
        last->with(u"Text", Text());
        FormCall run;
        run.target = c.form;
        EXPECT_EQ(error_number([&] { run.check(u"31/04/2025"); }), c.number) << c.name;
        EXPECT_EQ(run.prefix, u"TXTFEC") << c.name;
        EXPECT_EQ(first->get_property(u"Text").as<Text>(), c.first ? u"30/04/2025" : u"") << c.name;
        EXPECT_EQ(last->get_property(u"Text").as<Text>(), c.number == 0 ? u"30/04/2025" : u"")
            << c.name;
    }
}

TEST(CheckFormDate, TheFormIsBoundFirstAndLookedAtLast) {
    const struct {
        Variant form;
        int number;
        const char16_t* prefix;
    } cases[] = {
        {Text(u"frmCaptura"), vb::TypeMismatch, u" txtFec "},
        {Variant(std::int32_t{0}), vb::TypeMismatch, u" txtFec "},
        {Variant::missing(), vb::TypeMismatch, u" txtFec "},
        {Variant(Variant::ObjectRef()), 0, u"TXTFEC"}, // a rejected date never reaches it
    };
    for (const auto& c : cases) {
        FormCall run;
        run.target = c.form;
        bool rejected = false;
        EXPECT_EQ(error_number([&] { rejected = run.check(u"15/06/2030"); }), c.number);
        EXPECT_EQ(run.prefix, c.prefix);
        EXPECT_EQ(run.box.shown.size(), rejected ? 1u : 0u);
        EXPECT_EQ(rejected, c.number == 0);
    }
}

TEST(CheckFormDate, TheCompanionCountsAndFails) {
    const struct {
        std::optional<std::int16_t> days;
        std::optional<std::size_t> failing_call;
        int number;
        const char16_t* written; // null when the date is rejected
    } cases[] = {
        {10, std::nullopt, 0, u"10/04/2025"},
        {31, std::nullopt, 0, u"31/04/2025"},
        {0, std::nullopt, 0, nullptr},
        {std::nullopt, 0, vb::ObjectNotSet, u""}, // DaysInMonth
        {std::nullopt, 1, vb::ObjectNotSet, u""}, // the day's PadText
    };
    for (const auto& c : cases) {
        FormCall run;
        run.tools.days_in_month = c.days;
        if (c.failing_call) {
            run.tools.fail_call(*c.failing_call, c.number);
        }
        bool rejected = false;
        EXPECT_EQ(error_number([&] { rejected = run.check(u"31/04/2025"); }), c.number);
        EXPECT_EQ(rejected, c.written == nullptr);
        EXPECT_EQ(texts_of(run.form)[0], c.written != nullptr ? c.written : u"");
        EXPECT_EQ(run.box.shown.size(), rejected ? 1u : 0u);
        EXPECT_EQ(run.prefix, u"TXTFEC");
    }
}

} // namespace
} // namespace orbek
