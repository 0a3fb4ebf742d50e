#include "platform/posix/posix_platform.h"

#include "automation/vb_error.h"
#include "sys_tools_impl.h"

namespace orbek {

PosixPlatform::PosixPlatform(Host host)
    : host_(std::move(host)), files_(WindowsPaths(host_.c_root)),
      profiles_(WindowsPaths(host_.c_root)), platform_{host_.clock,
                                                       [this] { return make_companion(); },
                                                       host_.message_box,
                                                       windows_,
                                                       files_,
                                                       profiles_,
                                                       ansi_,
                                                       component_} {}

std::shared_ptr<SysTools> PosixPlatform::make_companion() {
    if (!host_.companion_available) {
        throw VbError(vb::CannotCreateObject);
    }
    return std::make_shared<SysToolsImpl>(companion_windows_);
}

} // namespace orbek
