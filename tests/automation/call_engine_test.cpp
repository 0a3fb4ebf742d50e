#include "automation/typed_call.h"

#include <gtest/gtest.h>
#include <map>
#include <stdexcept>

namespace orbek {
namespace {

using Kind = CallOutcome::Kind;

// A small interface of its own, so each rule of binding and write-back shows alone.
namespace probe {
using namespace decl;
using enum ValueType;
constexpr std::array TakeArgs{required(u"n", Long), optional(u"t", Text, text_default(u"dflt")),
                              optional(u"v", Variant), optional(u"o", Object),
                              optional(u"c", Currency, number_default(3))};
constexpr std::array WriteArgs{written(required(u"a", Text)), written(optional(u"b", Text)),
                               written(optional(u"v", Variant))};
constexpr std::array EchoArgs{required(u"v", Variant)};
constexpr std::array Methods{
    MethodDecl{u"Take", 1, TakeArgs, Text, u""},
    MethodDecl{u"Write", 2, WriteArgs, std::nullopt, u""},
    MethodDecl{u"Echo", 3, EchoArgs, Variant, u""},
};
} // namespace probe

constexpr InterfaceDecl ProbeInterface{u"Probe", u"",           {}, 0, u"_Probe", {}, u"Probe",
                                       {},       probe::Methods};

struct Probe {
    // What Take saw, one text per argument.
    Text Take(std::int32_t n, TextView t, const Variant& v, const Variant& o, Currency c) {
        const bool nothing = o.holds<Variant::ObjectRef>() && !o.as<Variant::ObjectRef>();
        return to_text(Variant(n)) + u"|" + Text(t) + u"|" +
               (v.is_missing() ? Text(u"missing") : to_text(v)) + u"|" +
               (nothing ? Text(u"Nothing") : Text(u"?")) + u"|" + to_text(Variant(c));
    }
    void Write(Text& a, Text& b, Variant& v) {
        a = new_a;
        b = u"b written";
        v = Variant(std::int32_t{7});
        if (fail_with != 0)
            throw VbError(fail_with);
        if (throw_other)
            throw std::runtime_error("not a VB error");
    }
    Variant Echo(const Variant& v) { return v; }

    Text new_a = u"a written";
    int fail_with = 0;
    bool throw_other = false;
};

using ProbeMethods = MethodTable<ProbeInterface, &Probe::Take, &Probe::Write, &Probe::Echo>;

struct Recorded final : ArgumentSink {
    void store(std::size_t index, const Variant& value) override {
        if (refuse == index)
            throw VbError(vb::TypeMismatch);
        if (on_store)
            on_store(index);
        stored[index] = value.owned();
    }
    std::map<std::size_t, Variant> stored;
    std::optional<std::size_t> refuse;
    std::function<void(std::size_t)> on_store;
};

CallOutcome call(Probe& probe, std::u16string_view method, std::vector<Variant> given,
                 Recorded& sink) {
    const MethodDecl& declared = *find_method(ProbeInterface, method);
    given.resize(declared.args.size(), Variant::missing());
    return ProbeMethods::call(probe, declared, given, sink);
}

TEST(CallEngine, BindsEachArgumentToItsDeclaredTypeOrItsDefault) {
    const Variant missing = Variant::missing(), one = Variant(u"1");
    using enum Kind;
    // {given, outcome, result, argument}: the result when done, else the argument that failed.
    // clang-format off
    const std::tuple<std::vector<Variant>, Kind, Text, std::size_t> cases[] = {
        {{Variant(u"12")}, Done, u"12|dflt|missing|Nothing|3", 0},
        {{Variant(2.5), Variant(std::int32_t{5}), Variant(), Variant()}, Done, u"2|5||Nothing|3",
         0},
        {{Variant(3.5), missing, Variant(u"x"), missing, Variant(u"0.00025")}, Done,
         u"4|dflt|x|Nothing|0.0002", 0}, // texts halve to even exactly
        {{}, ArgumentNotOptional, u"", 0}, {{missing, Variant(u"x")}, ArgumentNotOptional, u"", 0},
        {{Variant::null()}, ArgumentMismatch, u"", 0},
        {{Variant(u"abc")}, ArgumentMismatch, u"", 0},
        {{Variant(u"2147483648")}, ArgumentOverflow, u"", 0},
        {{one, Variant::null()}, ArgumentMismatch, u"", 1},
        {{one, missing, missing, Variant(u"not an object")}, ArgumentMismatch, u"", 3},
        {{one, missing, missing, missing, Variant(1e300)}, ArgumentOverflow, u"", 4}};
    // clang-format on
    for (const auto& [given, kind, result, argument] : cases) {
        Probe probe;
        Recorded sink;
        const CallOutcome outcome = call(probe, u"take", given, sink);
        SCOPED_TRACE(::testing::Message() << "case with " << given.size() << " arguments");
        EXPECT_EQ(outcome.kind, kind);
        if (kind == Done)
            EXPECT_EQ(to_utf8(to_text(outcome.value)), to_utf8(result));
        else
            EXPECT_EQ(outcome.argument, argument);
        EXPECT_TRUE(sink.stored.empty()); // nothing Take reads ever goes back
    }
}

TEST(CallEngine, WritesBackOnlyWhatChangedAndWasGiven) {
    Probe probe;
    Recorded sink;
    // "a" was already what the method stores; "b" is left out; "v" changes type.
    probe.new_a = u"same";
    CallOutcome outcome =
        call(probe, u"Write", {Variant(u"same"), Variant::missing(), Variant(u"7")}, sink);
    EXPECT_TRUE(outcome.done());
    ASSERT_EQ(sink.stored.size(), 1u);
    EXPECT_EQ(sink.stored.at(2), Variant(std::int32_t{7}));

    // A number given for a text the method changes comes back as the text.
    Recorded numbers;
    call(probe, u"Write", {Variant(std::int32_t{5}), Variant(u"b written")}, numbers);
    ASSERT_EQ(numbers.stored.size(), 1u);
    EXPECT_EQ(numbers.stored.at(0), Variant(u"same"));
}

TEST(CallEngine, AFailingMethodStillWritesBackAndKeepsItsOwnError) {
    Probe probe;
    probe.fail_with = vb::InvalidProcedureCall;
    Recorded sink;
    sink.refuse = 1; // the caller's variable cannot take the new value either
    const CallOutcome outcome = call(probe, u"Write", {Variant(u"x"), Variant(u"y")}, sink);
    EXPECT_EQ(outcome.kind, Kind::Failed);
    EXPECT_EQ(outcome.vb_error().number(), vb::InvalidProcedureCall);
    EXPECT_EQ(sink.stored.at(0), Variant(u"a written"));

    // A method that succeeds but whose write-back is refused reports the argument.
    probe.fail_with = 0;
    const CallOutcome refused = call(probe, u"Write", {Variant(u"x"), Variant(u"y")}, sink);
    EXPECT_EQ(refused.kind, Kind::ArgumentMismatch);
    EXPECT_EQ(refused.argument, 1u);

    // Anything else a method throws is an internal error, never an escape.
    probe.throw_other = true;
    Recorded quiet;
    EXPECT_EQ(call(probe, u"Write", {Variant(u"x")}, quiet).vb_error().number(), vb::InternalError);
}

TEST(CallEngine, WorksOutEveryNewValueBeforeTheFirstGoesBackAndResultsOwnTheirTexts) {
    // The same variable passed twice: storing the first frees the text the second still reads.
    Text shared = u"same";
    Probe probe;
    probe.new_a = u"changed";
    Recorded sink;
    sink.on_store = [&](std::size_t) { shared = u"freed and reused"; };
    const Variant borrowed = Variant::borrowed_text(shared);
    call(probe, u"Write", {borrowed, Variant(u"b written"), Variant::missing()}, sink);
    EXPECT_EQ(sink.stored.size(), 1u); // "b" was unchanged when it was compared

    // A result never borrows from the caller.
    Text text = u"caller's";
    const CallOutcome outcome = call(probe, u"Echo", {Variant::borrowed_text(text)}, sink);
    text = u"changed afterwards";
    EXPECT_TRUE(outcome.value.holds<Text>());
    EXPECT_EQ(outcome.value.text(), u"caller's");
}

TEST(CallEngine, FindsMethodsAndArgumentsByNameInAnyCaseAndByDispid) {
    EXPECT_EQ(find_method(ProbeInterface, u"eCHO"), &probe::Methods[2]);
    EXPECT_EQ(find_method(ProbeInterface, u"Echo2"), nullptr);
    EXPECT_EQ(find_method(ProbeInterface, 2), &probe::Methods[1]);
    EXPECT_EQ(find_method(ProbeInterface, 4), nullptr);
    EXPECT_EQ(find_argument(probe::Methods[0], u"C"), 4u);
    EXPECT_EQ(find_argument(probe::Methods[0], u"x"), std::nullopt);
}

} // namespace
} // namespace orbek
