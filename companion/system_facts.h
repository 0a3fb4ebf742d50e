// What the companion's system information window tells about the machine, and the lines it
// shows them as. Gathering the facts is the platform's job; wording them is done here.
#pragma once

#include "automation/text.h"

#include <array>
#include <cstdint>
#include <vector>

namespace orbek {

struct WindowsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    bool workstation = true;
    Text service_pack; // "Service Pack 1", or empty
};

struct ModuleVersion {
    bool found = false;
    std::array<std::uint16_t, 4> version{}; // the file version's four numbers
    Text path;
};

struct SystemFacts {
    WindowsVersion windows;
    bool windows_64_bit = false;
    Text processor_name; // as the system names it; may be empty
    Text processor_architecture;
    std::uint32_t processors = 0;   // logical processors
    std::uint64_t memory_total = 0; // physical memory, in bytes
    std::uint64_t memory_free = 0;
    std::int32_t screen_width = 0; // pixels of the primary screen
    std::int32_t screen_height = 0;
    std::int32_t colour_bits = 0;
    std::int32_t dots_per_inch = 0;
    std::int32_t monitors = 1;
    ModuleVersion component; // Orbek_DLL.dll
    ModuleVersion companion; // MireldaSys.dll
};

struct FactLine {
    Text label;
    Text value;
    friend bool operator==(const FactLine&, const FactLine&) = default;
};

// The product name of a Windows version ("Windows 10", "Windows Server 2019"); "Windows" or
// "Windows Server" for versions without a name of their own.
Text windows_name(const WindowsVersion& version);

// Whole megabytes, rounded down, with a point between thousands: "16.384 MB".
Text megabytes_text(std::uint64_t bytes);

// The window's lines, in order: operating system, processor, memory, screen, Orbek_DLL.dll,
// MireldaSys.dll.
std::vector<FactLine> system_fact_lines(const SystemFacts& facts);

// All lines as one text, "label: value" each, ended by CR LF: what the window copies.
Text system_facts_text(const std::vector<FactLine>& lines);

} // namespace orbek
