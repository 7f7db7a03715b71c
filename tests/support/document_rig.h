#pragma once

#include <memory>

#include "core/memory_profile.h"
#include "core/plain_main_thread.h"
#include "core/result_list.h"
#include "core/settings_cache.h"
#include "core/wait_state.h"
#include "null_task_host.h"
#include "scripted_prompter.h"
#include "tasks/result_document.h"
#include "tasks/task_control.h"
#include "temp_folder.h"

namespace quexa::testing {

// What a window gives the parts it holds: a home folder, the profile, the list with its task
// control and current file, the wait state, and a prompter that answers as scripted.
struct DocumentRig {
    ~DocumentRig() { mainThread->Shutdown(); }

    TempFolder home;
    core::MemoryProfile profile;
    core::SettingsCache cache;
    core::ResultList list;
    std::shared_ptr<core::PlainMainThread> mainThread = std::make_shared<core::PlainMainThread>();
    NullTaskHost host;
    ScriptedPrompter prompter;
    tasks::TaskEnvironment environment{list, profile, cache, mainThread, host, prompter};
    tasks::TaskControl control{environment};
    core::WaitState wait;
    tasks::ResultDocument document{environment, control.state(), &wait};
};

}  // namespace quexa::testing
