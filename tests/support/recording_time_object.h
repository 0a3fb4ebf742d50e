// An OrbekInterface for tests of the time sums: its Hrs2Seg and Seg2Hrs do the real conversions
// (with the SysTools it is given) and record what they were called with, so a test sees which
// times were converted and in which order. Hrs2Seg can instead hand out scripted numbers of
// seconds, to reach totals no time text can. The other methods are not part of it.
#pragma once

#include "automation/vb_error.h"
#include "platform/sys_tools.h"
#include "shell/orbek_interface.h"

#include <deque>
#include <string>
#include <vector>

namespace orbek::testing {

class RecordingTimeObject final : public OrbekInterface {
  public:
    explicit RecordingTimeObject(SysTools& tools) : tools_(tools) {}

    // "Hrs2Seg(<text of the argument>)" and "Seg2Hrs(<seconds>)", in call order.
    std::vector<std::string> calls;
    std::deque<std::int32_t> scripted_seconds;

    std::int32_t Hrs2Seg(Variant& Horas) override;
    Text Seg2Hrs(std::int32_t& Segundos) override;

    void Class_Initialize() override { unsupported(); }
    Text Fillhours(Text&) override { unsupported(); }
    Text SumaHoras(Variant&, Variant&, Variant&, Variant&, Variant&, Variant&) override {
        unsupported();
    }
    Text RestaHoras(Variant&, Variant&) override { unsupported(); }
    bool MasDeUnDia(std::int32_t&) override { unsupported(); }
    void Delay(std::int32_t&) override { unsupported(); }
    Variant ProgressBar(Currency&, Currency&, Currency&, Text&, Text&, bool&, bool&) override {
        unsupported();
    }
    Variant STIProgressBar(std::int16_t&, Text&, Text&, bool&, bool&) override { unsupported(); }
    Variant ProgressShow(double&, double&, Text&, Text&, Text&, bool&, bool&) override {
        unsupported();
    }
    Text FechaTxtBox(bool&, Text&) override { unsupported(); }
    Currency HrsNumericas(Text&) override { unsupported(); }
    bool FechaValida(Text&, Text&, Variant&) override { unsupported(); }
    void WrINI(Text&, Text&, Text&, Text&, Text&) override { unsupported(); }
    double RdINIInt(Text&, Text&, Text&, std::int32_t&, Text&) override { unsupported(); }
    Text RdINIStr(Text&, Text&, Text&, Text&, Text&) override { unsupported(); }
    bool Acceso(Text, std::int16_t&) override { unsupported(); }
    void sSplash(Variant&, Variant&, Variant&, Variant&) override { unsupported(); }
    void ArchStay(Text&, Text&, Text&) override { unsupported(); }
    void Log(std::uint8_t&, Text&, Variant&, Variant&, Variant&, Variant&, Text&, Text&,
             Text&) override {
        unsupported();
    }

  private:
    [[noreturn]] static void unsupported() {
        throw VbError(vb::ActionNotSupported, "not part of the time test object");
    }

    SysTools& tools_;
};

} // namespace orbek::testing
