#include "platform/win32/automation/interface_files.h"

#include <cstdio>
#include <fstream>
#include <iostream>

namespace orbek::com {
namespace {

// Declarations hold Latin-1 texts; IDL and manifests are UTF-8.
std::string utf8(std::u16string_view text) {
    std::string out;
    for (char16_t unit : text) {
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else {
            out += static_cast<char>(0xC0 | (unit >> 6));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return out;
}

std::string quoted(std::u16string_view text) {
    std::string out = "\"";
    for (char c : utf8(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

std::string hex(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(value));
    return buffer;
}

// The automation type as IDL spells it.
std::string idl_type(ValueType type) {
    switch (type) {
    case ValueType::Variant:
        return "VARIANT";
    case ValueType::Text:
        return "BSTR";
    case ValueType::Long:
        return "long";
    case ValueType::Integer:
        return "short";
    case ValueType::Byte:
        return "unsigned char";
    case ValueType::Double:
        return "double";
    case ValueType::Currency:
        return "CURRENCY";
    case ValueType::Boolean:
        return "VARIANT_BOOL";
    case ValueType::Object:
        return "IDispatch*";
    }
    return "VARIANT";
}

std::string default_text(const ArgDecl& arg) {
    switch (arg.default_value.kind) {
    case DefaultValue::Kind::Text:
        return quoted(arg.default_value.text);
    case DefaultValue::Kind::Number:
        return std::to_string(arg.default_value.number);
    case DefaultValue::Kind::None:
        break;
    }
    return {};
}

std::string parameter(const ArgDecl& arg, IdlForm form) {
    const bool by_ref = arg.passing == Passing::ByRef;
    std::string attributes = by_ref ? "in, out" : "in";
    if (arg.optional) {
        attributes += ", optional";
    }
    const std::string fallback = default_text(arg);
    const bool with_default = form == IdlForm::TypeLibrary && !fallback.empty();
    if (with_default) {
        attributes += ", defaultvalue(" + fallback + ")";
    }
    std::string type = idl_type(arg.type);
    // widl takes no text default on a BSTR*: handed over by value, turned back afterwards.
    const bool text_default_by_value = with_default && arg.type == ValueType::Text && by_ref;
    if (by_ref && !text_default_by_value) {
        type += "*";
    }
    return "[" + attributes + "] " + type + " " + utf8(arg.name);
}

std::string method_idl(const MethodDecl& method, IdlForm form) {
    std::string text = "        [id(" + hex(static_cast<std::uint32_t>(method.dispid)) +
                       "), helpstring(" + quoted(method.help) + ")]\n        HRESULT " +
                       utf8(method.name) + "(";
    std::string separator;
    for (const ArgDecl& arg : method.args) {
        text += separator + parameter(arg, form);
        separator = ", ";
    }
    if (method.result) {
        text += separator + "[out, retval] " + idl_type(*method.result) + "* Result";
    }
    return text + ");\n\n";
}

} // namespace

std::string guid_text(const Guid& guid) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned>(guid.data1), guid.data2, guid.data3, guid.data4[0],
                  guid.data4[1], guid.data4[2], guid.data4[3], guid.data4[4], guid.data4[5],
                  guid.data4[6], guid.data4[7]);
    return buffer;
}

std::string interface_idl(const InterfaceDecl& decl, IdlForm form) {
    std::string text = "// Made by the build from the interface declaration: do not edit.\n"
                       "import \"oaidl.idl\";\nimport \"ocidl.idl\";\n\n";
    text += "[\n    uuid(" + guid_text(decl.library_id) + "),\n    version(1.0),\n";
    if (decl.locale != 0) {
        text += "    lcid(" + hex(decl.locale) + "),\n";
    }
    text += "    helpstring(" + quoted(decl.library_help) + ")\n]\nlibrary " +
            utf8(decl.library_name) + "\n{\n    importlib(\"stdole2.tlb\");\n\n";
    text += "    [\n        uuid(" + guid_text(decl.interface_id) +
            "),\n        version(1.0),\n        hidden,\n        dual,\n        nonextensible,\n"
            "        oleautomation\n    ]\n    interface " +
            utf8(decl.interface_name) + " : IDispatch\n    {\n";
    for (const MethodDecl& method : decl.methods) {
        text += method_idl(method, form);
    }
    text += "    };\n\n    [\n        uuid(" + guid_text(decl.class_id) +
            "),\n        version(1.0),\n        helpstring(" + quoted(decl.class_name) +
            ")\n    ]\n    coclass " + utf8(decl.class_name) +
            "\n    {\n        [default] interface " + utf8(decl.interface_name) + ";\n    };\n};\n";
    return text;
}

std::string interface_manifest(const InterfaceDecl& decl, std::string_view architecture,
                               std::string_view file_name) {
    const std::string library = utf8(decl.library_name);
    const std::string library_id = "{" + guid_text(decl.library_id) + "}";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<!-- " +
           library +
           " as a private assembly: a host whose manifest names it, or that\n"
           "     activates this manifest, creates its class without any registry entry. -->\n"
           "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
           "    <assemblyIdentity type=\"win32\" name=\"" +
           library + "\" version=\"1.0.0.0\"\n                      processorArchitecture=\"" +
           std::string(architecture) + "\"/>\n    <file name=\"" + std::string(file_name) +
           "\">\n        <comClass clsid=\"{" + guid_text(decl.class_id) + "}\" progid=\"" +
           library + "." + utf8(decl.class_name) +
           "\"\n                  threadingModel=\"Apartment\" tlbid=\"" + library_id +
           "\" description=\"" + utf8(decl.class_name) + "\"/>\n        <typelib tlbid=\"" +
           library_id +
           "\" version=\"1.0\" helpdir=\"\"/>\n    </file>\n"
           "    <comInterfaceExternalProxyStub name=\"" +
           utf8(decl.interface_name) + "\" iid=\"{" + guid_text(decl.interface_id) +
           "}\"\n                                   "
           "proxyStubClsid32=\"{00020424-0000-0000-C000-000000000046}\"\n"
           "                                   "
           "baseInterface=\"{00020400-0000-0000-C000-000000000046}\"\n"
           "                                   tlbid=\"" +
           library_id + "\"/>\n</assembly>\n";
}

int write_interface_file(const InterfaceDecl& decl, int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: " << argv[0] << " header|typelib|manifest x86|amd64 DLLNAME OUT\n";
        return 2;
    }
    const std::string_view kind = argv[1];
    std::string text;
    if (kind == "header") {
        text = interface_idl(decl, IdlForm::Header);
    } else if (kind == "typelib") {
        text = interface_idl(decl, IdlForm::TypeLibrary);
    } else if (kind == "manifest") {
        text = interface_manifest(decl, argv[2], argv[3]);
    } else {
        std::cerr << argv[0] << ": unknown file kind " << kind << "\n";
        return 2;
    }
    std::ofstream out(argv[4], std::ios::binary);
    out << text;
    return out ? 0 : 1;
}

} // namespace orbek::com
