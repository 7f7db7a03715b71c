#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/answering_prompter.h"
#include "cli/command_context.h"
#include "cli/console_prompter.h"
#include "cli/console_task_host.h"
#include "cli/progress_line.h"
#include "cli/wait_line.h"
#include "core/plain_main_thread.h"
#include "core/result_list.h"
#include "core/settings_cache.h"
#include "core/wait_state.h"
#include "platform/settings_store.h"
#include "tasks/result_document.h"
#include "tasks/task_state.h"

namespace quexa::cli {

// What the result view holds for the file commands: the profile, the list, the current file
// with its questions on stderr, and the wait window as the progress line.
class FileSession {
  public:
    // The password answers the prompt of a protected file; answerYes answers every question
    // with Yes.
    FileSession(const CommandContext& context, std::optional<std::string> password,
                bool answerYes = false);
    FileSession(const FileSession&) = delete;
    FileSession& operator=(const FileSession&) = delete;

    tasks::ResultDocument& document() { return document_; }
    core::ResultList& list() { return list_; }
    tasks::TaskState& state() { return state_; }
    ProgressLine& line() { return line_; }

  private:
    std::unique_ptr<platform::SettingsStore> profile_;
    core::SettingsCache cache_;
    core::ResultList list_;
    std::shared_ptr<core::PlainMainThread> mainThread_;
    ProgressLine line_;
    ConsoleTaskHost host_;
    ConsolePrompter console_;
    AnsweringPrompter prompter_;
    tasks::TaskState state_;
    core::WaitState wait_;
    WaitLine waitLine_;
    tasks::ResultDocument document_;
};

}  // namespace quexa::cli
