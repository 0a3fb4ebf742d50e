// The design of the splash window Frm_Splash and the names its code reaches the controls by.
#pragma once

#include "platform/form_design.h"

namespace orbek::splash_form {

inline constexpr char Name[] = "Frm_Splash";
inline constexpr char Timer[] = "Timer0";
inline constexpr char Background[] = "p"; // receives the desktop copy and the shadow
inline constexpr char Artwork[] = "pM";
inline constexpr char ProductLabel[] = "lblAppName";
inline constexpr char VersionLabel[] = "lblVersion";
inline constexpr char CopyrightLabel[] = "lblCopyright";
inline constexpr char CompanyLabel[] = "Label2";
inline constexpr char SystemButton[] = "CmdSystem";
inline constexpr char CloseButton[] = "CmdSalida";

// The pictures the component carries among its resources.
inline constexpr int ArtworkPicture = 101; // 593 x 262 pixels
inline constexpr int SystemIcon = 102;     // 32 x 32
inline constexpr int CloseIcon = 103;      // 32 x 32

FormDesign splash_design();

} // namespace orbek::splash_form
