// What the component reaches the machine through: one bundle per platform, made in one place
// for each (the Windows server, the native build), and handed to every object of a thread.
#pragma once

#include "platform/ansi_code_page.h"
#include "platform/clock.h"
#include "platform/component_file.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/profile_store.h"
#include "platform/sys_tools.h"
#include "platform/window_toolkit.h"

namespace orbek {

struct Platform {
    const Clock& clock;
    // Makes the thread's companion object at each class start.
    SysToolsFactory make_sys_tools;
    // Where the one message the component shows goes.
    UserMessageBox& message_box;
    // The thread's windows: the progress forms and the splash.
    WindowToolkit& windows;
    // The thread's files (the usage log, the folder markers), with its own table of open files.
    FileSystem& files;
    // INI files through the private-profile operations, the ANSI code page their texts pass
    // through, and where the component's own file lies.
    const ProfileStore& profiles;
    const AnsiCodePage& ansi;
    const ComponentFile& component;
};

} // namespace orbek
