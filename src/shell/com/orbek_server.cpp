#include "orbek_server.h"

namespace orbek::server {
namespace {

std::shared_ptr<com::ThreadRecordBase> make_thread_record() {
    return std::make_shared<ThreadRecord>();
}

std::shared_ptr<ThreadRecord> calling_thread() {
    return std::static_pointer_cast<ThreadRecord>(com::calling_thread_record(make_thread_record));
}

} // namespace

OrbekServer::OrbekServer()
    : thread_(calling_thread()), object_(thread_->state, thread_->platform.platform()) {}

HRESULT OrbekServer::type_info(ITypeInfo** info) {
    return thread_->type_info.get(com::guid_of(OrbekDllInterface.interface_id), info);
}

} // namespace orbek::server
