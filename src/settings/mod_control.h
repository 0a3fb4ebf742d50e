// The host's INI settings: one key written or read per call through the platform's
// private-profile operations, with the component's own settings file as the default file.
// Each routine takes the five arguments of its method in the method's order.
#pragma once

#include "automation/text.h"
#include "platform/ansi_code_page.h"
#include "platform/component_file.h"
#include "platform/profile_store.h"

#include <cstdint>

namespace orbek {

// What the INI routines reach the platform through; the shell owns the objects.
struct SettingsPlatform {
    const ProfileStore& profiles;
    const AnsiCodePage& ansi;
    const ComponentFile& component;
};

// The component's settings file for an extension: the folder of the component's file with
// one trailing "\", the file's name without its extension, ".", then `extension`.
Text default_ini_path(TextView component_path, TextView extension);

// WrINI: stores Valor under Llave in section Seccion. An empty Archivo is replaced by the
// default path, which the caller's variable then holds.
void IniWrite(const SettingsPlatform& platform, TextView Seccion, TextView Llave, TextView Valor,
              Text& Archivo, TextView Extension);

// RdINIInt: the key read as a signed 32-bit number; Valor when it is missing.
double IniReadInt(const SettingsPlatform& platform, TextView Seccion, TextView Llave,
                  Text& filename, std::int32_t Valor, TextView Extension);

// RdINIStr: the key's text (at most 254 characters), without code 0 and without spaces
// around it; DefaultValue, cleaned the same way, when it is missing.
Text IniReadStr(const SettingsPlatform& platform, TextView SectionName, TextView KeyName,
                Text& filename, TextView DefaultValue, TextView Extension);

} // namespace orbek
