// Who made the component, as its banners and the splash window show it. The one place
// these texts live: the usage log's banner, the folder markers and the splash window's
// labels all take them from here.
#pragma once

#include <string_view>

namespace orbek::maker {

inline constexpr std::u16string_view CompanyName = u"Kalvix Sistemas, S.A. de C.V.";
inline constexpr std::u16string_view StreetAndTelephone =
    u"Av. Miramar 2140, Piso 3 - Tel. (33) 3555-0142";
inline constexpr std::u16string_view DistrictCityPostcode =
    u"Col. Arboledas, Valdera, Jal., C.P. 45120";
inline constexpr std::u16string_view InternationalTelephone = u"Internacional: +52 (33) 3555-0142";
inline constexpr std::u16string_view HomePage = u"http://www.kalvix-sistemas.example";
inline constexpr std::u16string_view SalesEmail = u"Ventas: ventas@kalvix-sistemas.example";
inline constexpr std::u16string_view SupportEmail = u"Soporte: soporte@kalvix-sistemas.example";
inline constexpr std::u16string_view Initials = u"(QLB)";

} // namespace orbek::maker
