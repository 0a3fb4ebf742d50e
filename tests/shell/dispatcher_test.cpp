#include "object_host.h"
#include "shell/dispatcher.h"

#include <gtest/gtest.h>

namespace orbek {
namespace {

using testing::ThreadHost;

int error_number_of(OrbekInterface& object, std::u16string_view name, std::vector<Variant> args) {
    try {
        call_by_name(object, name, args);
    } catch (const VbError& error) {
        return error.number();
    }
    return 0;
}

TEST(Dispatcher, ConvertsArgumentsToTheirDeclaredTypes) {
    ThreadHost thread;
    auto object = thread.create();
    struct Case {
        std::u16string_view method;
        std::vector<Variant> args;
        Variant result;
    };
    const Case cases[] = {
        {u"Hrs2Seg", {Text(u"01:30:15")}, std::int32_t{5415}},
        {u"Seg2Hrs", {Text(u" 5415 ")}, Text(u"01:30:15")},
        {u"Seg2Hrs", {5414.5}, Text(u"01:30:14")}, // halves go to the even second
        {u"Seg2Hrs", {true}, Text(u"-1:-1:-1")},
        {u"MasDeUnDia", {Text(u"86400")}, true},
        {u"MasDeUnDia", {std::int16_t{-5}}, false},
        {u"SumaHoras", {Text(u"01:30:00"), Text(u"00:45:30")}, Text(u"02:15:30")},
        {u"RESTAHORAS", {Text(u"10:00:00"), Text(u"08:30:00")}, Text(u"01:30:00")},
    };
    for (const Case& c : cases) {
        std::vector<Variant> args = c.args;
        EXPECT_EQ(call_by_name(*object, c.method, args), c.result) << to_utf8(c.method);
    }
}

TEST(Dispatcher, ErrorNumbersOfBadCalls) {
    ThreadHost thread;
    auto object = thread.create();
    struct Case {
        std::u16string_view method;
        std::vector<Variant> args;
        int number;
    };
    const Case cases[] = {
        {u"NoSuchMethod", {}, vb::MemberNotFound},
        {u"Seg2Hrs", {}, vb::ArgumentNotOptional},
        {u"Seg2Hrs", {Variant::missing()}, vb::ArgumentNotOptional},
        {u"Seg2Hrs", {std::int32_t{1}, std::int32_t{2}}, vb::WrongArgumentCount},
        {u"Seg2Hrs", {Text(u"abc")}, vb::TypeMismatch},
        {u"Seg2Hrs", {Text(u"1E10")}, vb::Overflow},
        {u"Seg2Hrs", {Variant::null()}, vb::InvalidUseOfNull},
        {u"Acceso", {Text(u"00"), std::int32_t{40000}}, vb::Overflow},
        {u"Fillhours", {Text(u"7")}, vb::InvalidProcedureCall},
        {u"FechaValida", {Text(), Text(), Text(u"not a form")}, vb::TypeMismatch},
        {u"WrINI", {Text(u"S"), Text(u"K"), Text(u"V")}, vb::ActionNotSupported},
        {u"Log", {std::uint8_t{1}, Text(u"M")}, vb::ActionNotSupported},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(error_number_of(*object, c.method, c.args), c.number) << to_utf8(c.method);
    }
}

TEST(Dispatcher, ConversionFailuresNameTheArgument) {
    ThreadHost thread;
    auto object = thread.create();
    std::vector<Variant> args{Text(u"rights"), Text(u"x")};
    try {
        call_by_name(*object, u"Acceso", args);
        FAIL();
    } catch (const ArgumentError& error) {
        EXPECT_EQ(error.index(), 1u);
        EXPECT_EQ(error.number(), vb::TypeMismatch);
    }
}

TEST(Dispatcher, MethodsNotBuiltSayWhich) {
    ThreadHost thread;
    auto object = thread.create();
    std::vector<Variant> args{Text(u"S"), Text(u"K")};
    try {
        call_by_name(*object, u"RdINIStr", args);
        FAIL();
    } catch (const VbError& error) {
        EXPECT_EQ(error.number(), vb::ActionNotSupported);
        EXPECT_NE(std::string(error.what()).find("RdINIStr is not available in this build"),
                  std::string::npos);
    }
}

TEST(Dispatcher, OmittedOptionalTakesItsDefault) {
    ThreadHost thread;
    auto object = thread.create();
    std::vector<Variant> none;
    call_by_name(*object, u"Delay", none);
    std::vector<Variant> level{Variant::missing()};
    call_by_name(*object, u"Delay", level);
    std::vector<Variant> explicit_level{std::int32_t{2}};
    call_by_name(*object, u"Delay", explicit_level);
    ASSERT_EQ(thread.clock.sleeps.size(), 3u);
    EXPECT_EQ(thread.clock.sleeps[0], thread.clock.sleeps[2]);
    EXPECT_EQ(thread.clock.sleeps[1], thread.clock.sleeps[2]);
}

TEST(Dispatcher, ByReferenceResultsReachTheCaller) {
    ThreadHost thread;
    auto object = thread.create();
    std::vector<Variant> args{Text()};
    EXPECT_EQ(call_by_name(*object, u"Fillhours", args), Text(u"00:00"));
    EXPECT_EQ(args[0], Text(u"00:00"));

    // An Empty variable is passed as the empty text and comes back as text.
    std::vector<Variant> empty{Variant()};
    call_by_name(*object, u"Fillhours", empty);
    EXPECT_EQ(empty[0], Text(u"00:00"));

    // The caller's variable comes back in the declared type.
    std::vector<Variant> seconds{Text(u"60")};
    call_by_name(*object, u"Seg2Hrs", seconds);
    EXPECT_EQ(seconds[0], std::int32_t{60});
}

TEST(Dispatcher, ByReferenceResultsReachTheCallerWhenTheMethodFails) {
    ThreadHost thread;
    thread.companion.available = false;
    auto object = thread.create();
    std::vector<Variant> args{Text()};
    EXPECT_EQ(error_number_of(*object, u"Fillhours", args), vb::ObjectNotSet);
    std::vector<Variant> again{Text()};
    try {
        call_by_name(*object, u"Fillhours", again);
    } catch (const VbError&) {
    }
    EXPECT_EQ(again[0], Text(u"00:00"));
}

TEST(Dispatcher, ByValueArgumentsAreNotWrittenBack) {
    ThreadHost thread;
    auto object = thread.create();
    SysToolsImpl companion(thread.companion.windows);
    const Text rights = companion.EncodeText(u"1");
    std::vector<Variant> args{rights, Text(u"1")};
    EXPECT_EQ(call_by_name(*object, u"Acceso", args), true);
    EXPECT_EQ(args[0], rights);
    EXPECT_EQ(args[1], std::int16_t{1});
}

} // namespace
} // namespace orbek
