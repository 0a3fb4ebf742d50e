// The class OrbekDLL: no state of its own; it works on its thread's module state.
#pragma once

#include "shell/environment.h"
#include "shell/missing_sys_tools.h"
#include "shell/module_state.h"
#include "shell/orbek_interface.h"

namespace orbek {

class OrbekObject final : public OrbekInterface {
  public:
    // Runs the class start.
    OrbekObject(ModuleState& state, const Environment& environment);

    void Class_Initialize() override;
    std::int32_t Hrs2Seg(Variant& Horas) override;
    Text Seg2Hrs(std::int32_t& Segundos) override;
    Text Fillhours(Text& vhours) override;
    Text SumaHoras(Variant& Hora1, Variant& Hora2, Variant& Hora3, Variant& Hora4, Variant& Hora5,
                   Variant& Hora6) override;
    Text RestaHoras(Variant& Hora1, Variant& Hora2) override;
    bool MasDeUnDia(std::int32_t& Segundos) override;
    void Delay(std::int32_t& Nivel_1_10) override;
    Variant ProgressBar(Currency& Valor, Currency& Min, Currency& Max, Text& VerRegistro,
                        Text& Titulo, bool& Regresa_a_0, bool& Efecto_Salida) override;
    Variant STIProgressBar(std::int16_t& ipercentage, Text& sMessage, Text& sTitle,
                           bool& Regresa_a_0, bool& Efecto_Salida) override;
    Variant ProgressShow(double& Reg1, double& Reg2, Text& sTexto1, Text& sTexto2, Text& sTitle,
                         bool& Regresa_a_0, bool& Efecto_Salida) override;
    Text FechaTxtBox(bool& Modo, Text& Fecha) override;
    Currency HrsNumericas(Text& sHrs) override;
    bool FechaValida(Text& Fec, Text& Cont, Variant& Forma) override;
    void WrINI(Text& Seccion, Text& Llave, Text& Valor, Text& Archivo, Text& Extension) override;
    double RdINIInt(Text& Seccion, Text& Llave, Text& filename, std::int32_t& Valor,
                    Text& Extension) override;
    Text RdINIStr(Text& SectionName, Text& KeyName, Text& filename, Text& DefaultValue,
                  Text& Extension) override;
    bool Acceso(Text sDer, std::int16_t& iModu) override;
    void sSplash(Variant& Company, Variant& CopyRight, Variant& Version,
                 Variant& Producto) override;
    void ArchStay(Text& sRuta, Text& NomFile, Text& Version) override;
    void Log(std::uint8_t& Modo123, Text& Modulo, Variant& Empleado, Variant& FecIni,
             Variant& FecFin, Variant& Comentario, Text& LogFileOp, Text& gsUserCode,
             Text& Version) override;

  private:
    // The thread's companion object; error 91 when no class start could make one.
    SysTools& sys_tools();

    ModuleState& state_;
    const Environment& environment_;
    MissingSysTools missing_sys_tools_;
};

} // namespace orbek
