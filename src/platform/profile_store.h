// The private-profile operations of INI files, with 8-bit texts.
#pragma once

#include "automation/text.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orbek {

class ProfileStore {
  public:
    virtual ~ProfileStore() = default;
    virtual void write_string(std::string_view section, std::string_view key,
                              std::string_view value, std::string_view path) = 0;
    virtual std::uint32_t read_int(std::string_view section, std::string_view key,
                                   std::int32_t fallback, std::string_view path) = 0;
    // At most buffer_size - 1 characters, as the platform copies them.
    virtual std::string read_string(std::string_view section, std::string_view key,
                                    std::string_view fallback, std::size_t buffer_size,
                                    std::string_view path) = 0;
    // The full path of the component's own file.
    virtual Text component_path() = 0;
};

} // namespace orbek
