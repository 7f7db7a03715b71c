#include "tasks/task_runtime.h"

namespace quexa::tasks {

std::shared_ptr<TaskChannel> TaskRuntime::OpenChannel() {
    web::HttpSettings http;
    http.proxyEnabled = env.cache.proxyEnabled;
    http.proxyAddress = env.cache.proxyAddress;
    http.contact = env.cache.contact;
    http.timeoutSeconds = timeoutSeconds;
    channel = std::make_shared<TaskChannel>(env.mainThread, env.list.SharedLocations(), http);
    return channel;
}

}  // namespace quexa::tasks
