// The registered type library of each server against the interface declaration it is made
// from: the library's identity, the class and its default interface, and every method in its
// table slot with its DISPID, help text, result and arguments (name, type, passing, optional
// flag and default), as compiled hosts and object browsers read them.
#include "host_checks.h"
#include "shell/orbek_interface.h"
#include "sys_tools_interface.h"

#include <iterator>
#include <windows.h>

using namespace wine_checks;
using orbek::DefaultValue;
using orbek::ValueType;

namespace {

// The automation type of each declared type, in the order ValueType lists them.
VARTYPE vartype_of(ValueType type) {
    constexpr VARTYPE types[] = {VT_VARIANT, VT_BSTR, VT_I4,   VT_I2,      VT_UI1,
                                 VT_R8,      VT_CY,   VT_BOOL, VT_DISPATCH};
    static_assert(std::size(types) == static_cast<std::size_t>(ValueType::Object) + 1);
    return types[static_cast<std::size_t>(type)];
}

// A method or an argument in the same words for the declaration and for the library.
std::wstring argument_text(const std::wstring& name, VARTYPE type, bool by_reference, bool optional,
                           const std::wstring& default_value) {
    return L" (" + name + L": " + std::to_wstring(type) + (by_reference ? L" ByRef" : L" ByVal") +
           (optional ? L" optional" : L"") + default_value + L")";
}

std::wstring method_text(const std::wstring& name, MEMBERID id, std::size_t slot,
                         const std::wstring& help, const std::wstring& result) {
    return name + L" #" + std::to_wstring(id) + L" slot " + std::to_wstring(slot) + L" \"" + help +
           L"\" -> " + result;
}

std::wstring declared(const orbek::MethodDecl& method, std::size_t slot) {
    std::wstring text =
        method_text(wide(method.name), method.dispid, slot, wide(method.help),
                    method.result ? std::to_wstring(vartype_of(*method.result)) : L"none");
    for (const orbek::ArgDecl& arg : method.args) {
        const auto kind = arg.default_value.kind;
        const std::wstring fallback = kind == DefaultValue::Kind::Text
                                          ? L" = \"" + wide(arg.default_value.text) + L"\""
                                      : kind == DefaultValue::Kind::Number
                                          ? L" = " + std::to_wstring(arg.default_value.number)
                                          : L"";
        text += argument_text(wide(arg.name), vartype_of(arg.type),
                              arg.passing == orbek::Passing::ByRef, arg.optional, fallback);
    }
    return text;
}

std::wstring in_library(ITypeInfo* table, const FUNCDESC& function) {
    BSTR names[16] = {};
    UINT count = 0;
    table->GetNames(function.memid, names, 16, &count);
    BSTR help = nullptr;
    table->GetDocumentation(function.memid, nullptr, &help, nullptr, nullptr);
    std::wstring result = L"none";
    std::wstring arguments;
    for (SHORT index = 0; index < function.cParams; ++index) {
        const ELEMDESC& element = function.lprgelemdescParam[index];
        const bool by_reference = element.tdesc.vt == VT_PTR;
        const VARTYPE type = by_reference ? element.tdesc.lptdesc->vt : element.tdesc.vt;
        const USHORT flags = element.paramdesc.wParamFlags;
        if (flags & PARAMFLAG_FRETVAL) {
            result = std::to_wstring(type);
            continue;
        }
        std::wstring fallback;
        if (flags & PARAMFLAG_FHASDEFAULT) {
            Value value;
            VariantCopy(value.get(), &element.paramdesc.pparamdescex->varDefaultValue);
            fallback = V_VT(value.get()) == VT_BSTR
                           ? L" = \"" + value.text() + L"\""
                           : L" = " + std::to_wstring(_wtoi(value.text().c_str()));
        }
        arguments += argument_text(names[index + 1] ? names[index + 1] : L"?", type, by_reference,
                                   flags & PARAMFLAG_FOPT, fallback);
    }
    std::wstring text = method_text(names[0] ? names[0] : L"?", function.memid,
                                    function.oVft / sizeof(void*), help ? help : L"", result) +
                        arguments;
    for (BSTR name : names) {
        SysFreeString(name);
    }
    SysFreeString(help);
    return text;
}

std::wstring name_of(ITypeInfo* info) {
    BSTR name = nullptr;
    info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
    const std::wstring text = name ? name : L"";
    SysFreeString(name);
    return text;
}

// The library as LoadRegTypeLib finds it in the registry, in its own locale.
void check_library(Report& report, const orbek::InterfaceDecl& decl) {
    const std::string label = utf8(wide(decl.library_name)) + ": ";
    ITypeLib* library = nullptr;
    if (!report.hresult(label + "LoadRegTypeLib 1.0",
                        LoadRegTypeLib(guid_of(decl.library_id), 1, 0, decl.locale, &library),
                        S_OK)) {
        return;
    }
    TLIBATTR* attributes = nullptr;
    library->GetLibAttr(&attributes);
    BSTR name = nullptr;
    BSTR help = nullptr;
    library->GetDocumentation(-1, &name, &help, nullptr, nullptr);
    report.equal(label + "the library's name, help text, version and locale",
                 std::wstring(name) + L" / " + help + L" / " +
                     std::to_wstring(attributes->wMajorVerNum) + L"." +
                     std::to_wstring(attributes->wMinorVerNum) + L" / " +
                     std::to_wstring(attributes->lcid),
                 wide(decl.library_name) + L" / " + wide(decl.library_help) + L" / 1.0 / " +
                     std::to_wstring(decl.locale));
    SysFreeString(name);
    SysFreeString(help);
    library->ReleaseTLibAttr(attributes);

    ITypeInfo* coclass = nullptr;
    ITypeInfo* dispatch = nullptr;
    ITypeInfo* default_interface = nullptr;
    ITypeInfo* table = nullptr;
    TYPEATTR* type = nullptr;
    HREFTYPE reference = 0;
    library->GetTypeInfoOfGuid(guid_of(decl.class_id), &coclass);
    library->GetTypeInfoOfGuid(guid_of(decl.interface_id), &dispatch);
    if (coclass == nullptr || dispatch == nullptr) {
        report.check(label + "the class and the interface are in the library", false, "missing");
        library->Release();
        return;
    }
    coclass->GetTypeAttr(&type);
    coclass->GetRefTypeOfImplType(0, &reference);
    coclass->GetRefTypeInfo(reference, &default_interface);
    report.check(label + "the class is creatable and offers its interface by default",
                 (type->wTypeFlags & TYPEFLAG_FCANCREATE) &&
                     name_of(coclass) == wide(decl.class_name) && default_interface &&
                     name_of(default_interface) == wide(decl.interface_name),
                 "flags " + std::to_string(type->wTypeFlags));
    coclass->ReleaseTypeAttr(type);
    dispatch->GetTypeAttr(&type);
    const WORD wanted =
        TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE;
    report.check(label + "the interface is dual, hidden and not extensible",
                 (type->wTypeFlags & wanted) == wanted,
                 "flags " + std::to_string(type->wTypeFlags));
    dispatch->ReleaseTypeAttr(type);
    dispatch->GetRefTypeOfImplType(-1, &reference);
    dispatch->GetRefTypeInfo(reference, &table);
    if (report.check(label + "the interface has its table of methods", table != nullptr, "none")) {
        table->GetTypeAttr(&type);
        report.check(label + "the table of methods is automation-compatible",
                     type->wTypeFlags & TYPEFLAG_FOLEAUTOMATION, "not marked");
        report.equal(label + "number of methods", type->cFuncs, decl.methods.size());
        for (UINT index = 0; index < type->cFuncs && index < decl.methods.size(); ++index) {
            FUNCDESC* function = nullptr;
            table->GetFuncDesc(index, &function);
            report.equal(label + "method " + std::to_string(index + 1),
                         in_library(table, *function), declared(decl.methods[index], 7 + index));
            table->ReleaseFuncDesc(function);
        }
        table->ReleaseTypeAttr(type);
        table->Release();
    }
    for (ITypeInfo* info : {coclass, dispatch, default_interface}) {
        if (info != nullptr) {
            info->Release();
        }
    }
    library->Release();
}

} // namespace

int wmain() {
    Report report;
    Apartment apartment;
    check_library(report, orbek::OrbekDllInterface);
    check_library(report, orbek::SysToolsInterface);
    report.done();
    return 0;
}
