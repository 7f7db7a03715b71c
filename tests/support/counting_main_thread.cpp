#include "counting_main_thread.h"

#include <utility>

namespace quexa::testing {

bool CountingMainThread::Send(Task task) {
    ++sends_;
    return PlainMainThread::Send(std::move(task));
}

}  // namespace quexa::testing
