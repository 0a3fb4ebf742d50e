// Build tool, run on the build machine: writes the IDL and the manifest of Orbek_DLL from the
// interface declaration.
#include "platform/win32/automation/interface_files.h"
#include "shell/orbek_interface.h"

int main(int argc, char** argv) {
    return orbek::com::write_interface_file(orbek::OrbekDllInterface, argc, argv);
}
