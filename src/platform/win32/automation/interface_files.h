// The files a COM server's build makes from its interface declaration: the IDL that widl turns
// into the type library and the C++ header of test hosts, and the assembly manifest for
// registration-free use. Portable: the build runs it on the build machine.
#pragma once

#include "automation/interface_decl.h"

#include <string>
#include <string_view>

namespace orbek::com {

enum class IdlForm {
    // For the C/C++ header: no defaults, which widl would turn into C++ default arguments on
    // pointers (`LONG *x = 2`) that do not compile.
    Header,
    // For the type library: widl refuses a text default on a by-reference text, so such an
    // argument is written by value, still marked [out]; byref_text_defaults turns it back into
    // a BSTR* in the finished library.
    TypeLibrary,
};

std::string interface_idl(const InterfaceDecl& decl, IdlForm form);

// `architecture` is "x86" or "amd64"; `file_name` the DLL's file name.
std::string interface_manifest(const InterfaceDecl& decl, std::string_view architecture,
                               std::string_view file_name);

// The text form of a GUID without braces: CF1F5D64-EDBC-403D-B52C-7E3E98882110.
std::string guid_text(const Guid& guid);

// The main of a server's build tool: `TOOL header|typelib|manifest ARCH DLLNAME OUT`.
int write_interface_file(const InterfaceDecl& decl, int argc, char** argv);

} // namespace orbek::com
