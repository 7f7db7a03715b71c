#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "files/folder_search.h"
#include "files/mount_table.h"
#include "tasks/task_runtime.h"

namespace quexa::tasks {

// The Intranet search task: folders and network shares walked for names matching wildcard
// patterns, every match an item. It runs on the user-interface thread and lets pending work
// run before every directory entry, so that Stop Task can end it between two entries.
class IntranetSearch : private files::FolderSearch::Listener {
  public:
    // The text of the mount table; the system's unless a test gives its own.
    using MountsSource = std::function<std::string()>;
    using SaveList = std::function<void()>;

    static constexpr std::string_view kCannotStartMessage =
        "Canno't start search task!\nIf you start an internet task , please \nconfirm scheme is "
        "existed!\nIf you start an intranet task, please check\nwhether your computer is online!";
    static constexpr std::string_view kWrongPatternMessage =
        "Error:\nThe key you have input wrong!\netc:\nIntranet Search: *.txt;*.exe; "
        "*.*\nInternet Search: Software , news";
    static constexpr std::string_view kEnumeratingText =
        "Enumming Net Resource, please stand by ... ...";
    static constexpr std::string_view kReadyText = "Ready";

    // The note at the end of a search that met files whose paths do not fit the location
    // field: cut, they would name another file (or none), and verification would delete them.
    static std::string TooLongMessage(std::size_t files);

    explicit IntranetSearch(TaskRuntime& runtime);

    void SetMountsSource(MountsSource source) { mountsSource_ = std::move(source); }
    // The auto save of the result list; without one nothing is saved.
    void SetAutoSave(SaveList save) { autoSave_ = std::move(save); }

    // False when there was no target to search.
    bool StartIntranetSearch(std::string_view patternText, std::string_view targetText,
                             bool append);
    // The targets of the text; without any, the network shares the person confirms.
    std::vector<std::string> CollectSearchTargets(std::string_view targetText);

    // Each part before a ";", also an empty one, and the text after the last ";" if any.
    static std::vector<std::string> SplitTargets(std::string_view text);
    // The full-width semicolon counts as ";".
    static std::string WithPlainSemicolons(std::string_view text);

  private:
    void SearchTargets(std::string_view patternText, const std::vector<std::string>& targets);
    bool KeepGoing() override;
    void EnterFolder(std::string_view folder) override;
    void Found(const files::FolderSearch::Match& match) override;
    void AutoSave();
    void ReportTooLong();

    TaskRuntime& runtime_;
    MountsSource mountsSource_;
    SaveList autoSave_;
    files::MountTable mounts_;
    std::string computer_;
    bool autoSaveOn_ = false;
    int autoSaveEvery_ = 0;
    int addedSinceSave_ = 0;
    // Hashes of the matched paths too long to list: an entry matching two patterns counts once.
    std::unordered_set<std::size_t> tooLong_;
};

}  // namespace quexa::tasks
