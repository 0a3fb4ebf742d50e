#include "platform/posix/in_memory_objects.h"
#include "support/error_number.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::error_number;

std::vector<Text> names_of(const InMemoryForm& form) {
    std::vector<Text> names;
    form.object().as<Variant::ObjectRef>()->for_each_item_of(u"controls", [&](const Variant& item) {
        names.push_back(item.as<Variant::ObjectRef>()->get_property(u"NAME").as<Text>());
    });
    return names;
}

TEST(InMemoryForm, OneControlForEachNameBetweenCommas) {
    const std::pair<const char16_t*, std::vector<Text>> cases[] = {
        {u"", {}},
        {u"TXTFEC1,txtFec2,OTHER", {u"TXTFEC1", u"txtFec2", u"OTHER"}},
        {u"A,", {u"A", u""}},
        {u",A", {u"", u"A"}},
        {u" a , b", {u" a ", u" b"}},
    };
    for (const auto& [description, names] : cases) {
        const InMemoryForm form(description);
        EXPECT_EQ(names_of(form), names) << to_utf8(description);
        ASSERT_EQ(form.controls().size(), names.size());
        for (const auto& control : form.controls()) {
            EXPECT_EQ(control->get_property(u"Text"), Variant(Text()));
        }
    }
}

TEST(InMemoryObject, PropertiesByNameInAnyCase) {
    InMemoryObject control;
    control.with(u"Name", Text(u"txtFec")).with(u"Text", Text());
    control.put_property(u"TEXT", Text(u"01/02/2024"));
    EXPECT_EQ(control.get_property(u"text"), Variant(Text(u"01/02/2024")));
    control.with(u"NAME", Text(u"lbl"));
    EXPECT_EQ(control.get_property(u"Name"), Variant(Text(u"lbl")));

    struct Case {
        const char* name;
        std::function<void()> call;
        int number;
    };
    const Case cases[] = {
        {"get", [&] { control.get_property(u"Caption"); }, vb::MemberNotFound},
        {"put", [&] { control.put_property(u"Caption", Text()); }, vb::MemberNotFound},
        {"enumerate", [&] { control.enumerate(); }, vb::MemberNotFound},
        {"for each over a text", [&] { control.for_each_item_of(u"Name", [](const Variant&) {}); },
         vb::TypeMismatch},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(error_number(c.call), c.number) << c.name;
    }
}

} // namespace
} // namespace orbek
