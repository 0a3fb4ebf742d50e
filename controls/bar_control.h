// The bar, QLBBarraVista.BarraVista: a sunken strip that a fill covers from the left, in
// per cent of its width.
#pragma once

#include "display_control.h"

#include <cstdint>

namespace orbek::controls {

class BarControl final : public DisplayControl {
  public:
    static constexpr wchar_t ClassName[] = L"QLBBarraVista";

  protected:
    std::span<const Member> members() const override;
    Variant get(DISPID member) const override;
    void put(DISPID member, const Variant& value) override;
    void paint(HDC device, const RECT& client) const override;
    Text value_text() const override;

  private:
    RECT inside(const RECT& client) const;

    std::int32_t value_ = 0;
};

} // namespace orbek::controls
