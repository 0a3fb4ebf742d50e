// The maker's lines that the splash window shows under its artwork, top to bottom: company,
// postal address, telephone and fax, home page, sales and support e-mail. The usage log's
// banner states the same maker; both should come from one place.
#pragma once

#include <array>
#include <string_view>

namespace orbek::maker {

inline constexpr std::array<std::u16string_view, 5> SplashLines{
    u"Kalvix Sistemas, S.A. de C.V.",
    u"Av. Miramar 2140, Piso 3, Col. Arboledas, Valdera, Jal., C.P. 45120",
    u"Tel. +52 (33) 3555-0142   Fax +52 (33) 3555-0143",
    u"http://www.kalvix-sistemas.example",
    u"ventas@kalvix-sistemas.example   soporte@kalvix-sistemas.example",
};

} // namespace orbek::maker
