// The dial, QLBGauge.gauge: a round face with a scale of 270 degrees, a needle and a readout
// of its value with up to four decimals.
#pragma once

#include "automation/currency.h"
#include "display_control.h"

namespace orbek::controls {

class DialControl final : public DisplayControl {
  public:
    static constexpr wchar_t ClassName[] = L"QLBGauge";

  protected:
    std::span<const Member> members() const override;
    Variant get(DISPID member) const override;
    void put(DISPID member, const Variant& value) override;
    void paint(HDC device, const RECT& client) const override;
    Text value_text() const override;

  private:
    Currency value_;
    float max_ = 0; // 0 selects the usual scale of 100
};

} // namespace orbek::controls
