# Makes the two forms of Orbek_DLL.idl that widl can digest (cmake -P, with SOURCE,
# HEADER_IDL and TYPELIB_IDL set).
#
# The C/C++ header: widl turns [defaultvalue] on a pointer argument into a C++ default
# argument (LONG *x = 2), which does not compile, so the header form has no defaults; the
# compiler never needs them, the type library carries them.
#
# The type library: widl refuses a text default on a by-reference text argument
# ([optional, defaultvalue("...")] BSTR*), so the type library form hands such arguments to
# widl by value, still marked [out]; byref_text_defaults turns them back into BSTR* in the
# finished library.
file(READ "${SOURCE}" idl)

string(REGEX REPLACE ",[ \t\r\n]*defaultvalue\\((\"[^\"]*\"|[^)]*)\\)" "" header_idl "${idl}")
file(WRITE "${HEADER_IDL}" "${header_idl}")

string(REGEX REPLACE "(defaultvalue\\(\"[^\"]*\"\\)[^]]*\\][ \t\r\n]*BSTR)\\*" "\\1"
       typelib_idl "${idl}")
file(WRITE "${TYPELIB_IDL}" "${typelib_idl}")
