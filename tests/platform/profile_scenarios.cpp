#include "profile_scenarios.h"

#include <fstream>
#include <sstream>

namespace orbek::testing {
namespace {

using namespace std::string_view_literals;

ProfileCall write(std::string_view section, std::string_view key, std::string_view value) {
    return {ProfileOp::Write, section, key, value};
}

ProfileCall text(std::string_view section, std::string_view key, std::string_view fallback,
                 std::string_view expect) {
    return {ProfileOp::ReadString, section, key, fallback, expect};
}

ProfileCall number(std::string_view key, std::string_view expect) {
    return {ProfileOp::ReadInt, "S", key, {}, expect};
}

ProfileCall wine_reads(ProfileCall call, std::string_view wine) {
    call.wine_expect = wine;
    return call;
}

const std::string& long_value() {
    static const std::string value = [] {
        std::string v;
        for (int i = 0; i < 300; ++i) {
            v += static_cast<char>('a' + i % 26);
        }
        return v;
    }();
    return value;
}

constexpr std::string_view RewritesTheFile =
    "Wine writes the whole file anew in its own layout: blanks around names and values, blank "
    "lines and LF line ends are not kept.";

constexpr std::string_view NonAsciiCase =
    "Wine matches letters outside ASCII only in the same case.";

std::vector<ProfileScenario> make_scenarios() {
    static const std::string long_file = "[S]\r\nK=" + long_value() + "\r\n";
    const std::string_view v300 = long_value();
    const std::string_view v254 = v300.substr(0, 254);
    return {
        // Reading
        {"plain", "[S]\r\nK=v\r\n", {text("S", "K", "d", "v")}},
        {"names_ignore_case",
         "[Secci\xF3n]\r\nClave=v\r\n[Stra\xDF"
         "e]\r\n\xDC\x9A=w\r\n",
         {wine_reads(text("SECCI\xD3N", "clave", "d", "v"), "d"),
          wine_reads(text("stra\xDF"
                          "e",
                          "\xFC\x8A", "d", "w"),
                     "d"),
          text("secci\xF3n", "CLAVE", "d", "v")},
         std::nullopt,
         NonAsciiCase},
        {"blanks_around_names_and_values",
         "  [ S ]  \r\n \t K \v= \t v a l \v \r\n",
         {text("S", "K", "d", "v a l"), text(" S ", " K ", "d", "v a l")}},
        {"quotes",
         "[S]\r\nd=  \"  q  \"  \r\ns='x'\r\nm=\"x'\r\none=\"\r\nin='\"x\"'\r\n",
         {text("S", "d", "-", "  q  "), text("S", "s", "-", "x"), text("S", "m", "-", "\"x'"),
          text("S", "one", "-", "\""), text("S", "in", "-", "\"x\"")}},
        {"comments",
         "[S]\r\n;K=c\r\n \t;J=c\r\nK=real\r\nL=;not a comment\r\n#M=hash\r\n",
         {text("S", "K", "d", "real"), text("S", "J", "d", "d"),
          text("S", "L", "d", ";not a comment"), text("S", "#M", "d", "hash"),
          wine_reads(text("S", ";K", "d", "d"), "c")},
         std::nullopt,
         "Wine reads a comment line \";K=c\" as the key \";K\"."},
        {"first_match_wins",
         "[S]\r\nK=1\r\nK=2\r\n[s]\r\nK=3\r\nJ=4\r\n",
         {text("S", "K", "d", "1"), text("S", "J", "d", "d")}},
        {"keys_before_any_section",
         "K=top\r\n[S]\r\nJ=1\r\n",
         {wine_reads(text("", "K", "d", "d"), "top"), wine_reads(text(" ", "K", "d", "d"), "top"),
          text("S", "K", "d", "d")},
         std::nullopt,
         "Wine reaches keys above the first section with the section \"\"."},
        {"lines_without_equals_sign",
         "[S]\r\ngarbage\r\nK\r\nK=v\r\n",
         {text("S", "K", "d", "d"), text("S", "garbage", "d", "d"), number("K", "77")}},
        {"missing_file", std::nullopt, {text("S", "K", "d", "d"), number("K", "77")}},
        {"missing_section_and_key",
         "[S]\r\nK=v\r\n",
         {text("T", "K", "d", "d"), text("S", "J", "", ""), number("J", "77")}},
        {"default_loses_trailing_spaces_only",
         "[S]\r\n",
         {text("S", "K", "  d  ", "  d"), text("S", "K", "\td\t", "\td\t"),
          text("S", "K", "   ", " ")}},
        {"buffer_limit",
         long_file,
         {text("S", "K", "d", v254),
          text("S", "J", v300, v254),
          {ProfileOp::ReadString, "S", "K", "d", v300.substr(0, 9), 77, 10}}},
        {"lf_and_cr_line_ends",
         "[S]\nK=v\nJ=w\rL=x\n",
         {text("S", "K", "d", "v"), text("S", "J", "d", "w"), text("S", "L", "d", "x")}},
        {"header_without_bracket",
         "[S   \r\nK=v\r\n",
         {wine_reads(text("S", "K", "d", "v"), "d")},
         std::nullopt,
         "Wine does not take a line without its \"]\" as a section header."},
        {"header_ends_at_first_bracket",
         "[S]whoops]\r\nK=v\r\n[T]J=w\r\n",
         {wine_reads(text("S", "K", "d", "v"), "d"),
          wine_reads(text("S]whoops", "K", "d", "d"), "v"), text("T", "J", "d", "d")},
         std::nullopt,
         "Wine ends a section name at the last \"]\" of its line."},
        {"empty_section_name",
         "[]\r\nK=v\r\n",
         {wine_reads(text("", "K", "d", "v"), "d")},
         std::nullopt,
         "Wine cannot read the section \"[]\"."},
        {"utf8_mark_spoils_the_first_header",
         "\xEF\xBB\xBF[S]\r\nK=v\r\n[T]\r\nK=w\r\n",
         {wine_reads(text("S", "K", "d", "d"), "v"), text("T", "K", "d", "w")},
         std::nullopt,
         "Wine honours a UTF-8 byte-order mark."},
        {"control_characters_in_arguments",
         "[S]\r\nK=v\r\n",
         {wine_reads(text("S", "K\t", "d", "d"), "v"), wine_reads(text("S\t", "K", "d", "d"), "v")},
         std::nullopt,
         "Wine trims tabs and line breaks around the section and key arguments."},
        {"equals_and_blanks_inside",
         "[S]\r\nmy key = a=b \r\n",
         {text("S", "my key", "d", "a=b"), text("S", "mykey", "d", "d")}},
        {"windows_1252_value",
         "[S]\r\nK=\xE9t\xE9 \x80\r\n",
         {text("S", "K", "d", "\xE9t\xE9 \x80")}},
        {"empty_value", "[S]\r\nK=\r\n", {text("S", "K", "d", ""), number("K", "77")}},
        {"text_after_header_is_ignored", "[S]K=v\r\n", {text("S", "K", "d", "d")}},

        // Numbers
        {"numbers",
         "[S]\r\ndec=12\r\nneg=-1\r\nmax=4294967295\r\nwrap=4294967296\r\nbig=99999999999\r\n"
         "low=-2147483649\r\nhex=0x1F\r\nHEX=0X1f\r\nnhex=-0x10\r\noct=0o17\r\nbin=0b101\r\n"
         "plus=+1\r\nspaced=+ 5\r\ntwo=--5\r\nword=abc\r\ntrail=12abc\r\nquoted=\"42\"\r\n"
         "frac=12.7\r\nexp=1e3\r\nbare=0x\r\nsign=-\r\n"
         "long29=00000000000000000000000000012\r\nlong30=000000000000000000000000000012\r\n"
         "tab=\t 12\r\n",
         {number("dec", "12"),    number("neg", "4294967295"), number("max", "4294967295"),
          number("wrap", "0"),    number("big", "1215752191"), number("low", "2147483647"),
          number("hex", "31"),    number("HEX", "31"),         number("nhex", "4294967280"),
          number("oct", "15"),    number("bin", "5"),          number("plus", "1"),
          number("spaced", "0"),  number("two", "0"),          number("word", "0"),
          number("trail", "12"),  number("quoted", "42"),      number("frac", "12"),
          number("exp", "1"),     number("bare", "0"),         number("sign", "0"),
          number("long29", "12"), number("long30", "1"),       number("tab", "12"),
          number("missing", "77")}},

        // Writing
        {"write_creates_the_file", std::nullopt, {write("S", "K", "v")}, "[S]\r\nK=v\r\n"},
        {"write_into_empty_file", "", {write("S", "K", "v")}, "[S]\r\nK=v\r\n"},
        {"write_appends_a_section",
         "[A]\r\nx=1\r\n",
         {write("S", "K", "v"), text("S", "K", "d", "v")},
         "[A]\r\nx=1\r\n[S]\r\nK=v\r\n"},
        {"write_after_a_last_line_without_line_end",
         "[A]\r\nx=1",
         {write("S", "K", "v")},
         "[A]\r\nx=1\r\n[S]\r\nK=v\r\n"},
        {"write_keys_in_order",
         "[S]\r\nb=value\r\na=value\r\n",
         {write("S", "z", ""), write("S", "b", ""), write("S", "y", ""), write("S", "a", "")},
         "[S]\r\nb=\r\na=\r\nz=\r\ny=\r\n"},
        {"write_replaces_in_place",
         "[S]\r\nK=old\r\nz=1\r\n[T]\r\nK=t\r\n",
         {write("S", "K", "new")},
         "[S]\r\nK=new\r\nz=1\r\n[T]\r\nK=t\r\n"},
        {"write_keeps_stored_spelling",
         "[sec]\r\nkey=old",
         {write("SEC", "KEY", "new")},
         "[sec]\r\nkey=new\r\n"},
        {"write_new_key_before_blank_line",
         "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n",
         {write("S", "K", "v")},
         "[S]\r\na=1\r\nK=v\r\n\r\n[T]\r\nb=2\r\n",
         RewritesTheFile,
         "[S]\r\na=1\r\nK=v\r\n[T]\r\nb=2\r\n"},
        {"write_key_without_value",
         "[S]\r\ngarbage\r\n  K  \r\nK=v\r\n",
         {write("S", "K", "new"), text("S", "K", "d", "new")},
         "[S]\r\ngarbage\r\n  K=new\r\nK=v\r\n",
         RewritesTheFile,
         "[S]\r\ngarbage\r\nK=new\r\nK=v\r\n"},
        {"write_keeps_other_bytes",
         "; top\r\n  [S]  \r\n  K = old  \r\n other = 2 \r\n",
         {write("S", "K", "new")},
         "; top\r\n  [S]  \r\n  K =new\r\n other = 2 \r\n",
         RewritesTheFile,
         "; top\r\n[S]\r\nK=new\r\nother=2\r\n"},
        {"write_lf_file",
         "[S]\nK=old\nz=1\n",
         {write("S", "K", "new"), write("S", "N", "n")},
         "[S]\nK=new\nz=1\nN=n\r\n",
         RewritesTheFile,
         "[S]\r\nK=new\r\nz=1\r\nN=n\r\n"},
        {"write_trims_spaces_of_names_only",
         std::nullopt,
         {write(" S ", " K ", " v\t")},
         "[S]\r\nK= v\t\r\n",
         "Wine drops the leading blanks of a written value and keeps trailing spaces of names.",
         "[S ]\r\nK =v\t\r\n"},
        {"write_comment_keys",
         "[S]\r\nz=\r\n",
         {write("S", ";y", ""), write("S", "a", ""), write("S", ";b", ""), write("S", ";b", "")},
         "[S]\r\nz=\r\na=\r\n;b=\r\n;b=\r\n;y=\r\n",
         "Wine treats a key starting with \";\" like any other key.",
         "[S]\r\nz=\r\n;y=\r\na=\r\n;b=\r\n"},
        {"write_around_comments",
         ";c0\r\n[S]\r\n;c1\r\nb=v\r\n;c2\r\na=v\r\n",
         {write("S", "z", ""), write("S", "a", ""), write("S", "b", "")},
         ";c0\r\n[S]\r\n;c1\r\nb=\r\n;c2\r\na=\r\nz=\r\n"},
        {"write_into_section_without_entries",
         "[S]\r\n[T]\r\nb=1\r\n",
         {write("S", "K", "v")},
         "[S]\r\nK=v\r\n[T]\r\nb=1\r\n"},
        {"write_windows_1252",
         std::nullopt,
         {write("Secci\xF3n", "A\xF1o", "\x80uro"), write("SECCI\xD3N", "A\xD1O", "\xE9t\xE9"),
          wine_reads(text("secci\xF3n", "a\xF1o", "d", "\xE9t\xE9"), "\x80uro")},
         "[Secci\xF3n]\r\nA\xF1o=\xE9t\xE9\r\n",
         NonAsciiCase,
         "[Secci\xF3n]\r\nA\xF1o=\x80uro\r\n[SECCI\xD3N]\r\nA\xD1O=\xE9t\xE9\r\n"},
        {"write_first_of_duplicate_sections",
         "[S]\r\nK=1\r\n[S]\r\nJ=2\r\n",
         {write("S", "J", "v")},
         "[S]\r\nK=1\r\nJ=v\r\n[S]\r\nJ=2\r\n"},
        {"write_ignores_keys_before_any_section",
         "K=top\r\n[S]\r\n",
         {write("S", "K", "v")},
         "K=top\r\n[S]\r\nK=v\r\n"},
        {"write_raw_line_breaks", std::nullopt, {write("S", "K", "a\r\nb")}, "[S]\r\nK=a\r\nb\r\n"},
        {"write_long_value",
         std::nullopt,
         {write("S", "K", v300), text("S", "K", "d", v254)},
         long_file},
        {"write_keeps_text_before_first_section",
         "Data \0 before\r\n[S]\r\nK=1\r\n"sv,
         {write("S", "K", "2")},
         "Data \0 before\r\n[S]\r\nK=2\r\n"sv,
         "Wine does not keep code 0 before the first section.",
         "Data \r\n[S]\r\nK=2\r\n"},
        {"write_header_without_bracket",
         "[S\r\nK=1",
         {write("S", "K", "v")},
         "[S\r\nK=v\r\n",
         "Wine does not take a line without its \"]\" as a section header.",
         "[S\r\nK=1\r\n[S]\r\nK=v\r\n"},
        {"write_empty_section_name",
         std::nullopt,
         {write("", "K", "v"), text("", "K", "d", "v")},
         "[]\r\nK=v\r\n",
         "Wine writes an empty section name without a header.",
         "K=v\r\n"},
    };
}

std::string visible(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7F || c == '\\') {
            static constexpr char digits[] = "0123456789ABCDEF";
            out += "\\x";
            out += digits[u >> 4];
            out += digits[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::string mismatch(const ProfileScenario& scenario, const ScenarioOutcome& outcome,
                     bool as_wine) {
    std::ostringstream report;
    for (std::size_t i = 0; i < scenario.calls.size(); ++i) {
        const ProfileCall& call = scenario.calls[i];
        if (call.op == ProfileOp::Write) {
            continue;
        }
        const std::string_view expected =
            as_wine && call.wine_expect ? *call.wine_expect : call.expect;
        if (outcome.results[i] != expected) {
            report << "call " << i + 1 << " [" << visible(call.section) << "] " << visible(call.key)
                   << ": got \"" << visible(outcome.results[i]) << "\", expected \""
                   << visible(expected) << "\"; ";
        }
    }
    std::optional<std::string_view> file =
        scenario.final_file ? scenario.final_file : scenario.initial;
    if (as_wine && scenario.wine_file) {
        file = scenario.wine_file;
    }
    if (file && outcome.file != std::optional<std::string>(std::string(*file))) {
        report << "file: got \"" << (outcome.file ? visible(*outcome.file) : "(none)")
               << "\", expected \"" << visible(*file) << "\"";
    } else if (!file && !scenario.final_file && !scenario.initial && outcome.file) {
        report << "file: should not exist";
    }
    return report.str();
}

} // namespace

const std::vector<ProfileScenario>& profile_scenarios() {
    static const std::vector<ProfileScenario> scenarios = make_scenarios();
    return scenarios;
}

ScenarioOutcome run_profile_scenario(const ProfileScenario& scenario, const ProfileStore& store,
                                     const std::filesystem::path& native_file,
                                     std::string_view store_path) {
    std::error_code ignored;
    std::filesystem::remove(native_file, ignored);
    if (scenario.initial) {
        std::ofstream(native_file, std::ios::binary)
            .write(scenario.initial->data(),
                   static_cast<std::streamsize>(scenario.initial->size()));
    }
    ScenarioOutcome outcome;
    for (const ProfileCall& call : scenario.calls) {
        switch (call.op) {
        case ProfileOp::Write:
            store.write_string(call.section, call.key, call.text, store_path);
            outcome.results.emplace_back();
            break;
        case ProfileOp::ReadString:
            outcome.results.push_back(
                store.read_string(call.section, call.key, call.text, call.buffer, store_path));
            break;
        case ProfileOp::ReadInt:
            outcome.results.push_back(
                std::to_string(store.read_int(call.section, call.key, call.fallback, store_path)));
            break;
        }
    }
    if (std::ifstream in{native_file, std::ios::binary}) {
        std::ostringstream bytes;
        bytes << in.rdbuf();
        outcome.file = bytes.str();
    }
    return outcome;
}

std::string windows_mismatch(const ProfileScenario& scenario, const ScenarioOutcome& outcome) {
    return mismatch(scenario, outcome, false);
}

std::string wine_mismatch(const ProfileScenario& scenario, const ScenarioOutcome& outcome) {
    return mismatch(scenario, outcome, true);
}

} // namespace orbek::testing
