// The component's one interface, as typed calls. Arguments passed by reference are
// references: what a method stores in them is what the caller sees afterwards.
#pragma once

#include "automation/currency.h"
#include "automation/text.h"
#include "automation/variant.h"
#include "timecalc/time_sums.h"

#include <cstdint>

namespace orbek {

class OrbekInterface : public TimeTextConversions {
  public:
    virtual ~OrbekInterface() = default;

    virtual void Class_Initialize() = 0;
    virtual Text Fillhours(Text& vhours) = 0;
    virtual Text SumaHoras(Variant& Hora1, Variant& Hora2, Variant& Hora3, Variant& Hora4,
                           Variant& Hora5, Variant& Hora6) = 0;
    virtual Text RestaHoras(Variant& Hora1, Variant& Hora2) = 0;
    virtual bool MasDeUnDia(std::int32_t& Segundos) = 0;
    virtual void Delay(std::int32_t& Nivel_1_10) = 0;
    virtual Variant ProgressBar(Currency& Valor, Currency& Min, Currency& Max, Text& VerRegistro,
                                Text& Titulo, bool& Regresa_a_0, bool& Efecto_Salida) = 0;
    virtual Variant STIProgressBar(std::int16_t& ipercentage, Text& sMessage, Text& sTitle,
                                   bool& Regresa_a_0, bool& Efecto_Salida) = 0;
    virtual Variant ProgressShow(double& Reg1, double& Reg2, Text& sTexto1, Text& sTexto2,
                                 Text& sTitle, bool& Regresa_a_0, bool& Efecto_Salida) = 0;
    virtual Text FechaTxtBox(bool& Modo, Text& Fecha) = 0;
    virtual Currency HrsNumericas(Text& sHrs) = 0;
    virtual bool FechaValida(Text& Fec, Text& Cont, Variant& Forma) = 0;
    virtual void WrINI(Text& Seccion, Text& Llave, Text& Valor, Text& Archivo, Text& Extension) = 0;
    virtual double RdINIInt(Text& Seccion, Text& Llave, Text& filename, std::int32_t& Valor,
                            Text& Extension) = 0;
    virtual Text RdINIStr(Text& SectionName, Text& KeyName, Text& filename, Text& DefaultValue,
                          Text& Extension) = 0;
    virtual bool Acceso(Text sDer, std::int16_t& iModu) = 0;
    virtual void sSplash(Variant& Company, Variant& CopyRight, Variant& Version,
                         Variant& Producto) = 0;
    virtual void ArchStay(Text& sRuta, Text& NomFile, Text& Version) = 0;
    virtual void Log(std::uint8_t& Modo123, Text& Modulo, Variant& Empleado, Variant& FecIni,
                     Variant& FecFin, Variant& Comentario, Text& LogFileOp, Text& gsUserCode,
                     Text& Version) = 0;
};

} // namespace orbek
