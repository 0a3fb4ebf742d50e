#include "shell/orbek_object.h"

#include "access/module_access.h"
#include "automation/vb_error.h"
#include "dates/cut_day_date.h"
#include "dates/form_date.h"
#include "progress/single_bar_progress.h"
#include "progress/two_bar_progress.h"
#include "settings/mod_control.h"
#include "shell/missing_sys_tools.h"
#include "splash/splash_window.h"
#include "timecalc/time_sums.h"
#include "timecalc/time_text.h"
#include "usagelog/folder_marker.h"
#include "usagelog/usage_log.h"

namespace orbek {

void MissingSysTools::fail() {
    throw VbError(vb::ObjectNotSet);
}

OrbekObject::OrbekObject(ModuleState& state, const Platform& platform)
    : state_(state), platform_(platform) {
    Class_Initialize();
}

void OrbekObject::Class_Initialize() {
    // A class start never fails: without a companion the thread keeps the SysTools it had,
    // and the methods that need one fail when they call it.
    try {
        if (platform_.make_sys_tools) {
            state_.sys_tools = platform_.make_sys_tools();
        }
    } catch (...) {
    }
}

SysTools& OrbekObject::sys_tools() {
    if (state_.sys_tools) {
        return *state_.sys_tools;
    }
    return missing_sys_tools_;
}

std::int32_t OrbekObject::Hrs2Seg(const Variant& Horas) {
    return time_text_to_seconds(Horas);
}

Text OrbekObject::Seg2Hrs(std::int32_t Segundos) {
    return seconds_to_time_text(Segundos, sys_tools());
}

Text OrbekObject::Fillhours(Text& vhours) {
    return fill_hours(vhours, sys_tools());
}

Text OrbekObject::SumaHoras(const Variant& Hora1, const Variant& Hora2, const Variant& Hora3,
                            const Variant& Hora4, const Variant& Hora5, const Variant& Hora6) {
    return sum_time_texts(*this, Hora1, Hora2, Hora3, Hora4, Hora5, Hora6);
}

Text OrbekObject::RestaHoras(const Variant& Hora1, const Variant& Hora2) {
    return subtract_time_texts(*this, Hora1, Hora2);
}

bool OrbekObject::MasDeUnDia(std::int32_t Segundos) {
    return reaches_a_day(Segundos);
}

void OrbekObject::Delay(std::int32_t Nivel_1_10) {
    delay(Nivel_1_10, platform_.clock);
}

ProgressServices OrbekObject::progress_services() {
    return {platform_.windows, *this, sys_tools()};
}

Variant OrbekObject::ProgressBar(Currency Valor, Currency Min, Currency Max, TextView VerRegistro,
                                 TextView Titulo, bool Regresa_a_0, bool Efecto_Salida) {
    return progress_bar(state_.progress, progress_services(), Valor, Min, Max, VerRegistro, Titulo,
                        Regresa_a_0, Efecto_Salida);
}

Variant OrbekObject::STIProgressBar(std::int16_t ipercentage, TextView sMessage, TextView sTitle,
                                    bool Regresa_a_0, bool Efecto_Salida) {
    return sti_progress_bar(state_.progress, progress_services(), ipercentage, sMessage, sTitle,
                            Regresa_a_0, Efecto_Salida);
}

Variant OrbekObject::ProgressShow(double Reg1, double Reg2, TextView sTexto1, TextView sTexto2,
                                  TextView sTitle, bool Regresa_a_0, bool Efecto_Salida) {
    return progress_show(state_.progress, progress_services(), Reg1, Reg2, sTexto1, sTexto2, sTitle,
                         Regresa_a_0, Efecto_Salida);
}

Text OrbekObject::FechaTxtBox(bool Modo, Text& Fecha) {
    return cut_day_date(Modo, Fecha, platform_.clock, sys_tools());
}

Currency OrbekObject::HrsNumericas(TextView sHrs) {
    return decimal_hours(sHrs);
}

bool OrbekObject::FechaValida(TextView Fec, Text& Cont, const Variant& Forma) {
    return check_form_date(Fec, Cont, Forma, sys_tools(), platform_.message_box);
}

SettingsPlatform OrbekObject::settings() const {
    return {platform_.profiles, platform_.ansi, platform_.component};
}

void OrbekObject::WrINI(TextView Seccion, TextView Llave, TextView Valor, Text& Archivo,
                        TextView Extension) {
    IniWrite(settings(), Seccion, Llave, Valor, Archivo, Extension);
}

double OrbekObject::RdINIInt(TextView Seccion, TextView Llave, Text& filename, std::int32_t Valor,
                             TextView Extension) {
    return IniReadInt(settings(), Seccion, Llave, filename, Valor, Extension);
}

Text OrbekObject::RdINIStr(TextView SectionName, TextView KeyName, Text& filename,
                           TextView DefaultValue, TextView Extension) {
    return IniReadStr(settings(), SectionName, KeyName, filename, DefaultValue, Extension);
}

bool OrbekObject::Acceso(TextView sDer, std::int16_t iModu) {
    return module_granted(sDer, iModu, sys_tools());
}

void OrbekObject::sSplash(const Variant& Company, const Variant& CopyRight, const Variant& Version,
                          const Variant& Producto) {
    show_splash(state_.splash, {platform_.windows, state_.sys_tools}, Company, CopyRight, Version,
                Producto);
}

UsageLogPlatform OrbekObject::usage_log_platform() {
    return {platform_.files, platform_.clock, sys_tools()};
}

void OrbekObject::ArchStay(TextView sRuta, TextView NomFile, TextView Version) {
    write_folder_marker(state_.usage_log, usage_log_platform(), sRuta, NomFile, Version);
}

void OrbekObject::Log(std::uint8_t Modo123, TextView Modulo, Variant& Empleado, Variant& FecIni,
                      Variant& FecFin, Variant& Comentario, TextView LogFileOp, TextView gsUserCode,
                      TextView Version) {
    usage_log(state_.usage_log, usage_log_platform(), Modo123, Modulo, Empleado, FecIni, FecFin,
              Comentario, LogFileOp, gsUserCode, Version);
}

} // namespace orbek
