#include "shell/method_table.h"

#include "automation/conversions.h"
#include "automation/text.h"

#include <array>

namespace orbek {
namespace {

using VT = ValueType;

constexpr DefaultValue text_default(std::u16string_view text) {
    return {DefaultValue::Kind::Text, text, 0};
}
constexpr DefaultValue number_default(std::int32_t number) {
    return {DefaultValue::Kind::Number, {}, number};
}

constexpr ArgSpec required(std::u16string_view name, ValueType type,
                           Passing passing = Passing::ByRef) {
    return {name, type, passing, false, {}};
}
constexpr ArgSpec optional(std::u16string_view name, ValueType type,
                           DefaultValue default_value = {}) {
    return {name, type, Passing::ByRef, true, default_value};
}

constexpr std::u16string_view Processing = u"Procesando ...";

constexpr std::array<ArgSpec, 0> NoArgs{};
constexpr std::array Hrs2SegArgs{required(u"Horas", VT::Variant)};
constexpr std::array Seg2HrsArgs{required(u"Segundos", VT::Long)};
constexpr std::array FillhoursArgs{required(u"vhours", VT::Text)};
constexpr std::array SumaHorasArgs{
    required(u"Hora1", VT::Variant), required(u"Hora2", VT::Variant),
    optional(u"Hora3", VT::Variant), optional(u"Hora4", VT::Variant),
    optional(u"Hora5", VT::Variant), optional(u"Hora6", VT::Variant)};
constexpr std::array RestaHorasArgs{required(u"Hora1", VT::Variant),
                                    required(u"Hora2", VT::Variant)};
constexpr std::array MasDeUnDiaArgs{required(u"Segundos", VT::Long)};
constexpr std::array DelayArgs{optional(u"Nivel_1_10", VT::Long, number_default(2))};
constexpr std::array ProgressBarArgs{required(u"Valor", VT::Currency),
                                     required(u"Min", VT::Currency),
                                     required(u"Max", VT::Currency),
                                     optional(u"VerRegistro", VT::Text, text_default(u"")),
                                     optional(u"Titulo", VT::Text, text_default(Processing)),
                                     optional(u"Regresa_a_0", VT::Boolean, number_default(0)),
                                     optional(u"Efecto_Salida", VT::Boolean, number_default(0))};
constexpr std::array STIProgressBarArgs{required(u"ipercentage", VT::Integer),
                                        optional(u"sMessage", VT::Text, text_default(u"")),
                                        optional(u"sTitle", VT::Text, text_default(Processing)),
                                        optional(u"Regresa_a_0", VT::Boolean, number_default(0)),
                                        optional(u"Efecto_Salida", VT::Boolean, number_default(0))};
constexpr std::array ProgressShowArgs{required(u"Reg1", VT::Double),
                                      required(u"Reg2", VT::Double),
                                      optional(u"sTexto1", VT::Text, text_default(u"")),
                                      optional(u"sTexto2", VT::Text, text_default(u"")),
                                      optional(u"sTitle", VT::Text, text_default(Processing)),
                                      optional(u"Regresa_a_0", VT::Boolean, number_default(0)),
                                      optional(u"Efecto_Salida", VT::Boolean, number_default(0))};
constexpr std::array FechaTxtBoxArgs{required(u"Modo", VT::Boolean), optional(u"Fecha", VT::Text)};
constexpr std::array HrsNumericasArgs{required(u"sHrs", VT::Text)};
constexpr std::array FechaValidaArgs{required(u"Fec", VT::Text), required(u"Cont", VT::Text),
                                     required(u"Forma", VT::Object)};
constexpr std::array WrINIArgs{required(u"Seccion", VT::Text), required(u"Llave", VT::Text),
                               required(u"Valor", VT::Text),
                               optional(u"Archivo", VT::Text, text_default(u"")),
                               optional(u"Extension", VT::Text, text_default(u"INI"))};
constexpr std::array RdINIIntArgs{required(u"Seccion", VT::Text), required(u"Llave", VT::Text),
                                  optional(u"filename", VT::Text, text_default(u"")),
                                  optional(u"Valor", VT::Long),
                                  optional(u"Extension", VT::Text, text_default(u"INI"))};
constexpr std::array RdINIStrArgs{
    required(u"SectionName", VT::Text), required(u"KeyName", VT::Text),
    optional(u"filename", VT::Text, text_default(u"")), optional(u"DefaultValue", VT::Text),
    optional(u"Extension", VT::Text, text_default(u"INI"))};
constexpr std::array AccesoArgs{required(u"sDer", VT::Text, Passing::ByVal),
                                required(u"iModu", VT::Integer)};
constexpr std::array sSplashArgs{
    required(u"Company", VT::Variant), required(u"CopyRight", VT::Variant),
    required(u"Version", VT::Variant), required(u"Producto", VT::Variant)};
constexpr std::array ArchStayArgs{required(u"sRuta", VT::Text), required(u"NomFile", VT::Text),
                                  required(u"Version", VT::Text)};
constexpr std::array LogArgs{required(u"Modo123", VT::Byte),
                             required(u"Modulo", VT::Text),
                             optional(u"Empleado", VT::Variant),
                             optional(u"FecIni", VT::Variant),
                             optional(u"FecFin", VT::Variant),
                             optional(u"Comentario", VT::Variant),
                             optional(u"LogFileOp", VT::Text, text_default(u"")),
                             optional(u"gsUserCode", VT::Text),
                             optional(u"Version", VT::Text)};

// The arguments arrive already converted to their declared types, so each invoker takes
// references to the values held in `a`: what the method stores there is the write-back.
Text& text(std::span<Variant> a, std::size_t i) {
    return a[i].as<Text>();
}
std::int32_t& long_at(std::span<Variant> a, std::size_t i) {
    return a[i].as<std::int32_t>();
}
std::int16_t& integer_at(std::span<Variant> a, std::size_t i) {
    return a[i].as<std::int16_t>();
}
bool& boolean_at(std::span<Variant> a, std::size_t i) {
    return a[i].as<bool>();
}
Currency& currency_at(std::span<Variant> a, std::size_t i) {
    return a[i].as<Currency>();
}
double& double_at(std::span<Variant> a, std::size_t i) {
    return a[i].as<double>();
}

constexpr std::int32_t dispid(int index) {
    return FirstMethodDispid + index;
}

const std::array<MethodSpec, 21> Methods{{
    {u"Class_Initialize", dispid(0), NoArgs, std::nullopt,
     [](OrbekInterface& o, std::span<Variant>) {
         o.Class_Initialize();
         return Variant();
     }},
    {u"Hrs2Seg", dispid(1), Hrs2SegArgs, VT::Long,
     [](OrbekInterface& o, std::span<Variant> a) { return Variant(o.Hrs2Seg(a[0])); }},
    {u"Seg2Hrs", dispid(2), Seg2HrsArgs, VT::Text,
     [](OrbekInterface& o, std::span<Variant> a) { return Variant(o.Seg2Hrs(long_at(a, 0))); }},
    {u"Fillhours", dispid(3), FillhoursArgs, VT::Text,
     [](OrbekInterface& o, std::span<Variant> a) { return Variant(o.Fillhours(text(a, 0))); }},
    {u"SumaHoras", dispid(4), SumaHorasArgs, VT::Text,
     [](OrbekInterface& o, std::span<Variant> a) {
         return Variant(o.SumaHoras(a[0], a[1], a[2], a[3], a[4], a[5]));
     }},
    {u"RestaHoras", dispid(5), RestaHorasArgs, VT::Text,
     [](OrbekInterface& o, std::span<Variant> a) { return Variant(o.RestaHoras(a[0], a[1])); }},
    {u"MasDeUnDia", dispid(6), MasDeUnDiaArgs, VT::Boolean,
     [](OrbekInterface& o, std::span<Variant> a) { return Variant(o.MasDeUnDia(long_at(a, 0))); }},
    {u"Delay", dispid(7), DelayArgs, std::nullopt,
     [](OrbekInterface& o, std::span<Variant> a) {
         o.Delay(long_at(a, 0));
         return Variant();
     }},
    {u"ProgressBar", dispid(8), ProgressBarArgs, VT::Variant,
     [](OrbekInterface& o, std::span<Variant> a) {
         return o.ProgressBar(currency_at(a, 0), currency_at(a, 1), currency_at(a, 2), text(a, 3),
                              text(a, 4), boolean_at(a, 5), boolean_at(a, 6));
     }},
    {u"STIProgressBar", dispid(9), STIProgressBarArgs, VT::Variant,
     [](OrbekInterface& o, std::span<Variant> a) {
         return o.STIProgressBar(integer_at(a, 0), text(a, 1), text(a, 2), boolean_at(a, 3),
                                 boolean_at(a, 4));
     }},
    {u"ProgressShow", dispid(10), ProgressShowArgs, VT::Variant,
     [](OrbekInterface& o, std::span<Variant> a) {
         return o.ProgressShow(double_at(a, 0), double_at(a, 1), text(a, 2), text(a, 3), text(a, 4),
                               boolean_at(a, 5), boolean_at(a, 6));
     }},
    {u"FechaTxtBox", dispid(11), FechaTxtBoxArgs, VT::Text,
     [](OrbekInterface& o, std::span<Variant> a) {
         return Variant(o.FechaTxtBox(boolean_at(a, 0), text(a, 1)));
     }},
    {u"HrsNumericas", dispid(12), HrsNumericasArgs, VT::Currency,
     [](OrbekInterface& o, std::span<Variant> a) { return Variant(o.HrsNumericas(text(a, 0))); }},
    {u"FechaValida", dispid(13), FechaValidaArgs, VT::Boolean,
     [](OrbekInterface& o, std::span<Variant> a) {
         return Variant(o.FechaValida(text(a, 0), text(a, 1), a[2]));
     }},
    {u"WrINI", dispid(14), WrINIArgs, std::nullopt,
     [](OrbekInterface& o, std::span<Variant> a) {
         o.WrINI(text(a, 0), text(a, 1), text(a, 2), text(a, 3), text(a, 4));
         return Variant();
     }},
    {u"RdINIInt", dispid(15), RdINIIntArgs, VT::Double,
     [](OrbekInterface& o, std::span<Variant> a) {
         return Variant(o.RdINIInt(text(a, 0), text(a, 1), text(a, 2), long_at(a, 3), text(a, 4)));
     }},
    {u"RdINIStr", dispid(16), RdINIStrArgs, VT::Text,
     [](OrbekInterface& o, std::span<Variant> a) {
         return Variant(o.RdINIStr(text(a, 0), text(a, 1), text(a, 2), text(a, 3), text(a, 4)));
     }},
    {u"Acceso", dispid(17), AccesoArgs, VT::Boolean,
     [](OrbekInterface& o, std::span<Variant> a) {
         return Variant(o.Acceso(text(a, 0), integer_at(a, 1)));
     }},
    {u"sSplash", dispid(18), sSplashArgs, std::nullopt,
     [](OrbekInterface& o, std::span<Variant> a) {
         o.sSplash(a[0], a[1], a[2], a[3]);
         return Variant();
     }},
    {u"ArchStay", dispid(19), ArchStayArgs, std::nullopt,
     [](OrbekInterface& o, std::span<Variant> a) {
         o.ArchStay(text(a, 0), text(a, 1), text(a, 2));
         return Variant();
     }},
    {u"Log", dispid(20), LogArgs, std::nullopt,
     [](OrbekInterface& o, std::span<Variant> a) {
         o.Log(a[0].as<std::uint8_t>(), text(a, 1), a[2], a[3], a[4], a[5], text(a, 6), text(a, 7),
               text(a, 8));
         return Variant();
     }},
}};

} // namespace

std::span<const MethodSpec> orbek_methods() {
    return Methods;
}

const MethodSpec* find_method(std::u16string_view name) {
    for (const MethodSpec& method : Methods) {
        if (equals_ignoring_case(method.name, name)) {
            return &method;
        }
    }
    return nullptr;
}

std::optional<std::size_t> find_argument(const MethodSpec& method, std::u16string_view name) {
    for (std::size_t i = 0; i < method.args.size(); ++i) {
        if (equals_ignoring_case(method.args[i].name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

Variant omitted_argument_value(const ArgSpec& arg) {
    if (arg.type == VT::Variant) {
        return Variant::missing();
    }
    if (arg.type == VT::Object) {
        return Variant(Variant::ObjectRef());
    }
    const DefaultValue& given = arg.default_value;
    Variant declared =
        given.kind == DefaultValue::Kind::Text ? Variant(Text(given.text)) : Variant(given.number);
    if (arg.type == VT::Text && given.kind != DefaultValue::Kind::Text) {
        declared = Text();
    }
    return convert_to(declared, var_type_of(arg.type));
}

VarType var_type_of(ValueType type) {
    switch (type) {
    case VT::Variant:
        return VarType::Empty;
    case VT::Text:
        return VarType::String;
    case VT::Long:
        return VarType::Long;
    case VT::Integer:
        return VarType::Integer;
    case VT::Byte:
        return VarType::Byte;
    case VT::Double:
        return VarType::Double;
    case VT::Currency:
        return VarType::Currency;
    case VT::Boolean:
        return VarType::Boolean;
    case VT::Object:
        return VarType::Object;
    }
    return VarType::Empty;
}

std::u16string_view value_type_name(ValueType type) {
    switch (type) {
    case VT::Variant:
        return u"Variant";
    case VT::Text:
        return u"String";
    case VT::Long:
        return u"Long";
    case VT::Integer:
        return u"Integer";
    case VT::Byte:
        return u"Byte";
    case VT::Double:
        return u"Double";
    case VT::Currency:
        return u"Currency";
    case VT::Boolean:
        return u"Boolean";
    case VT::Object:
        return u"Object";
    }
    return u"?";
}

} // namespace orbek
