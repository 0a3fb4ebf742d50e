# What the builds of our two in-process COM servers, Orbek_DLL.dll and MireldaSys.dll, share:
# where widl finds the system's IDL files, the word size they are made for, where the
# finished files go, and how a server DLL is linked. Included by each server's directory.

# widl reads the system IDL files from Wine's headers and stdole2.tlb from Wine's libraries.
set(ORBEK_WIDL_INCLUDE /usr/include/wine/wine/windows CACHE PATH "Where oaidl.idl lies")
set(ORBEK_WIDL_TYPELIBS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows
    CACHE PATH "Where stdole2.tlb lies")

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(ORBEK_WIDL_TARGET --win32)
    set(ORBEK_MANIFEST_ARCHITECTURE x86)
else()
    set(ORBEK_WIDL_TARGET --win64)
    set(ORBEK_MANIFEST_ARCHITECTURE amd64)
endif()

# The DLLs and the manifests beside them go to the distribution folder when one is set.
if(ORBEK_DIST_DIR)
    set(ORBEK_COM_OUTPUT_DIR ${ORBEK_DIST_DIR})
else()
    set(ORBEK_COM_OUTPUT_DIR ${CMAKE_CURRENT_BINARY_DIR})
endif()

# A server DLL as COM loads it: named after the target with no "lib" in front, in
# ORBEK_COM_OUTPUT_DIR, one file with no MinGW runtime DLL beside it.
function(orbek_com_server_dll target)
    set_target_properties(${target} PROPERTIES
        PREFIX ""
        OUTPUT_NAME ${target}
        RUNTIME_OUTPUT_DIRECTORY ${ORBEK_COM_OUTPUT_DIR})
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        # The .def file names the entry points undecorated, as COM looks them up; the linker
        # matches them to the decorated stdcall symbols (DllGetClassObject@12).
        target_link_options(${target} PRIVATE -Wl,--enable-stdcall-fixup)
    endif()
endfunction()
