#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/result_list.h"
#include "core/wait_state.h"
#include "tasks/trash.h"

namespace quexa::tasks {

// The result view's commands on the files and folders that Intranet items point to. Deleting
// goes through the desktop's trash, so that nothing a click removed is lost.
class TargetCommands {
  public:
    enum class Mode { Copy, Move, Delete };

    // The folder chooser's title; the window asks, these commands take the answer.
    static constexpr std::string_view kChooseFolderTitle = "Please select save directory!";
    static constexpr std::string_view kCopyCaption = "Copy Selected Target File/Folder!";
    static constexpr std::string_view kDeleteCaption = "Delete Select Target File/Folder !";
    static constexpr std::string_view kWorkingText = "Copying ... ...";

    struct Options {
        bool operateFiles = true;
        bool operateFolders = true;
    };

    // The wait window's state may be null. processPending, when given, runs after each row.
    TargetCommands(Trash& trash, core::WaitState* wait = nullptr,
                   std::function<void()> processPending = {})
        : trash_(trash), wait_(wait), processPending_(std::move(processPending)) {}

    // A folder is a directory and nothing else: a read-only or hidden folder or a link to one
    // counts as a file, as does a target that is not there.
    static bool IsFolderTarget(const std::string& path);
    // A search for the target finds it (a broken link included).
    static bool TargetExists(std::string_view location);
    // The destination of a copy: the folder, a separator and the target's own name.
    static std::string DestinationIn(std::string_view folder, std::string_view location);

    // One trailing separator is dropped from each path. A file is copied without replacing
    // anything and moved without replacing anything; a folder is copied whole, without
    // replacing a file that is there. Deleting moves either to the trash.
    bool Operate(const std::string& source, const std::string& destination, Mode mode);

    bool CopyCurrentTarget(const core::ResultList& list, std::size_t row, std::string_view folder);
    // Returns the targets copied; stops before the next row once the wait window is cancelled.
    std::size_t CopyAllSelectedTargets(const core::ResultList& list, std::string_view folder,
                                       Options options);
    // The row goes when its target went, without the location set's upkeep and without
    // marking the list modified.
    bool DeleteCurrentTarget(core::ResultList& list, std::size_t row);
    // Returns the targets deleted; the rows stay (Delete Selected follows in the window).
    std::size_t DeleteAllSelectedTargets(const core::ResultList& list, Options options);

  private:
    template <typename Each>
    std::size_t ForEachSelected(const core::ResultList& list, std::string_view caption, Each each);

    Trash& trash_;
    core::WaitState* wait_;
    std::function<void()> processPending_;
};

}  // namespace quexa::tasks
