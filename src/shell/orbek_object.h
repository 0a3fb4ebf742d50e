// The class OrbekDLL: no state of its own; it works on its thread's module state through the
// platform it is given. Each public member function implements the method of the same name
// declared in orbek_interface.h, taking the arguments in the shapes the declaration asks for.
#pragma once

#include "automation/typed_call.h"
#include "platform/platform.h"
#include "progress/progress_windows.h"
#include "settings/mod_control.h"
#include "shell/missing_sys_tools.h"
#include "shell/module_state.h"
#include "shell/orbek_interface.h"
#include "timecalc/time_sums.h"

namespace orbek {

class OrbekObject final : public TimeTextConversions, public DelayMethod {
  public:
    // Runs the class start.
    OrbekObject(ModuleState& state, const Platform& platform);

    void Class_Initialize();
    std::int32_t Hrs2Seg(const Variant& Horas) override;
    Text Seg2Hrs(std::int32_t Segundos) override;
    Text Fillhours(Text& vhours);
    Text SumaHoras(const Variant& Hora1, const Variant& Hora2, const Variant& Hora3,
                   const Variant& Hora4, const Variant& Hora5, const Variant& Hora6);
    Text RestaHoras(const Variant& Hora1, const Variant& Hora2);
    bool MasDeUnDia(std::int32_t Segundos);
    void Delay(std::int32_t Nivel_1_10) override;
    Variant ProgressBar(Currency Valor, Currency Min, Currency Max, TextView VerRegistro,
                        TextView Titulo, bool Regresa_a_0, bool Efecto_Salida);
    Variant STIProgressBar(std::int16_t ipercentage, TextView sMessage, TextView sTitle,
                           bool Regresa_a_0, bool Efecto_Salida);
    Variant ProgressShow(double Reg1, double Reg2, TextView sTexto1, TextView sTexto2,
                         TextView sTitle, bool Regresa_a_0, bool Efecto_Salida);
    Text FechaTxtBox(bool Modo, Text& Fecha);
    Currency HrsNumericas(TextView sHrs);
    bool FechaValida(TextView Fec, Text& Cont, const Variant& Forma);
    void WrINI(TextView Seccion, TextView Llave, TextView Valor, Text& Archivo, TextView Extension);
    double RdINIInt(TextView Seccion, TextView Llave, Text& filename, std::int32_t Valor,
                    TextView Extension);
    Text RdINIStr(TextView SectionName, TextView KeyName, Text& filename, TextView DefaultValue,
                  TextView Extension);
    bool Acceso(TextView sDer, std::int16_t iModu);
    void sSplash(const Variant& Company, const Variant& CopyRight, const Variant& Version,
                 const Variant& Producto);
    void ArchStay(TextView sRuta, TextView NomFile, TextView Version);
    void Log(std::uint8_t Modo123, TextView Modulo, Variant& Empleado, Variant& FecIni,
             Variant& FecFin, Variant& Comentario, TextView LogFileOp, TextView gsUserCode,
             TextView Version);

  private:
    // The thread's companion object; error 91 when no class start could make one.
    SysTools& sys_tools();
    ProgressServices progress_services();
    UsageLogPlatform usage_log_platform();
    SettingsPlatform settings() const;

    ModuleState& state_;
    const Platform& platform_;
    MissingSysTools missing_sys_tools_;
};

// The implementation of every declared method, in declaration order.
using OrbekMethods =
    MethodTable<OrbekDllInterface, &OrbekObject::Class_Initialize, &OrbekObject::Hrs2Seg,
                &OrbekObject::Seg2Hrs, &OrbekObject::Fillhours, &OrbekObject::SumaHoras,
                &OrbekObject::RestaHoras, &OrbekObject::MasDeUnDia, &OrbekObject::Delay,
                &OrbekObject::ProgressBar, &OrbekObject::STIProgressBar, &OrbekObject::ProgressShow,
                &OrbekObject::FechaTxtBox, &OrbekObject::HrsNumericas, &OrbekObject::FechaValida,
                &OrbekObject::WrINI, &OrbekObject::RdINIInt, &OrbekObject::RdINIStr,
                &OrbekObject::Acceso, &OrbekObject::sSplash, &OrbekObject::ArchStay,
                &OrbekObject::Log>;

} // namespace orbek
