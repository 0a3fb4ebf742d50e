#include "date_test_doubles.h"
#include "dates/form_date.h"
#include "platform/posix/in_memory_objects.h"
#include "support/error_number.h"

#include <gtest/gtest.h>
#include <memory>

namespace orbek {
namespace {

using testing::error_number;
using testing::RecordingMessageBox;
using testing::RecordingSysTools;

const char16_t* const Controls = u"TXTFEC1,txtFec2,lblFecha,TxtFecha3";

std::vector<Text> texts_of(const InMemoryForm& form) {
    std::vector<Text> texts;
    for (const auto& control : form.controls()) {
        texts.push_back(control->get_property(u"Text").as<Text>());
    }
    return texts;
}

// One call against a fresh form, companion and message box.
struct FormCall {
    explicit FormCall(const char16_t* names = Controls) : form(names) {}
    bool check(TextView typed, Text given_prefix = u"txtfec") {
        prefix = std::move(given_prefix);
        return check_form_date(typed, prefix, form.object(), tools, box);
    }
    InMemoryForm form;
    RecordingSysTools tools;
    RecordingMessageBox box;
    Text prefix;
};

TEST(CheckFormDate, AcceptedDatesAreCleanedIntoTheMatchingControls) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"31/04/2025", u"30/04/2025"},  {u"29/02/2023", u"28/02/2023"},
        {u"29/02/2024", u"29/02/2024"},  {u"29/02/2000", u"29/02/2000"},
        {u"30/02/1931", u"28/02/1931"},  {u"01/01/1930", u"01/01/1930"},
        {u"31/12/2029", u"31/12/2029"},  {u"99/02/2000", u"29/02/2000"},
        {u" 5/06/2024", u"05/06/2024"},  {u"+5-6 x2024", u"05/06/2024"},
        {u"2./1./2024", u"02/01/2024"},  {u"15/06/12024", u"15/06/2024"},
        {u"14/08/ 1950", u"14/08/1950"}, {u"03/1.5/2024", u"03/01/2024"},
    };
    for (const auto& [typed, cleaned] : cases) {
        FormCall run;
        EXPECT_FALSE(run.check(typed)) << to_utf8(typed);
        EXPECT_EQ(texts_of(run.form), (std::vector<Text>{cleaned, cleaned, u"", cleaned}))
            << to_utf8(typed);
        EXPECT_TRUE(run.box.shown.empty());
    }
}

TEST(CheckFormDate, CompanionPadsDayMonthAndYear) {
    FormCall run;
    run.check(u"31/04/2025");
    EXPECT_EQ(run.tools.calls, (std::vector<std::string>{"DaysInMonth 4 2025", "PadText 30 2",
                                                         "PadText 4 2", "PadText 2025 4"}));
}

// The message's own wording and spelling are part of what the user has always seen.
TEST(CheckFormDate, RejectedDatesTellTheUserWhy) {
    const Text head = u"Atención Sr. Usuario:\r\n\r\n\r\nUd. capturó incorrectamente está fecha: ";
    const Text tail = u"Favor de Verificar y Corregir, Gracias..\r\n\r\n";
    const std::pair<const char16_t*, Text> cases[] = {
        {u"15/06/2030",
         head +
             u"15/06/2030\r\n\r\n\r\nEl rango de Años es de: 1930 al 2029, Ud. capturó: "
             u"2030\r\n\r\n" +
             tail},
        {u"15/13/2029",
         head +
             u"15/13/2029\r\n\r\n\r\nEl rango de Meses es del: 1 al 12, Ud. capturó: "
             u"13\r\n\r\n" +
             tail},
        {u"00/05/2024", head + u"00/05/2024\r\n\r\n\r\n" + tail},
        {u"  /  /    ",
         head +
             u"  /  /    \r\n\r\n\r\nEl rango de Años es de: 1930 al 2029, Ud. capturó: "
             u"0\r\n\r\nEl rango de Meses es del: 1 al 12, Ud. capturó: 0\r\n\r\n" +
             tail},
        {u"15/00/1929",
         head +
             u"15/00/1929\r\n\r\n\r\nEl rango de Años es de: 1930 al 2029, Ud. capturó: "
             u"1929\r\n\r\nEl rango de Meses es del: 1 al 12, Ud. capturó: 0\r\n\r\n" +
             tail},
        {u"-3/-1/-999",
         head +
             u"-3/-1/-999\r\n\r\n\r\nEl rango de Años es de: 1930 al 2029, Ud. capturó: "
             u"-999\r\n\r\nEl rango de Meses es del: 1 al 12, Ud. capturó: -1\r\n\r\n" +
             tail},
        {u"-1/12/2029", head + u"-1/12/2029\r\n\r\n\r\n" + tail},
    };
    for (const auto& [typed, message] : cases) {
        FormCall run;
        EXPECT_TRUE(run.check(typed)) << to_utf8(typed);
        ASSERT_EQ(run.box.shown.size(), 1u) << to_utf8(typed);
        EXPECT_EQ(run.box.shown[0].message, message) << to_utf8(typed);
        EXPECT_EQ(run.box.shown[0].title, u"ERROR en la Fecha");
        EXPECT_EQ(texts_of(run.form), std::vector<Text>(4)) << to_utf8(typed);
        EXPECT_EQ(run.prefix, u"TXTFEC");
    }
}

TEST(CheckFormDate, PiecesThatAreNoNumbersChangeNothing) {
    const std::pair<const char16_t*, int> cases[] = {
        {u"12/  /2024", vb::TypeMismatch}, {u"", vb::TypeMismatch},
        {u"1", vb::TypeMismatch},          {u"15/06", vb::TypeMismatch},
        {u"ab/cd/efgh", vb::TypeMismatch}, {u"15/06/    ", vb::TypeMismatch},
        {u"5/06/2024", vb::TypeMismatch},  {u"  /06/2024", vb::TypeMismatch},
        {u"15/06/9E99", vb::Overflow},     {u" /  /    ", vb::TypeMismatch},
    };
    for (const auto& [typed, number] : cases) {
        FormCall run;
        EXPECT_EQ(error_number([&] { run.check(typed, u" txtFec "); }), number) << to_utf8(typed);
        EXPECT_EQ(run.prefix, u"TXTFEC") << to_utf8(typed);
        EXPECT_EQ(texts_of(run.form), std::vector<Text>(4)) << to_utf8(typed);
        EXPECT_TRUE(run.box.shown.empty()) << to_utf8(typed);
        EXPECT_TRUE(run.tools.calls.empty()) << to_utf8(typed);
    }
}

TEST(CheckFormDate, PrefixMatchesTheStartOfNamesInAnyCase) {
    struct Case {
        const char16_t* prefix;
        const char16_t* stored;
        std::vector<bool> set; // TXTFEC1, txtFec2, lblFecha, TxtFecha3, TXTFE, Año1
    };
    const Case cases[] = {
        {u" txtFec ", u"TXTFEC", {true, true, false, true, false, false}},
        {u"TXTFEC1", u"TXTFEC1", {true, false, false, false, false, false}},
        {u"txtfecha", u"TXTFECHA", {false, false, false, true, false, false}},
        {u"", u"", {true, true, true, true, true, true}},
        {u"   ", u"", {true, true, true, true, true, true}},
        {u"\ttxt", u"\tTXT", {false, false, false, false, false, false}},
        {u"año", u"AÑO", {false, false, false, false, false, true}},
        {u"TXTFEC12", u"TXTFEC12", {false, false, false, false, false, false}},
    };
    for (const Case& c : cases) {
        FormCall run(u"TXTFEC1,txtFec2,lblFecha,TxtFecha3,TXTFE,Año1");
        EXPECT_FALSE(run.check(u"07/09/2024", c.prefix));
        EXPECT_EQ(run.prefix, c.stored);
        const std::vector<Text> texts = texts_of(run.form);
        for (std::size_t i = 0; i < c.set.size(); ++i) {
            EXPECT_EQ(texts[i], c.set[i] ? u"07/09/2024" : u"") << to_utf8(c.prefix) << " " << i;
        }
    }
}

std::shared_ptr<InMemoryObject> control(const char16_t* name, bool with_text = true) {
    auto made = std::make_shared<InMemoryObject>();
    made->with(u"Name", Text(name));
    if (with_text) {
        made->with(u"Text", Text());
    }
    return made;
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
    auto form = std::make_shared<InMemoryObject>();
    form->with(u"Controls", object(collection));
    return object(form);
}

TEST(CheckFormDate, FormsAndControlsThatCannotTakeTheDate) {
    auto first = control(u"txtFecA");
    auto last = control(u"txtFecZ");
    auto no_text = control(u"txtFecB", false);
    auto other_no_text = control(u"lblFecha", false);
    auto nameless = std::make_shared<InMemoryObject>();
    auto not_a_collection = std::make_shared<InMemoryObject>();
    struct Case {
        const char* name;
        Variant form;
        int number;
        bool first_set;
    };
    const Case cases[] = {
        {"a form that is Nothing", Variant(Variant::ObjectRef()), vb::ObjectNotSet, false},
        {"an Empty form", Variant(), vb::ObjectNotSet, false},
        {"a form without Controls", object(std::make_shared<InMemoryObject>()), vb::MemberNotFound,
         false},
        {"Controls that is Nothing", object(having(u"Controls", Variant::ObjectRef())),
         vb::ObjectNotSet, false},
        {"Controls that is a text", object(having(u"Controls", Text(u"x"))), vb::TypeMismatch,
         false},
        {"Controls that is not a collection", object(having(u"Controls", object(not_a_collection))),
         vb::MemberNotFound, false},
        {"a matching control without Text",
         form_with_controls({object(first), object(no_text), object(last)}), vb::MemberNotFound,
         true},
        {"a control without Name", form_with_controls({object(first), object(nameless)}),
         vb::MemberNotFound, true},
        {"an item that is Nothing",
         form_with_controls({object(first), Variant(Variant::ObjectRef()), object(last)}),
         vb::ObjectNotSet, true},
        {"an item that is a text", form_with_controls({object(first), Text(u"txtFecX")}),
         vb::TypeMismatch, true},
        {"a Name that is Null",
         form_with_controls({object(first), object(having(u"Name", Variant::null()))}),
         vb::InvalidUseOfNull, true},
        {"a control without Text that does not match",
         form_with_controls({object(first), object(other_no_text), object(last)}), 0, true},
    };
    for (const Case& c : cases) {
        first->put_property(u"Text", Text());
        last->put_property(u"Text", Text());
        RecordingSysTools tools;
        RecordingMessageBox box;
        Text prefix = u" txtFec ";
        EXPECT_EQ(error_number([&] { check_form_date(u"31/04/2025", prefix, c.form, tools, box); }),
                  c.number)
            << c.name;
        EXPECT_EQ(prefix, u"TXTFEC") << c.name;
        EXPECT_EQ(first->get_property(u"Text"), Variant(Text(c.first_set ? u"30/04/2025" : u"")))
            << c.name;
        EXPECT_EQ(last->get_property(u"Text"), Variant(Text(c.number == 0 ? u"30/04/2025" : u"")))
            << c.name;
    }
}

TEST(CheckFormDate, RejectionNeverLooksAtTheForm) {
    RecordingSysTools tools;
    RecordingMessageBox box;
    Text prefix = u"txtFec";
    EXPECT_TRUE(check_form_date(u"15/06/2030", prefix, Variant(Variant::ObjectRef()), tools, box));
    EXPECT_EQ(box.shown.size(), 1u);
}

TEST(CheckFormDate, AFormThatIsNoObjectFailsBeforeAnythingHappens) {
    const Variant not_objects[] = {Text(u"frmCaptura"), Variant(std::int32_t{0}),
                                   Variant::missing()};
    for (const Variant& form : not_objects) {
        RecordingSysTools tools;
        RecordingMessageBox box;
        Text prefix = u" txtFec ";
        EXPECT_EQ(error_number([&] { check_form_date(u"15/06/2030", prefix, form, tools, box); }),
                  vb::TypeMismatch);
        EXPECT_EQ(prefix, u" txtFec ");
        EXPECT_TRUE(box.shown.empty());
    }
}

TEST(CheckFormDate, CompanionFailuresEndTheCall) {
    const std::pair<const char*, int> cases[] = {{"DaysInMonth", vb::ObjectNotSet},
                                                 {"PadText", vb::InvalidProcedureCall}};
    for (const auto& [operation, number] : cases) {
        FormCall run;
        run.tools.fail(operation, number);
        EXPECT_EQ(error_number([&] { run.check(u"31/04/2025", u" txtFec "); }), number);
        EXPECT_EQ(run.prefix, u"TXTFEC");
        EXPECT_EQ(texts_of(run.form), std::vector<Text>(4));
        EXPECT_TRUE(run.box.shown.empty());
    }
}

TEST(CheckFormDate, TheDayIsCutToWhatTheCompanionCounts) {
    const std::pair<std::int16_t, const char16_t*> cases[] = {{10, u"10/04/2025"},
                                                              {31, u"31/04/2025"}};
    for (const auto& [days, cleaned] : cases) {
        FormCall run;
        run.tools.days_answer = days;
        EXPECT_FALSE(run.check(u"31/04/2025"));
        EXPECT_EQ(texts_of(run.form)[0], cleaned);
    }
    FormCall run;
    run.tools.days_answer = 0;
    EXPECT_TRUE(run.check(u"31/04/2025"));
}

} // namespace
} // namespace orbek
