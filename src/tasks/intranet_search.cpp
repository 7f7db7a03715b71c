#include "tasks/intranet_search.h"

#include <algorithm>
#include <utility>

#include "core/settings_table.h"
#include "core/text.h"
#include "files/file_description.h"
#include "files/pattern_list.h"

namespace quexa::tasks {
namespace {

constexpr std::string_view kWideSemicolon = "\xEF\xBC\x9B";

}  // namespace

IntranetSearch::IntranetSearch(TaskRuntime& runtime)
    : runtime_(runtime), mountsSource_(&files::MountTable::ReadSystemText) {}

bool IntranetSearch::StartIntranetSearch(std::string_view patternText, std::string_view targetText,
                                         bool append) {
    TaskEnvironment& env = runtime_.env;
    TaskState& state = runtime_.state;
    state.searchMode = TaskState::kIntranetMode;
    state.currentQuery = std::string(patternText);
    state.searchTarget = std::string(targetText);
    const std::string target = WithPlainSemicolons(targetText);
    mounts_ = files::MountTable::Parse(mountsSource_ ? mountsSource_() : std::string());

    const std::vector<std::string> targets = CollectSearchTargets(target);
    if (targets.empty()) {
        env.host.ShowError(kCannotStartMessage);
        state.taskRunning = false;
        return false;
    }
    if (!append && !env.list.Empty()) {
        env.list.DeleteAll();
    }
    env.host.SetBusy(true);
    // No worker starts here, so nothing else would clear the mark of an earlier hang-up, and
    // the task would end without its closing steps.
    state.hangUpShown = false;
    state.taskRunning = true;
    state.searchTarget = target;
    state.currentFile.clear();
    env.host.RefreshFastInfo();

    {
        const core::BusyState::Scope searching(*env.busy, core::BusyWork::IntranetSearch);
        SearchTargets(patternText, targets);
    }

    env.host.SetStatusText(kReadyText);
    // A stop has already run the end of the task while the search was inside its wait.
    if (state.taskRunning) {
        runtime_.finishTask();
    }
    return true;
}

std::vector<std::string> IntranetSearch::CollectSearchTargets(std::string_view targetText) {
    if (!targetText.empty()) {
        std::vector<std::string> targets = SplitTargets(targetText);
        if (!targets.empty()) {
            return targets;
        }
    }
    std::vector<std::string> shares = mounts_.ShareNames();
    if (shares.empty()) {
        return {};
    }
    TaskHost& host = runtime_.env.host;
    host.OpenWait(kEnumeratingText);
    host.SetWaitProgress(static_cast<int>(shares.size()), static_cast<int>(shares.size()));
    host.CloseWait();
    return host.ConfirmNetworkResources(shares);
}

std::vector<std::string> IntranetSearch::SplitTargets(std::string_view text) {
    std::vector<std::string> targets;
    for (std::size_t cut = text.find(';'); cut != std::string_view::npos; cut = text.find(';')) {
        targets.emplace_back(text.substr(0, cut));
        text.remove_prefix(cut + 1);
    }
    if (!text.empty()) {
        targets.emplace_back(text);
    }
    return targets;
}

std::string IntranetSearch::WithPlainSemicolons(std::string_view text) {
    return core::ReplaceAll(text, kWideSemicolon, ";");
}

void IntranetSearch::SearchTargets(std::string_view patternText,
                                   const std::vector<std::string>& targets) {
    TaskEnvironment& env = runtime_.env;
    const files::PatternList patterns = files::PatternList::Parse(patternText);
    if (files::PatternList::IsBlank(patternText) || patterns.Empty()) {
        env.prompter.Tell(core::Prompter::Title::Warrning, kWrongPatternMessage);
        return;
    }
    autoSaveOn_ = core::settings::kAutoSave.ReadFlag(env.profile);
    autoSaveEvery_ = core::settings::kAutoSaveCount.Read(env.profile);
    files::FolderSearch search(patterns, mounts_, *this, true);
    for (const std::string& target : targets) {
        search.SearchTarget(target);
        env.mainThread->ProcessPending();
        if (!runtime_.state.taskRunning) {
            return;
        }
    }
}

bool IntranetSearch::KeepGoing() {
    runtime_.env.mainThread->ProcessPending();
    return runtime_.state.taskRunning;
}

void IntranetSearch::EnterFolder(std::string_view folder) {
    computer_ = mounts_.ComputerOfPath(folder);
    runtime_.env.host.SetStatusText(folder);
}

void IntranetSearch::Found(const files::FolderSearch::Match& match) {
    TaskEnvironment& env = runtime_.env;
    if (env.list.Locations().Contains(match.location)) {
        return;
    }
    const std::string name(match.name);
    core::ResultItem item;
    item.title = name;
    item.location = std::string(match.location);
    item.searchTarget = computer_;
    item.preview =
        (match.description != nullptr ? *match.description
                                      : files::FileDescription::Read(match.folderFd, name.c_str()))
            .Text();
    item.status = core::StatusCode::Reachable;
    item.visit = core::VisitCode::WithoutVisit;
    item.selected = false;
    item.previewHeight = env.cache.previewHeight;
    env.list.AddItem(static_cast<std::ptrdiff_t>(env.list.Count()), std::move(item));
    const std::size_t keep = static_cast<std::size_t>(std::max(env.cache.autoScrollCount, 0));
    if (env.cache.autoScroll && env.list.Count() > keep) {
        env.host.ScrollToTop(env.list.Count() - keep);
    }
    env.host.RefreshFastInfo();
    AutoSave();
}

void IntranetSearch::AutoSave() {
    ++addedSinceSave_;
    if (autoSaveOn_ && addedSinceSave_ > autoSaveEvery_) {
        if (autoSave_) {
            autoSave_();
        }
        addedSinceSave_ = 0;
    }
}

}  // namespace quexa::tasks
