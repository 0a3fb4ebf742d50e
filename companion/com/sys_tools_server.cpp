#include "sys_tools_server.h"

namespace orbek::com {
namespace {

std::shared_ptr<ThreadRecordBase> make_thread_record() {
    return std::make_shared<CompanionThread>();
}

} // namespace

SysToolsServer::SysToolsServer()
    : thread_(
          std::static_pointer_cast<CompanionThread>(calling_thread_record(make_thread_record))) {}

HRESULT SysToolsServer::type_info(ITypeInfo** info) {
    return thread_->type_info.get(guid_of(SysToolsInterface.interface_id), info);
}

} // namespace orbek::com
