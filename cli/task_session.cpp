#include "cli/task_session.h"

#include <chrono>
#include <iostream>

#include "cli/settings_loader.h"
#include "core/result_item.h"
#include "core/settings_table.h"
#include "files/result_file.h"
#include "platform/app_folder_locator.h"

namespace quexa::cli {
namespace {

// How often the loop looks for a Ctrl-C while no worker message arrives.
constexpr std::chrono::milliseconds kPollInterval{50};

}  // namespace

TaskSession::TaskSession(const CommandContext& context, std::optional<std::string> password)
    : profile_(OpenProfile(context)),
      folders_(LocateFolders(context)),
      mainThread_(std::make_shared<core::PlainMainThread>()),
      line_(ProgressLine::ForStderr()),
      host_(line_),
      prompter_(line_, std::move(password)) {
    platform::AppFolderLocator::EnsureDataDirectory(folders_);
    cache_.appDirectory = folders_.appDirectory;
    cache_.dataDirectory = folders_.dataDirectory;
    cache_.LoadProxy(*profile_);
    cache_.LoadViewSettings(*profile_);
    cache_.previewVisible = core::settings::kPreview.ReadFlag(*profile_);
    cache_.previewHeight = core::ResultItem::PreviewHeightFor(cache_.previewVisible ? 1 : 0);
    // There is no dial-up connection to hang up from here.
    cache_.hangUpWhenFinished = false;
    control_ = std::make_unique<tasks::TaskControl>(
        tasks::TaskEnvironment{list_, *profile_, cache_, mainThread_, host_, prompter_});
}

TaskSession::~TaskSession() {
    control_.reset();
    // Workers let go after a stop may still ask the queue for something; release them.
    mainThread_->Shutdown();
}

bool TaskSession::RunToEnd(const StopRequest& stop) {
    bool stopped = false;
    while (!control_->Idle() || control_->ReleaseEndedWorkers() > 0) {
        if (stop.Requested() && !stopped) {
            stopped = true;
            line_.Message("Note: stopping the task (Ctrl-C again quits at once)");
            control_->StopTask();
            continue;
        }
        mainThread_->WaitAndProcess(kPollInterval);
    }
    line_.Clear();
    return stopped || stop.Requested();
}

bool TaskSession::SaveList(const std::string& path) {
    const tasks::TaskState& state = control_->state();
    files::ResultFileHeader header;
    header.mode = state.searchMode;
    header.keywords = state.currentQuery;
    header.searchTarget = state.searchTarget;
    header.author = cache_.authorName;
    if (!files::WriteResultFile(path, list_, header)) {
        std::cerr << "Error: can't save " << path << "\n";
        return false;
    }
    list_.ClearModified();
    return true;
}

}  // namespace quexa::cli
