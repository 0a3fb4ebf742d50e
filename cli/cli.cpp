#include "cli.h"

#include "automation/conversions.h"
#include "automation/ole_date.h"
#include "automation/vb_error.h"
#include "platform/posix/in_memory_objects.h"
#include "platform/posix/posix_platform.h"
#include "platform/posix/system_clock.h"
#include "platform/posix/windows_paths.h"
#include "shadow_command.h"
#include "shell/orbek_object.h"
#include "sys_tools_impl.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace orbek {
namespace {

constexpr const char* Usage =
    "usage: orbek [--no-companion] [--now \"YYYY-MM-DD HH:MM:SS\"] [--c-root DIR] COMMAND\n"
    "  methods                 list the methods of OrbekDLL\n"
    "  call METHOD [ARG...]    call a method; each ARG is a text, @missing, @null, @empty,\n"
    "                          or @form:NAME,NAME,... (a form whose controls have those names);\n"
    "                          more calls on the same object follow after \"--\"\n"
    "  encode TEXT             the companion's encoded form of TEXT (e.g. a rights text)\n"
    "  decode TEXT             the plain text of an encoded TEXT\n"
    "  shadow IN OUT [SPEC...] paint the splash's drop shadow into a picture (shadow --help)\n"
    "--no-companion runs as on a machine where the companion library cannot be created;\n"
    "--now fixes the date and time every method sees, for reproducible runs;\n"
    "--c-root names the folder that stands for drive C: (default ~/.local/share/orbek/c).\n";

// A clock that stands still at the time the command line names; pauses are real.
class FixedClock final : public Clock {
  public:
    explicit FixedClock(double now) : now_(now) {}
    double now() const override { return now_; }
    void sleep_milliseconds(int milliseconds) const override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }

  private:
    double now_;
};

struct Options {
    bool with_companion = true;
    std::optional<double> now;
    std::filesystem::path c_root = default_c_root();
};

// The message the component shows, printed where the user reads the command's output: its
// title and its text exactly as they are (line breaks included) between two marker lines.
class PrintedMessageBox final : public UserMessageBox {
  public:
    explicit PrintedMessageBox(std::ostream& out) : out_(out) {}
    void show_information(TextView message, TextView title) override {
        out_ << "-- message box: " << to_utf8(title) << "\n" << to_utf8(message) << "\n-- OK\n";
    }

  private:
    std::ostream& out_;
};

// "YYYY-MM-DD HH:MM:SS", every field in range.
std::optional<double> parse_now(const std::string& text) {
    DateParts parts;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &parts.year, &parts.month,
                    &parts.day, &parts.hour, &parts.minute, &parts.second, &tail) != 6) {
        return std::nullopt;
    }
    return ole_date_from_parts(parts);
}

std::string literal(ValueType type, const DefaultValue& value) {
    switch (value.kind) {
    case DefaultValue::Kind::Text:
        return " = \"" + to_utf8(value.text) + "\"";
    case DefaultValue::Kind::Number:
        if (type == ValueType::Boolean) {
            return value.number != 0 ? " = True" : " = False";
        }
        return " = " + std::to_string(value.number);
    case DefaultValue::Kind::None:
        break;
    }
    return {};
}

// The method as the host's language declares it.
std::string declaration(const MethodDecl& method) {
    std::string line = to_utf8(method.name) + "(";
    for (std::size_t i = 0; i < method.args.size(); ++i) {
        const ArgDecl& arg = method.args[i];
        line += i == 0 ? "" : ", ";
        line += arg.optional ? "Optional " : "";
        line += arg.passing == Passing::ByRef ? "ByRef " : "ByVal ";
        line += to_utf8(arg.name) + " As " + to_utf8(value_type_name(arg.type));
        line += literal(arg.type, arg.default_value);
    }
    line += ")";
    if (method.result) {
        line += " As " + to_utf8(value_type_name(*method.result));
    }
    return line;
}

constexpr std::string_view FormPrefix = "@form:";

Variant parse_argument(const std::string& word, std::vector<std::unique_ptr<InMemoryForm>>& forms) {
    if (word.starts_with(FormPrefix)) {
        forms.push_back(std::make_unique<InMemoryForm>(from_utf8(word.substr(FormPrefix.size()))));
        return forms.back()->object();
    }
    if (word == "@missing") {
        return Variant::missing();
    }
    if (word == "@null") {
        return Variant::null();
    }
    if (word == "@empty") {
        return Variant();
    }
    return Variant(from_utf8(word));
}

std::string display(const Variant& value) {
    if (value.is_text()) {
        return "\"" + to_utf8(value.text()) + "\"";
    }
    if (value.is_null()) {
        return "Null";
    }
    if (value.is_empty()) {
        return "Empty";
    }
    return to_utf8(to_text(value));
}

// Keeps what the method wrote back, by declared position.
class WrittenArguments final : public ArgumentSink {
  public:
    void store(std::size_t index, const Variant& value) override { written[index] = value; }
    std::map<std::size_t, Variant> written;
};

class Session {
  public:
    Session(const Options& options, std::ostream& out)
        : clock_(options.now ? static_cast<const Clock&>(fixed_clock_.emplace(*options.now))
                             : system_clock_),
          message_box_(out),
          platform_({clock_, message_box_, options.c_root, options.with_companion}),
          object_(state_, platform_.platform()) {}

    OrbekObject& object() { return object_; }
    SysToolsImpl& companion() { return companion_; }
    // What the call did to its windows, in order, since the last time it was asked.
    std::vector<std::string> window_operations() { return platform_.windows().take_operations(); }

  private:
    SystemClock system_clock_;
    std::optional<FixedClock> fixed_clock_;
    const Clock& clock_;
    PrintedMessageBox message_box_;
    PosixPlatform platform_;
    ModuleState state_;
    OrbekObject object_;
    HeadlessCompanionWindows companion_windows_{platform_.windows()};
    SysToolsImpl companion_{companion_windows_};
};

int call(Session& session, std::span<const std::string> words, std::ostream& out) {
    const MethodDecl* method = find_method(OrbekDllInterface, from_utf8(words[0]));
    if (method == nullptr) {
        throw VbError(vb::MemberNotFound);
    }
    const std::span<const std::string> given = words.subspan(1);
    if (given.size() > method->args.size()) {
        throw VbError(vb::WrongArgumentCount);
    }
    std::vector<Variant> placed(method->args.size(), Variant::missing());
    std::vector<std::unique_ptr<InMemoryForm>> forms;
    for (std::size_t i = 0; i < given.size(); ++i) {
        placed[i] = parse_argument(given[i], forms);
    }
    WrittenArguments sink;
    const CallOutcome outcome = OrbekMethods::call(session.object(), *method, placed, sink);
    if (outcome.done() && method->result && !outcome.value.is_empty()) {
        out << to_utf8(to_text(outcome.value)) << "\n";
    }
    for (const auto& [index, value] : sink.written) {
        out << to_utf8(method->args[index].name) << " = " << display(value) << "\n";
    }
    for (const std::string& operation : session.window_operations()) {
        out << "window: " << operation << "\n";
    }
    // What the method put into the controls of a form it was given.
    for (const auto& form : forms) {
        for (const auto& control : form->controls()) {
            out << to_utf8(to_text(control->get_property(u"Name")))
                << ".Text = " << display(control->get_property(u"Text")) << "\n";
        }
    }
    if (!outcome.done()) {
        throw outcome.vb_error();
    }
    return 0;
}

} // namespace

int run_cli(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    Options options;
    for (;;) {
        if (!args.empty() && args[0] == "--no-companion") {
            options.with_companion = false;
            args = args.subspan(1);
        } else if (args.size() >= 2 && args[0] == "--c-root") {
            options.c_root = args[1];
            args = args.subspan(2);
        } else if (args.size() >= 2 && args[0] == "--now") {
            options.now = parse_now(args[1]);
            if (!options.now) {
                err << "orbek: --now takes \"YYYY-MM-DD HH:MM:SS\", not \"" << args[1] << "\"\n";
                return 2;
            }
            args = args.subspan(2);
        } else {
            break;
        }
    }
    if (!args.empty() && args[0] == "shadow") {
        return run_shadow_command(args.subspan(1), out, err);
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
        Session session(options, out);
        if (command == "methods") {
            for (const MethodDecl& method : OrbekDllInterface.methods) {
                out << declaration(method) << "\n";
            }
        } else if (command == "call") {
            // "call A 1 -- B 2" makes the calls one after the other on the same object, as a
            // host does between the start and the end of its usage log.
            std::span<const std::string> rest = args.subspan(1);
            while (!rest.empty()) {
                const auto end = std::find(rest.begin(), rest.end(), "--");
                const auto count = static_cast<std::size_t>(end - rest.begin());
                if (count == 0) {
                    err << Usage;
                    return 2;
                }
                call(session, rest.first(count), out);
                rest = rest.subspan(std::min(count + 1, rest.size()));
            }
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
