// The interface of the class OrbekDLL, declared once: its 21 methods in interface order, with
// their DISPIDs, arguments, types, passing, defaults and results, and the identities hosts bind
// to. The type library, the dual interface's table of methods, the dispatcher and the command
// line are all made from this declaration. Adding a method is one row here plus its
// implementation in OrbekObject.
#pragma once

#include "automation/interface_decl.h"

namespace orbek {

namespace orbek_interface {

using namespace decl;
using enum ValueType;

inline constexpr std::u16string_view Processing = u"Procesando ...";
inline constexpr DefaultValue False = number_default(0);
inline constexpr DefaultValue NoText = text_default(u"");

inline constexpr bool Reentrant = true;

inline constexpr std::array<ArgDecl, 0> NoArgs{};
inline constexpr std::array Hrs2SegArgs{required(u"Horas", Variant)};
inline constexpr std::array Seg2HrsArgs{required(u"Segundos", Long)};
inline constexpr std::array FillhoursArgs{written(required(u"vhours", Text))};
inline constexpr std::array SumaHorasArgs{required(u"Hora1", Variant), required(u"Hora2", Variant),
                                          optional(u"Hora3", Variant), optional(u"Hora4", Variant),
                                          optional(u"Hora5", Variant), optional(u"Hora6", Variant)};
inline constexpr std::array RestaHorasArgs{required(u"Hora1", Variant),
                                           required(u"Hora2", Variant)};
inline constexpr std::array MasDeUnDiaArgs{required(u"Segundos", Long)};
inline constexpr std::array DelayArgs{optional(u"Nivel_1_10", Long, number_default(2))};
inline constexpr std::array ProgressBarArgs{required(u"Valor", Currency),
                                            required(u"Min", Currency),
                                            required(u"Max", Currency),
                                            optional(u"VerRegistro", Text, NoText),
                                            optional(u"Titulo", Text, text_default(Processing)),
                                            optional(u"Regresa_a_0", Boolean, False),
                                            optional(u"Efecto_Salida", Boolean, False)};
inline constexpr std::array STIProgressBarArgs{
    required(u"ipercentage", Integer), optional(u"sMessage", Text, NoText),
    optional(u"sTitle", Text, text_default(Processing)), optional(u"Regresa_a_0", Boolean, False),
    optional(u"Efecto_Salida", Boolean, False)};
inline constexpr std::array ProgressShowArgs{required(u"Reg1", Double),
                                             required(u"Reg2", Double),
                                             optional(u"sTexto1", Text, NoText),
                                             optional(u"sTexto2", Text, NoText),
                                             optional(u"sTitle", Text, text_default(Processing)),
                                             optional(u"Regresa_a_0", Boolean, False),
                                             optional(u"Efecto_Salida", Boolean, False)};
inline constexpr std::array FechaTxtBoxArgs{required(u"Modo", Boolean),
                                            written(optional(u"Fecha", Text, NoText))};
inline constexpr std::array HrsNumericasArgs{required(u"sHrs", Text)};
inline constexpr std::array FechaValidaArgs{
    required(u"Fec", Text), written(required(u"Cont", Text)), required(u"Forma", Object)};
inline constexpr std::array WrINIArgs{required(u"Seccion", Text), required(u"Llave", Text),
                                      required(u"Valor", Text),
                                      written(optional(u"Archivo", Text, NoText)),
                                      optional(u"Extension", Text, text_default(u"INI"))};
inline constexpr std::array RdINIIntArgs{required(u"Seccion", Text), required(u"Llave", Text),
                                         written(optional(u"filename", Text, NoText)),
                                         optional(u"Valor", Long, number_default(0)),
                                         optional(u"Extension", Text, text_default(u"INI"))};
inline constexpr std::array RdINIStrArgs{required(u"SectionName", Text), required(u"KeyName", Text),
                                         written(optional(u"filename", Text, NoText)),
                                         optional(u"DefaultValue", Text, NoText),
                                         optional(u"Extension", Text, text_default(u"INI"))};
inline constexpr std::array AccesoArgs{required(u"sDer", Text, Passing::ByVal),
                                       required(u"iModu", Integer)};
inline constexpr std::array sSplashArgs{
    required(u"Company", Variant), required(u"CopyRight", Variant), required(u"Version", Variant),
    required(u"Producto", Variant)};
inline constexpr std::array ArchStayArgs{required(u"sRuta", Text), required(u"NomFile", Text),
                                         required(u"Version", Text)};
inline constexpr std::array LogArgs{required(u"Modo123", Byte),
                                    required(u"Modulo", Text),
                                    written(optional(u"Empleado", Variant)),
                                    written(optional(u"FecIni", Variant)),
                                    written(optional(u"FecFin", Variant)),
                                    written(optional(u"Comentario", Variant)),
                                    optional(u"LogFileOp", Text, NoText),
                                    optional(u"gsUserCode", Text, NoText),
                                    optional(u"Version", Text, NoText)};

// The numbering the host's own language gives the methods of a class: 0x60030000 onwards.
constexpr std::int32_t dispid(int position) {
    return 0x60030000 + position;
}

inline constexpr std::array Methods{
    MethodDecl{u"Class_Initialize", dispid(0), NoArgs, std::nullopt,
               u"Starts the class again: a new companion object for this thread"},
    MethodDecl{u"Hrs2Seg", dispid(1), Hrs2SegArgs, Long, u"Seconds in a time text HH:MM:SS"},
    MethodDecl{u"Seg2Hrs", dispid(2), Seg2HrsArgs, Text,
               u"Time text HH:MM:SS for a number of seconds"},
    MethodDecl{u"Fillhours", dispid(3), FillhoursArgs, Text,
               u"Hours and minutes HH:MM of a time text; an empty one becomes 00:00"},
    MethodDecl{u"SumaHoras", dispid(4), SumaHorasArgs, Text, u"Sum of two to six time texts"},
    MethodDecl{u"RestaHoras", dispid(5), RestaHorasArgs, Text, u"Difference of two time texts"},
    MethodDecl{u"MasDeUnDia", dispid(6), MasDeUnDiaArgs, Boolean,
               u"True when a number of seconds reaches a whole day"},
    MethodDecl{u"Delay", dispid(7), DelayArgs, std::nullopt, u"Pauses for a level from 1 to 10"},
    MethodDecl{u"ProgressBar", dispid(8), ProgressBarArgs, Variant,
               u"Updates or finishes the progress window with a bar and a dial", Reentrant},
    MethodDecl{u"STIProgressBar", dispid(9), STIProgressBarArgs, Variant,
               u"Updates or finishes the progress window from a percentage", Reentrant},
    MethodDecl{u"ProgressShow", dispid(10), ProgressShowArgs, Variant,
               u"Updates or finishes the progress window with two bars", Reentrant},
    MethodDecl{u"FechaTxtBox", dispid(11), FechaTxtBoxArgs, Text,
               u"Date text dd/mm/yyyy for a masked date box"},
    MethodDecl{u"HrsNumericas", dispid(12), HrsNumericasArgs, Currency,
               u"Decimal hours of a time text"},
    MethodDecl{u"FechaValida", dispid(13), FechaValidaArgs, Boolean,
               u"Checks a typed date and fills the date fields of a form", Reentrant},
    MethodDecl{u"WrINI", dispid(14), WrINIArgs, std::nullopt, u"Writes a key of an INI file"},
    MethodDecl{u"RdINIInt", dispid(15), RdINIIntArgs, Double,
               u"Reads a whole number from an INI file"},
    MethodDecl{u"RdINIStr", dispid(16), RdINIStrArgs, Text, u"Reads a text from an INI file"},
    MethodDecl{u"Acceso", dispid(17), AccesoArgs, Boolean,
               u"True when a user's rights text grants a module"},
    MethodDecl{u"sSplash", dispid(18), sSplashArgs, std::nullopt,
               u"Shows the splash window with the host's name and version", Reentrant},
    MethodDecl{u"ArchStay", dispid(19), ArchStayArgs, std::nullopt, u"Writes a folder marker file"},
    MethodDecl{u"Log", dispid(20), LogArgs, std::nullopt,
               u"Writes the usage log: 1 start, 2 record, 3 end"},
};

} // namespace orbek_interface

// Fixed for good: hosts bind to these identities.
inline constexpr InterfaceDecl OrbekDllInterface{
    .library_name = u"Orbek_DLL",
    .library_help = u"Orbek_Dll",
    .library_id = {0xCF1F5D64, 0xEDBC, 0x403D, {0xB5, 0x2C, 0x7E, 0x3E, 0x98, 0x88, 0x21, 0x10}},
    .locale = 0x0409,
    .interface_name = u"_OrbekDLL",
    .interface_id = {0x49E8624A, 0x00EE, 0x4531, {0x9E, 0x78, 0xA5, 0x8E, 0xBB, 0x94, 0x60, 0x3F}},
    .class_name = u"OrbekDLL",
    .class_id = {0x159A2FBF, 0x6CD9, 0x4140, {0xAE, 0x82, 0x37, 0x94, 0x64, 0x71, 0x2F, 0x8A}},
    .methods = orbek_interface::Methods,
};

} // namespace orbek
