// The IDL that the type library and the COM server are built from must declare the same
// interface as the method table that every caller path dispatches through: a disagreement
// would have early-bound hosts push arguments the server reads differently.
#include "automation/conversions.h"
#include "shell/method_table.h"

#include <cctype>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace orbek {
namespace {

struct IdlParameter {
    std::set<std::string> flags;         // in, out, optional, retval
    std::optional<std::string> fallback; // the defaultvalue(...) expression
    std::string type;                    // "BSTR*", "unsigned char*", "IDispatch**"
    std::string name;
};

struct IdlMethod {
    std::map<std::string, std::string> attributes; // id, helpstring
    std::string name;
    std::vector<IdlParameter> parameters;
};

std::string read_idl() {
    std::ifstream in(std::string(ORBEK_SOURCE_DIR) + "/src/shell/com/Orbek_DLL.idl");
    std::stringstream text;
    text << in.rdbuf();
    std::string without_comments;
    std::istringstream lines(text.str());
    for (std::string line; std::getline(lines, line);) {
        without_comments += line.substr(0, line.find("//")) + "\n";
    }
    return without_comments;
}

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// Splits at `separator` outside quotes, brackets and parentheses.
std::vector<std::string> split_top_level(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string current;
    int depth = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == '(' || c == '[' || c == '{')) {
            ++depth;
        } else if (!quoted && (c == ')' || c == ']' || c == '}')) {
            --depth;
        } else if (!quoted && depth == 0 && c == separator) {
            parts.push_back(trim(current));
            current.clear();
            continue;
        }
        current += c;
    }
    if (!trim(current).empty()) {
        parts.push_back(trim(current));
    }
    return parts;
}

// "[a, b(x)] rest" as its attributes and the rest.
std::pair<std::vector<std::string>, std::string> take_attributes(const std::string& text) {
    const std::string trimmed = trim(text);
    if (trimmed.empty() || trimmed[0] != '[') {
        return {{}, trimmed};
    }
    int depth = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < trimmed.size(); ++i) {
        const char c = trimmed[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == '[') {
            ++depth;
        } else if (!quoted && c == ']' && --depth == 0) {
            return {split_top_level(trimmed.substr(1, i - 1), ','), trim(trimmed.substr(i + 1))};
        }
    }
    return {{}, trimmed};
}

// "name(value)" as name and value; "name" alone with an empty value.
std::pair<std::string, std::string> attribute_parts(const std::string& attribute) {
    const auto open = attribute.find('(');
    if (open == std::string::npos) {
        return {trim(attribute), ""};
    }
    return {trim(attribute.substr(0, open)),
            trim(attribute.substr(open + 1, attribute.rfind(')') - open - 1))};
}

IdlParameter parse_parameter(const std::string& text) {
    IdlParameter parameter;
    auto [attributes, declaration] = take_attributes(text);
    for (const std::string& attribute : attributes) {
        auto [name, value] = attribute_parts(attribute);
        if (name == "defaultvalue") {
            parameter.fallback = value;
        } else {
            parameter.flags.insert(name);
        }
    }
    std::size_t end = declaration.size();
    std::size_t start = end;
    while (start > 0 && (std::isalnum(static_cast<unsigned char>(declaration[start - 1])) ||
                         declaration[start - 1] == '_')) {
        --start;
    }
    parameter.name = declaration.substr(start);
    std::string type;
    for (char c : trim(declaration.substr(0, start))) {
        if (c == '*') {
            type = trim(type) + "*";
        } else {
            type += c;
        }
    }
    parameter.type = type;
    return parameter;
}

IdlMethod parse_method(const std::string& text) {
    IdlMethod method;
    auto [attributes, declaration] = take_attributes(text);
    for (const std::string& attribute : attributes) {
        method.attributes.insert(attribute_parts(attribute));
    }
    const auto open = declaration.find('(');
    const std::string head = trim(declaration.substr(0, open));
    method.name = trim(head.substr(head.find_last_of(" \t\n") + 1));
    const std::string list = declaration.substr(open + 1, declaration.rfind(')') - open - 1);
    for (const std::string& parameter : split_top_level(list, ',')) {
        method.parameters.push_back(parse_parameter(parameter));
    }
    return method;
}

// The body of `interface _OrbekDLL : IDispatch { ... }` as its method declarations.
std::vector<IdlMethod> interface_methods(const std::string& idl) {
    const auto start = idl.find("interface _OrbekDLL");
    if (start == std::string::npos) {
        return {};
    }
    const auto open = idl.find('{', start);
    const auto close = idl.find("};", open);
    std::vector<IdlMethod> methods;
    for (const std::string& declaration :
         split_top_level(idl.substr(open + 1, close - open - 1), ';')) {
        methods.push_back(parse_method(declaration));
    }
    return methods;
}

struct TypeName {
    const char* idl;
    ValueType type;
};

// The automation types of the declared ones, as passed by value.
constexpr TypeName IdlTypes[] = {
    {"VARIANT", ValueType::Variant},    {"BSTR", ValueType::Text},
    {"long", ValueType::Long},          {"short", ValueType::Integer},
    {"unsigned char", ValueType::Byte}, {"double", ValueType::Double},
    {"CURRENCY", ValueType::Currency},  {"VARIANT_BOOL", ValueType::Boolean},
    {"IDispatch*", ValueType::Object},
};

std::optional<ValueType> value_type_of(const std::string& idl_type) {
    for (const TypeName& entry : IdlTypes) {
        if (idl_type == entry.idl) {
            return entry.type;
        }
    }
    return std::nullopt;
}

// The value a defaultvalue expression stands for: a text or a whole number.
Variant value_of_default(const std::string& expression) {
    if (!expression.empty() && expression.front() == '"') {
        return Variant(from_utf8(expression.substr(1, expression.size() - 2)));
    }
    return Variant(static_cast<std::int32_t>(std::stol(expression, nullptr, 0)));
}

class IdlAgreement : public ::testing::Test {
  protected:
    void SetUp() override {
        methods_ = interface_methods(read_idl());
        ASSERT_EQ(methods_.size(), orbek_methods().size()) << "methods in _OrbekDLL";
    }

    // Each declared method with its IDL counterpart.
    template <typename Check> void for_each_method(Check check) {
        for (std::size_t i = 0; i < methods_.size(); ++i) {
            SCOPED_TRACE(to_utf8(orbek_methods()[i].name));
            check(orbek_methods()[i], methods_[i]);
        }
    }

    std::vector<IdlMethod> methods_;
};

TEST_F(IdlAgreement, MethodsStandInTableOrderWithTheirDispids) {
    for_each_method([](const MethodSpec& declared_method, const IdlMethod& idl) {
        EXPECT_EQ(idl.name, to_utf8(declared_method.name));
        ASSERT_TRUE(idl.attributes.contains("id"));
        EXPECT_EQ(std::stoll(idl.attributes.at("id"), nullptr, 0), declared_method.dispid);
        ASSERT_TRUE(idl.attributes.contains("helpstring"));
        EXPECT_GT(idl.attributes.at("helpstring").size(), 2u) << "an empty help string";
    });
}

TEST_F(IdlAgreement, ArgumentsHaveTheDeclaredNamesTypesAndPassing) {
    for_each_method([](const MethodSpec& declared_method, const IdlMethod& idl) {
        const std::size_t declared = declared_method.args.size();
        ASSERT_GE(idl.parameters.size(), declared);
        for (std::size_t a = 0; a < declared; ++a) {
            const ArgSpec& arg = declared_method.args[a];
            const IdlParameter& parameter = idl.parameters[a];
            SCOPED_TRACE(to_utf8(arg.name));
            EXPECT_EQ(parameter.name, to_utf8(arg.name));
            EXPECT_FALSE(parameter.flags.contains("retval"));
            std::string type = parameter.type;
            if (arg.passing == Passing::ByRef) {
                ASSERT_EQ(type.back(), '*') << "a by-reference argument is a pointer";
                type.pop_back();
                EXPECT_TRUE(parameter.flags.contains("in") && parameter.flags.contains("out"));
            } else {
                EXPECT_TRUE(parameter.flags.contains("in"));
                EXPECT_FALSE(parameter.flags.contains("out"));
            }
            EXPECT_EQ(value_type_of(type), arg.type) << "IDL type " << parameter.type;
            EXPECT_EQ(parameter.flags.contains("optional"), arg.optional);
        }
    });
}

// An early-bound caller that leaves an argument out passes the IDL's default; a late-bound
// one gets the table's. Both must be the same value.
TEST_F(IdlAgreement, DefaultsAreWhatAnOmittedArgumentTakes) {
    for_each_method([](const MethodSpec& declared_method, const IdlMethod& idl) {
        for (std::size_t a = 0; a < declared_method.args.size() && a < idl.parameters.size(); ++a) {
            const ArgSpec& arg = declared_method.args[a];
            const IdlParameter& parameter = idl.parameters[a];
            SCOPED_TRACE(to_utf8(arg.name));
            if (!arg.optional || arg.type == ValueType::Variant) {
                EXPECT_FALSE(parameter.fallback) << "a default where none belongs";
                continue;
            }
            ASSERT_TRUE(parameter.fallback) << "an optional typed argument needs its default";
            const Variant idl_default =
                convert_to(value_of_default(*parameter.fallback), var_type_of(arg.type));
            EXPECT_EQ(idl_default, omitted_argument_value(arg)) << *parameter.fallback;
        }
    });
}

TEST_F(IdlAgreement, ResultIsTheLastParameterAsRetval) {
    for_each_method([](const MethodSpec& declared_method, const IdlMethod& idl) {
        const std::size_t extra = idl.parameters.size() - declared_method.args.size();
        if (!declared_method.result) {
            EXPECT_EQ(extra, 0u) << "a result the table does not declare";
            return;
        }
        ASSERT_EQ(extra, 1u) << "the declared result is missing";
        const IdlParameter& result = idl.parameters.back();
        EXPECT_EQ(result.flags, (std::set<std::string>{"out", "retval"}));
        ASSERT_EQ(result.type.back(), '*');
        EXPECT_EQ(value_type_of(result.type.substr(0, result.type.size() - 1)),
                  declared_method.result);
    });
}

TEST(IdlIdentity, LibraryInterfaceAndClassCarryTheirFixedAttributes) {
    const std::string idl = read_idl();
    struct Case {
        std::string block;
        std::set<std::string> attributes;
    };
    const Case cases[] = {
        {"library Orbek_DLL", {"version(1.0)", "lcid(0x0409)", "helpstring(\"Orbek_Dll\")"}},
        {"interface _OrbekDLL : IDispatch",
         {"version(1.0)", "hidden", "dual", "nonextensible", "oleautomation"}},
        {"coclass OrbekDLL", {"version(1.0)"}},
    };
    std::set<std::string> uuids;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        const auto at = idl.find(c.block);
        ASSERT_NE(at, std::string::npos);
        const auto open = idl.rfind('[', at);
        auto [attributes, rest] = take_attributes(idl.substr(open, at - open));
        const std::set<std::string> present(attributes.begin(), attributes.end());
        for (const std::string& wanted : c.attributes) {
            EXPECT_TRUE(present.contains(wanted)) << wanted;
        }
        for (const std::string& attribute : attributes) {
            if (attribute.starts_with("uuid(")) {
                uuids.insert(attribute);
            }
        }
    }
    EXPECT_EQ(uuids.size(), 3u) << "three distinct GUIDs";
    EXPECT_NE(idl.find("[default] interface _OrbekDLL;"), std::string::npos);
}

} // namespace
} // namespace orbek
