// The private-profile operations through kernel32's ANSI functions.
#pragma once

#include "platform/profile_store.h"

namespace orbek {

class Win32ProfileStore final : public ProfileStore {
  public:
    void write_string(std::string_view section, std::string_view key, std::string_view value,
                      std::string_view path) const override;
    std::uint32_t read_int(std::string_view section, std::string_view key, std::int32_t fallback,
                           std::string_view path) const override;
    std::string read_string(std::string_view section, std::string_view key,
                            std::string_view fallback, std::size_t buffer_size,
                            std::string_view path) const override;
};

} // namespace orbek
