// The registered type libraries of both servers: library attributes, interface flags, and
// every method of each interface in its table order with its arguments (names, optional
// ones in brackets, by-value ones marked ByVal), as hosts bind to them.
#include "host_checks.h"

#include <string>
#include <vector>
#include <windows.h>

using namespace wine_checks;

namespace {

struct ExpectedLibrary {
    const wchar_t* prog_id;
    const wchar_t* library_name;
    const wchar_t* help_text;
    LCID locale;
    const wchar_t* class_name;
    const wchar_t* interface_name;
    std::vector<std::wstring> methods;
};

const ExpectedLibrary expected_libraries[] = {
    {L"Orbek_DLL.OrbekDLL",
     L"Orbek_DLL",
     L"Orbek_Dll",
     0x0409,
     L"OrbekDLL",
     L"_OrbekDLL",
     {
         L"Class_Initialize()",
         L"Hrs2Seg(Horas)",
         L"Seg2Hrs(Segundos)",
         L"Fillhours(vhours)",
         L"SumaHoras(Hora1, Hora2, [Hora3], [Hora4], [Hora5], [Hora6])",
         L"RestaHoras(Hora1, Hora2)",
         L"MasDeUnDia(Segundos)",
         L"Delay([Nivel_1_10])",
         L"ProgressBar(Valor, Min, Max, [VerRegistro], [Titulo], [Regresa_a_0], [Efecto_Salida])",
         L"STIProgressBar(ipercentage, [sMessage], [sTitle], [Regresa_a_0], [Efecto_Salida])",
         L"ProgressShow(Reg1, Reg2, [sTexto1], [sTexto2], [sTitle], [Regresa_a_0], "
         L"[Efecto_Salida])",
         L"FechaTxtBox(Modo, [Fecha])",
         L"HrsNumericas(sHrs)",
         L"FechaValida(Fec, Cont, Forma)",
         L"WrINI(Seccion, Llave, Valor, [Archivo], [Extension])",
         L"RdINIInt(Seccion, Llave, [filename], [Valor], [Extension])",
         L"RdINIStr(SectionName, KeyName, [filename], [DefaultValue], [Extension])",
         L"Acceso(ByVal sDer, iModu)",
         L"sSplash(Company, CopyRight, Version, Producto)",
         L"ArchStay(sRuta, NomFile, Version)",
         L"Log(Modo123, Modulo, [Empleado], [FecIni], [FecFin], [Comentario], [LogFileOp], "
         L"[gsUserCode], [Version])",
     }},
    {L"MireldaSys.SysTools",
     L"MireldaSys",
     L"MireldaSys",
     0,
     L"SysTools",
     L"_SysTools",
     {
         L"ShowSystemInfo(show, wait)",
         L"CloseEffect(start, height, ByVal style, ByVal window)",
         L"PadText(text, ByVal width, [ByVal fill])",
         L"DecodeText(ByVal encoded)",
         L"ToBitText(ByVal number)",
         L"DaysInMonth(month, year)",
         L"DateToText(ByVal date, ByVal style, ByVal prefix, ByVal withWeekday, ByVal withYear)",
         L"EncodeText(ByVal plain)",
     }},
};

std::wstring registered_library_id(const wchar_t* prog_id) {
    CLSID class_id{};
    if (FAILED(CLSIDFromProgID(prog_id, &class_id))) {
        return L"";
    }
    wchar_t class_text[40] = {};
    StringFromGUID2(class_id, class_text, 40);
    const std::wstring key = std::wstring(L"CLSID\\") + class_text + L"\\TypeLib";
    wchar_t buffer[64] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS) {
        return L"";
    }
    return buffer;
}

std::wstring name_of(ITypeLib* library, INT index, std::wstring* help = nullptr) {
    BSTR name = nullptr;
    BSTR help_text = nullptr;
    library->GetDocumentation(index, &name, &help_text, nullptr, nullptr);
    std::wstring result = name ? name : L"";
    if (help != nullptr) {
        *help = help_text ? help_text : L"";
    }
    SysFreeString(name);
    SysFreeString(help_text);
    return result;
}

ITypeInfo* type_named(ITypeLib* library, const std::wstring& wanted) {
    for (UINT index = 0; index < library->GetTypeInfoCount(); ++index) {
        if (name_of(library, static_cast<INT>(index)) == wanted) {
            ITypeInfo* info = nullptr;
            library->GetTypeInfo(index, &info);
            return info;
        }
    }
    return nullptr;
}

// A method as "Name(arg, [optional], ByVal value)".
std::wstring signature_of(ITypeInfo* info, const FUNCDESC& function) {
    std::vector<BSTR> names(static_cast<std::size_t>(function.cParams) + 1, nullptr);
    UINT count = 0;
    info->GetNames(function.memid, names.data(), static_cast<UINT>(names.size()), &count);
    std::wstring text = names[0] ? names[0] : L"?";
    text += L"(";
    bool first = true;
    for (SHORT index = 0; index < function.cParams; ++index) {
        const ELEMDESC& element = function.lprgelemdescParam[index];
        if (element.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) {
            continue;
        }
        const bool optional = (element.paramdesc.wParamFlags & PARAMFLAG_FOPT) != 0;
        const BSTR name = static_cast<UINT>(index) + 1 < count ? names[index + 1] : nullptr;
        text += first ? L"" : L", ";
        text += optional ? L"[" : L"";
        text += element.tdesc.vt == VT_PTR ? L"" : L"ByVal ";
        text += name ? name : L"?";
        text += optional ? L"]" : L"";
        first = false;
    }
    for (BSTR name : names) {
        SysFreeString(name);
    }
    return text + L")";
}

void check_library(Report& report, const ExpectedLibrary& expected) {
    const std::string label = utf8(expected.library_name) + ": ";
    const std::wstring library_text = registered_library_id(expected.prog_id);
    GUID library_id{};
    if (!report.check(label + "the class names a registered type library",
                      !library_text.empty() &&
                          SUCCEEDED(CLSIDFromString(library_text.c_str(), &library_id)),
                      "no CLSID\\...\\TypeLib record")) {
        return;
    }
    ITypeLib* library = nullptr;
    if (!report.hresult(label + "LoadRegTypeLib 1.0",
                        LoadRegTypeLib(library_id, 1, 0, 0x0409, &library), S_OK)) {
        return;
    }
    TLIBATTR* attributes = nullptr;
    library->GetLibAttr(&attributes);
    report.equal(label + "library version",
                 attributes->wMajorVerNum * 100 + attributes->wMinorVerNum, 100);
    report.equal(label + "library locale", attributes->lcid, expected.locale);
    library->ReleaseTLibAttr(attributes);
    std::wstring help;
    report.equal(label + "library name", name_of(library, -1, &help), expected.library_name);
    report.equal(label + "library help text", help, expected.help_text);

    ITypeInfo* coclass = type_named(library, expected.class_name);
    if (report.check(label + "class " + utf8(expected.class_name), coclass != nullptr,
                     "not in the library")) {
        TYPEATTR* type = nullptr;
        coclass->GetTypeAttr(&type);
        report.check(label + "the class is creatable",
                     (type->wTypeFlags & TYPEFLAG_FCANCREATE) != 0, "TYPEFLAG_FCANCREATE missing");
        coclass->ReleaseTypeAttr(type);
        HREFTYPE reference = 0;
        ITypeInfo* default_interface = nullptr;
        coclass->GetRefTypeOfImplType(0, &reference);
        coclass->GetRefTypeInfo(reference, &default_interface);
        BSTR name = nullptr;
        if (default_interface != nullptr) {
            default_interface->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
            default_interface->Release();
        }
        report.equal(label + "the class's default interface", name ? name : L"",
                     expected.interface_name);
        SysFreeString(name);
        coclass->Release();
    }

    ITypeInfo* dispatch = type_named(library, expected.interface_name);
    if (report.check(label + "interface " + utf8(expected.interface_name), dispatch != nullptr,
                     "not in the library")) {
        TYPEATTR* type = nullptr;
        dispatch->GetTypeAttr(&type);
        const WORD wanted =
            TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE;
        report.check(label + "the interface is dual, hidden and not extensible",
                     (type->wTypeFlags & wanted) == wanted,
                     "flags " + std::to_string(type->wTypeFlags));
        dispatch->ReleaseTypeAttr(type);

        HREFTYPE reference = 0;
        ITypeInfo* table = nullptr;
        dispatch->GetRefTypeOfImplType(-1, &reference);
        dispatch->GetRefTypeInfo(reference, &table);
        if (report.check(label + "the interface has its table of methods", table != nullptr,
                         "no TKIND_INTERFACE side")) {
            table->GetTypeAttr(&type);
            report.check(label + "the table of methods is automation-compatible",
                         (type->wTypeFlags & TYPEFLAG_FOLEAUTOMATION) != 0,
                         "flags " + std::to_string(type->wTypeFlags));
            std::vector<std::wstring> actual;
            for (UINT index = 0; index < type->cFuncs; ++index) {
                FUNCDESC* function = nullptr;
                table->GetFuncDesc(index, &function);
                actual.push_back(signature_of(table, *function));
                report.equal(label + "table slot of method " + std::to_string(index + 1),
                             function->oVft / static_cast<SHORT>(sizeof(void*)),
                             7 + static_cast<long long>(index));
                table->ReleaseFuncDesc(function);
            }
            table->ReleaseTypeAttr(type);
            report.equal(label + "number of methods", actual.size(), expected.methods.size());
            for (std::size_t index = 0; index < expected.methods.size(); ++index) {
                report.equal(label + "method " + std::to_string(index + 1),
                             index < actual.size() ? actual[index] : L"<none>",
                             expected.methods[index]);
            }
            table->Release();
        }
        dispatch->Release();
    }
    library->Release();
}

} // namespace

int wmain() {
    Report report;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    for (const ExpectedLibrary& expected : expected_libraries) {
        check_library(report, expected);
    }
    CoUninitialize();
    report.done();
    return 0;
}
