#include "platform/posix/posix_platform.h"

#include "automation/vb_error.h"
#include "sys_tools_impl.h"

namespace orbek {

PosixPlatform::PosixPlatform(Host host)
    : host_(std::move(host)),
      files_(WindowsPaths(host_.c_root)), platform_{host_.clock,
                                                    [this]() -> std::shared_ptr<SysTools> {
                                                        if (!host_.companion_available) {
                                                            throw VbError(vb::CannotCreateObject);
                                                        }
                                                        return std::make_shared<SysToolsImpl>(
                                                            companion_windows_);
                                                    },
                                                    host_.message_box, windows_, files_} {}

} // namespace orbek
