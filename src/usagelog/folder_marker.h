// The marker file that says a folder belongs to the host product: the maker's block and a
// version line, written anew on every call. C:\Kalvix\Log\Log.Dir sends the usage log there.
#pragma once

#include "usagelog/usage_log_state.h"

namespace orbek {

// ArchStay: the marker `folder` + `name` + ".Dir" is deleted when it is there (its name on
// disk exactly so), otherwise the folder is created (one level); then the marker is
// written. Every failure is the caller's error; a marker whose version line could not be
// formed stays open, unfinished, in `state` until the state goes.
void write_folder_marker(UsageLogState& state, const UsageLogPlatform& platform, TextView folder,
                         TextView name, TextView version);

} // namespace orbek
