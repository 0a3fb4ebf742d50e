# What the builds of our two in-process COM servers, Orbek_DLL.dll and MireldaSys.dll, share:
# where widl finds the system's IDL files, the word size they are made for, where the finished
# files go, how a server's interface files are made from its declaration, and how a server DLL
# is linked. Included once, at the top, for every directory of the Windows build.

# widl reads the system IDL files from Wine's headers and stdole2.tlb from Wine's libraries.
set(ORBEK_WIDL_INCLUDE /usr/include/wine/wine/windows CACHE PATH "Where oaidl.idl lies")
set(ORBEK_WIDL_TYPELIBS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows
    CACHE PATH "Where stdole2.tlb lies")
# A compiler for the build machine, for the tools that run during the build.
set(ORBEK_HOST_CXX c++ CACHE STRING "C++ compiler that makes programs for the build machine")

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
    set(ORBEK_COM_OUTPUT_DIR ${PROJECT_BINARY_DIR}/servers)
endif()

set(ORBEK_AUTOMATION_DIR ${PROJECT_SOURCE_DIR}/src/platform/win32/automation)

# Makes a server's interface files from its declaration, in ${CMAKE_CURRENT_BINARY_DIR}/generated:
#   <name>.tlb        the type library (every default included), for the server's resources
#   <name>.h, <name>_i.c  the C++ header and GUIDs, for test hosts that call the vtable
#   <name>.manifest   the registration-free manifest, also copied beside the DLL
# `describe` is the source of a small build-machine program that writes the IDL and the
# manifest from the declaration (interface_files.h); `declarations` the headers it reads.
function(orbek_com_interface name describe)
    cmake_parse_arguments(PARSE_ARGV 2 ARG "" "" "DECLARATIONS")
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/generated)
    file(MAKE_DIRECTORY ${generated})
    set(tool ${CMAKE_CURRENT_BINARY_DIR}/describe_${name})
    set(fixup ${CMAKE_CURRENT_BINARY_DIR}/byref_text_defaults)
    set(host_flags -std=c++20 -O1 -Wall -Wextra -Werror)

    add_custom_command(
        OUTPUT ${tool}
        COMMAND ${ORBEK_HOST_CXX} ${host_flags} -I${PROJECT_SOURCE_DIR}/src
                -I${PROJECT_SOURCE_DIR}/companion -o ${tool} ${describe}
                ${ORBEK_AUTOMATION_DIR}/interface_files.cpp
        DEPENDS ${describe} ${ORBEK_AUTOMATION_DIR}/interface_files.cpp
                ${ORBEK_AUTOMATION_DIR}/interface_files.h
                ${PROJECT_SOURCE_DIR}/src/automation/interface_decl.h ${ARG_DECLARATIONS}
        COMMENT "Building the interface tool of ${name} for the build machine"
        VERBATIM)
    add_custom_command(
        OUTPUT ${fixup}
        COMMAND ${ORBEK_HOST_CXX} ${host_flags} -o ${fixup}
                ${ORBEK_AUTOMATION_DIR}/byref_text_defaults.cpp
        DEPENDS ${ORBEK_AUTOMATION_DIR}/byref_text_defaults.cpp
        COMMENT "Building the type library fix-up for the build machine"
        VERBATIM)

    set(dll ${name}.dll)
    add_custom_command(
        OUTPUT ${generated}/${name}_header.idl ${generated}/${name}_typelib.idl
               ${generated}/${name}.manifest ${ORBEK_COM_OUTPUT_DIR}/${name}.manifest
        COMMAND ${tool} header ${ORBEK_MANIFEST_ARCHITECTURE} ${dll} ${generated}/${name}_header.idl
        COMMAND ${tool} typelib ${ORBEK_MANIFEST_ARCHITECTURE} ${dll}
                ${generated}/${name}_typelib.idl
        COMMAND ${tool} manifest ${ORBEK_MANIFEST_ARCHITECTURE} ${dll} ${generated}/${name}.manifest
        COMMAND ${CMAKE_COMMAND} -E make_directory ${ORBEK_COM_OUTPUT_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy ${generated}/${name}.manifest
                ${ORBEK_COM_OUTPUT_DIR}/${name}.manifest
        DEPENDS ${tool}
        COMMENT "Writing the IDL and manifest of ${name}"
        VERBATIM)
    add_custom_command(
        OUTPUT ${generated}/${name}.h ${generated}/${name}_i.c
        COMMAND ${ORBEK_WIDL} ${ORBEK_WIDL_TARGET} -I${ORBEK_WIDL_INCLUDE} -h -H
                ${generated}/${name}.h -u -U ${generated}/${name}_i.c
                ${generated}/${name}_header.idl
        DEPENDS ${generated}/${name}_header.idl
        COMMENT "Compiling the ${name} header"
        VERBATIM)
    add_custom_command(
        OUTPUT ${generated}/${name}.tlb
        COMMAND ${ORBEK_WIDL} ${ORBEK_WIDL_TARGET} -I${ORBEK_WIDL_INCLUDE}
                -L${ORBEK_WIDL_TYPELIBS} -t -o ${generated}/${name}_widl.tlb
                ${generated}/${name}_typelib.idl
        COMMAND ${fixup} ${generated}/${name}_widl.tlb ${generated}/${name}.tlb
        DEPENDS ${generated}/${name}_typelib.idl ${fixup}
        COMMENT "Compiling the ${name} type library"
        VERBATIM)
    add_custom_target(${name}_interface_files
        DEPENDS ${generated}/${name}.tlb ${generated}/${name}.h ${generated}/${name}_i.c
                ${generated}/${name}.manifest)

    # The generated header, for test hosts that call the server through its vtable.
    add_library(${name}_interface INTERFACE)
    target_include_directories(${name}_interface INTERFACE ${generated})
    add_dependencies(${name}_interface ${name}_interface_files)
endfunction()

# A server DLL as COM loads it: named after the target with no "lib" in front, in
# ORBEK_COM_OUTPUT_DIR, one file with no MinGW runtime DLL beside it, its resources made after
# its interface files.
function(orbek_com_server_dll target)
    set_target_properties(${target} PROPERTIES
        PREFIX ""
        OUTPUT_NAME ${target}
        RUNTIME_OUTPUT_DIRECTORY ${ORBEK_COM_OUTPUT_DIR})
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
    add_dependencies(${target} ${target}_interface_files)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        # The .def file names the entry points undecorated, as COM looks them up; the linker
        # matches them to the decorated stdcall symbols (DllGetClassObject@12).
        target_link_options(${target} PRIVATE -Wl,--enable-stdcall-fixup)
    endif()
endfunction()
