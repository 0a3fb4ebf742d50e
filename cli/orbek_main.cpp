#include "cli.h"
#include "platform/posix/recording_window_layer.h"
#include "platform/posix/system_clock.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    orbek::SystemClock clock;
    orbek::RecordingWindowLayer windows;
    return orbek::run_cli(args, std::cout, std::cerr, clock, windows);
}
