// Build tool, run on the build machine: writes the IDL and the manifest of MireldaSys from the
// interface declaration.
#include "platform/win32/automation/interface_files.h"
#include "sys_tools_interface.h"

int main(int argc, char** argv) {
    return orbek::com::write_interface_file(orbek::SysToolsInterface, argc, argv);
}
