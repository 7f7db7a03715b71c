#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "core/status_code.h"
#include "tasks/task_channel.h"
#include "tasks/verify_buffer.h"

namespace quexa::tasks {

// Checks one location after another: asks for its headers, maps the status code to a result
// and hands it to the user-interface thread, which refills the buffer or empties it.
class VerifyWorker {
  public:
    // Runs on the user-interface thread while the worker waits. No result when a stop cut the
    // check short: that says nothing about the location.
    using ResultHandler =
        std::function<void(VerifyBuffer& buffer, std::optional<core::StatusCode> result)>;

    VerifyWorker(std::shared_ptr<TaskChannel> channel, std::shared_ptr<VerifyBuffer> buffer,
                 ResultHandler onResult);

    // The thread routine.
    void Run();

  private:
    std::shared_ptr<TaskChannel> channel_;
    std::shared_ptr<VerifyBuffer> buffer_;
    ResultHandler onResult_;
};

}  // namespace quexa::tasks
