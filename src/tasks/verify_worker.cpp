#include "tasks/verify_worker.h"

#include <mutex>
#include <string>
#include <utility>

#include "web/http_session.h"
#include "web/verification_result.h"

namespace quexa::tasks {

VerifyWorker::VerifyWorker(std::shared_ptr<TaskChannel> channel,
                           std::shared_ptr<VerifyBuffer> buffer, ResultHandler onResult)
    : channel_(std::move(channel)), buffer_(std::move(buffer)), onResult_(std::move(onResult)) {}

void VerifyWorker::Run() {
    web::HttpSession session(channel_->HttpSettings());
    while (!buffer_->location.empty()) {
        const std::string location = buffer_->location;
        session.QueryRawHeaders(location);
        std::optional<core::StatusCode> result;
        if (channel_->runFlag.load() == 1) {
            result = web::VerificationResult(session.StatusCode());
        }
        const std::lock_guard lock(channel_->notifyLock);
        const bool handled = channel_->mainThread().Send(
            [this, result] { onResult_(*buffer_, result); });
        if (!handled) {
            break;  // nobody is left to hand out locations
        }
    }
}

}  // namespace quexa::tasks
