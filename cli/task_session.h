#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/command_context.h"
#include "cli/console_prompter.h"
#include "cli/console_task_host.h"
#include "cli/progress_line.h"
#include "cli/stop_request.h"
#include "core/app_folders.h"
#include "core/plain_main_thread.h"
#include "core/result_list.h"
#include "core/settings_cache.h"
#include "platform/settings_store.h"
#include "tasks/result_document.h"
#include "tasks/task_control.h"

namespace quexa::cli {

// What a window would hold while a task runs, for one command: the profile and folders, the
// result list, the user-interface thread (this one) and the task control over them.
class TaskSession {
  public:
    // The password answers the prompt of a protected result file.
    TaskSession(const CommandContext& context, std::optional<std::string> password);
    ~TaskSession();
    TaskSession(const TaskSession&) = delete;
    TaskSession& operator=(const TaskSession&) = delete;

    // Runs the user-interface thread's queue until the task (and the verification it may
    // start) has ended and its workers are gone. A Ctrl-C stops the task; true when one did.
    bool RunToEnd(const StopRequest& stop);
    // Writes the list as a result file of the task that made it, replacing what is there; says
    // so on stderr if it can't.
    bool SaveList(const std::string& path);

    platform::SettingsStore& profile() { return *profile_; }
    const core::AppFolders& folders() const { return folders_; }
    const core::SettingsCache& cache() const { return cache_; }
    core::ResultList& list() { return list_; }
    ProgressLine& line() { return line_; }
    ConsoleTaskHost& host() { return host_; }
    ConsolePrompter& prompter() { return prompter_; }
    tasks::TaskControl& control() { return *control_; }
    core::PlainMainThread& mainThread() { return *mainThread_; }

  private:
    std::unique_ptr<platform::SettingsStore> profile_;
    core::AppFolders folders_;
    core::SettingsCache cache_;
    core::ResultList list_;
    std::shared_ptr<core::PlainMainThread> mainThread_;
    ProgressLine line_;
    ConsoleTaskHost host_;
    ConsolePrompter prompter_;
    std::unique_ptr<tasks::TaskControl> control_;
    std::unique_ptr<tasks::ResultDocument> document_;
};

}  // namespace quexa::cli
