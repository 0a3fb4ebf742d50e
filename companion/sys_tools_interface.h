// The interface of the companion's class SysTools, declared once: its operations with their
// DISPIDs, arguments and results, and the identities clients bind to. The type library, the
// server's table of methods and its dispatcher are all made from it.
#pragma once

#include "automation/interface_decl.h"

namespace orbek {

namespace sys_tools_interface {

using namespace decl;
using enum ValueType;
inline constexpr Passing ByVal = Passing::ByVal;

inline constexpr std::array ShowSystemInfoArgs{required(u"show", Variant),
                                               required(u"wait", Boolean)};
inline constexpr std::array CloseEffectArgs{required(u"start", Long), required(u"height", Long),
                                            required(u"style", Long, ByVal),
                                            required(u"window", Variant, ByVal)};
inline constexpr std::array PadTextArgs{required(u"text", Text), required(u"width", Integer, ByVal),
                                        optional(u"fill", Variant, {}, ByVal)};
inline constexpr std::array DecodeTextArgs{required(u"encoded", Text, ByVal)};
inline constexpr std::array ToBitTextArgs{required(u"number", Text, ByVal)};
inline constexpr std::array DaysInMonthArgs{required(u"month", Integer),
                                            required(u"year", Integer)};
inline constexpr std::array DateToTextArgs{
    required(u"date", Variant, ByVal), required(u"style", Text, ByVal),
    required(u"prefix", Text, ByVal), required(u"withWeekday", Boolean, ByVal),
    required(u"withYear", Boolean, ByVal)};
inline constexpr std::array EncodeTextArgs{required(u"plain", Text, ByVal)};

inline constexpr std::array Methods{
    MethodDecl{u"ShowSystemInfo", 1, ShowSystemInfoArgs, std::nullopt,
               u"Opens the system information window"},
    MethodDecl{u"CloseEffect", 2, CloseEffectArgs, std::nullopt,
               u"Plays the closing effect on a window and returns when it has ended"},
    MethodDecl{u"PadText", 3, PadTextArgs, Text,
               u"A text right-aligned to a width with leading zeros"},
    MethodDecl{u"DecodeText", 4, DecodeTextArgs, Text, u"The plain text of an encoded text"},
    MethodDecl{u"ToBitText", 5, ToBitTextArgs, Text,
               u"The binary digits of a whole number, at least 16"},
    MethodDecl{u"DaysInMonth", 6, DaysInMonthArgs, Integer, u"Days of a month in a year"},
    MethodDecl{u"DateToText", 7, DateToTextArgs, Text, u"A date written out as words"},
    MethodDecl{u"EncodeText", 8, EncodeTextArgs, Text, u"The encoded form of a text"},
};

} // namespace sys_tools_interface

// Fixed for good: clients bind to these identities.
inline constexpr InterfaceDecl SysToolsInterface{
    .library_name = u"MireldaSys",
    .library_help = u"MireldaSys",
    .library_id = {0x97F259A7, 0x565C, 0x4199, {0xA1, 0x9B, 0x21, 0xB2, 0x5D, 0x78, 0x37, 0x16}},
    .locale = 0,
    .interface_name = u"_SysTools",
    .interface_id = {0xC8E6C480, 0x6BE3, 0x4EC6, {0x8E, 0x95, 0x7B, 0x83, 0xFF, 0xE6, 0xE0, 0x7C}},
    .class_name = u"SysTools",
    .class_id = {0xFDEE2C55, 0x0041, 0x43BF, {0x85, 0xAF, 0x3E, 0xD7, 0x07, 0x98, 0x19, 0x64}},
    .methods = sys_tools_interface::Methods,
};

} // namespace orbek
