#include "cli.h"

#include "automation/conversions.h"
#include "automation/vb_error.h"
#include "shell/dispatcher.h"
#include "shell/method_table.h"
#include "shell/orbek_object.h"
#include "sys_tools_impl.h"

#include <memory>
#include <vector>

namespace orbek {
namespace {

constexpr const char* Usage =
    "usage: orbek [--no-companion] COMMAND\n"
    "  methods                 list the methods of OrbekDLL\n"
    "  call METHOD [ARG...]    call a method; each ARG is a text, or @missing, @null, @empty\n"
    "  encode TEXT             the companion's encoded form of TEXT (e.g. a rights text)\n"
    "  decode TEXT             the plain text of an encoded TEXT\n"
    "--no-companion runs as on a machine where the companion library cannot be created.\n";

std::string declaration(const MethodSpec& method) {
    std::string line = to_utf8(method.name) + "(";
    for (std::size_t i = 0; i < method.args.size(); ++i) {
        const ArgSpec& arg = method.args[i];
        line += i == 0 ? "" : ", ";
        line += arg.optional ? "Optional " : "";
        line += arg.passing == Passing::ByRef ? "ByRef " : "ByVal ";
        line += to_utf8(arg.name) + " As " + to_utf8(value_type_name(arg.type));
        if (arg.default_value.kind == DefaultValue::Kind::Text) {
            line += " = \"" + to_utf8(arg.default_value.text) + "\"";
        } else if (arg.default_value.kind == DefaultValue::Kind::Number) {
            line += arg.type == ValueType::Boolean
                        ? (arg.default_value.number != 0 ? " = True" : " = False")
                        : " = " + std::to_string(arg.default_value.number);
        }
    }
    line += ")";
    if (method.result) {
        line += " As " + to_utf8(value_type_name(*method.result));
    }
    return line;
}

Variant parse_argument(const std::string& literal) {
    if (literal == "@missing") {
        return Variant::missing();
    }
    if (literal == "@null") {
        return Variant::null();
    }
    if (literal == "@empty") {
        return Variant();
    }
    return Variant(from_utf8(literal));
}

std::string display(const Variant& value) {
    if (value.holds<Text>()) {
        return "\"" + to_utf8(value.as<Text>()) + "\"";
    }
    if (value.is_null()) {
        return "Null";
    }
    if (value.is_empty()) {
        return "Empty";
    }
    return to_utf8(to_text(value));
}

// The command line passes texts, which binding turns into the declared types; only a value
// the method itself changed is worth printing again.
bool changed(const Variant& before, const Variant& after) {
    if (before == after) {
        return false;
    }
    if (before.is_null() || after.is_null() || before.is_missing() || after.is_missing()) {
        return true;
    }
    return before.is_empty() || to_text(before) != to_text(after);
}

class Session {
  public:
    Session(const Clock& clock, WindowLayer& windows, bool with_companion)
        : windows_(windows), object_(state_, environment(clock, with_companion)) {}

    OrbekObject& object() { return object_; }
    SysTools& companion() { return companion_; }

  private:
    const Environment& environment(const Clock& clock, bool with_companion) {
        environment_.clock = &clock;
        environment_.make_sys_tools = [this, with_companion]() -> std::shared_ptr<SysTools> {
            if (!with_companion) {
                throw VbError(vb::CannotCreateObject);
            }
            return std::make_shared<SysToolsImpl>(windows_);
        };
        return environment_;
    }

    WindowLayer& windows_;
    ModuleState state_;
    Environment environment_;
    OrbekObject object_;
    SysToolsImpl companion_{windows_};
};

int call(Session& session, std::span<const std::string> words, std::ostream& out) {
    const Text name = from_utf8(words[0]);
    std::vector<Variant> args;
    for (const std::string& word : words.subspan(1)) {
        args.push_back(parse_argument(word));
    }
    const std::vector<Variant> before = args;
    const MethodSpec* method = find_method(name);

    auto print_write_backs = [&] {
        for (std::size_t i = 0; method != nullptr && i < args.size(); ++i) {
            if (changed(before[i], args[i])) {
                out << to_utf8(method->args[i].name) << " = " << display(args[i]) << "\n";
            }
        }
    };
    try {
        const Variant result = call_by_name(session.object(), name, args);
        if (method->result && !result.is_empty()) {
            out << to_utf8(to_text(result)) << "\n";
        }
        print_write_backs();
        return 0;
    } catch (const VbError&) {
        print_write_backs();
        throw;
    }
}

} // namespace

int run_cli(std::span<const std::string> args, std::ostream& out, std::ostream& err,
            const Clock& clock, WindowLayer& windows) {
    bool with_companion = true;
    if (!args.empty() && args[0] == "--no-companion") {
        with_companion = false;
        args = args.subspan(1);
    }
    if (args.empty() || args[0] == "help" || args[0] == "--help") {
        (args.empty() ? err : out) << Usage;
        return args.empty() ? 2 : 0;
    }
    const std::string& command = args[0];
    const bool known = command == "methods" || (command == "call" && args.size() >= 2) ||
                       ((command == "encode" || command == "decode") && args.size() == 2);
    if (!known) {
        err << Usage;
        return 2;
    }
    try {
        Session session(clock, windows, with_companion);
        if (command == "methods") {
            for (const MethodSpec& method : orbek_methods()) {
                out << declaration(method) << "\n";
            }
        } else if (command == "call") {
            return call(session, args.subspan(1), out);
        } else if (command == "encode") {
            out << to_utf8(session.companion().EncodeText(from_utf8(args[1]))) << "\n";
        } else {
            out << to_utf8(session.companion().DecodeText(from_utf8(args[1]))) << "\n";
        }
        return 0;
    } catch (const VbError& error) {
        err << "error " << error.number() << ": " << error.what() << "\n";
        return 1;
    }
}

} // namespace orbek
