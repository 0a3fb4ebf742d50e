// The companion's operations over a window layer that only records what it is asked to show.
#pragma once

#include "recording_window_layer.h"
#include "support/error_number.h"
#include "sys_tools_impl.h"

#include <gtest/gtest.h>

namespace orbek {

class Companion : public ::testing::Test {
  protected:
    RecordingWindowLayer windows;
    SysToolsImpl tools{windows};
};

} // namespace orbek
