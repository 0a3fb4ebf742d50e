// What the usage log keeps between calls, one per thread: the log opened by the last start
// call, and the folder markers whose writing stopped half-way. Whatever is still open is
// flushed and closed when the state goes (the thread ends or the component is unloaded).
#pragma once

#include "automation/text.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/sys_tools.h"

#include <memory>
#include <optional>
#include <vector>

namespace orbek {

struct UsageLogState {
    struct OpenLog {
        Text path; // as the start call formed it
        std::unique_ptr<AppendFile> file;
    };
    std::optional<OpenLog> log; // empty: no log is open
    std::vector<std::unique_ptr<AppendFile>> unfinished_markers;
    Text line; // the record line being formed, kept only for its capacity
};

// The platform objects a call works with: the thread's file system and SysTools object, and
// the clock.
struct UsageLogPlatform {
    FileSystem& files;
    const Clock& clock;
    SysTools& tools;
};

} // namespace orbek
