#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/prompter.h"
#include "core/wait_state.h"
#include "files/result_file.h"
#include "tasks/task_environment.h"
#include "tasks/task_state.h"

namespace quexa::tasks {

// The result view's current file: Save, Save as ..., Open, Close Current File, opening a file
// the file manager chose, the exit prompt and the auto save, with their questions and
// messages. Mode, key words, search target and the current file path are those of the task
// state; the rest of the file's state lives here. Used on the user-interface thread only.
class ResultDocument {
  public:
    static constexpr std::string_view kSaveQuestion = "Do you want save ?";
    static constexpr std::string_view kOperatorFailed =
        "Operator failed!\nAn unknown error occupy!";
    static constexpr std::string_view kCreateFileFailed =
        "Create file failed!\nPlease check your power of disk \nspace!";
    static constexpr std::string_view kFileInUse =
        "The select file is in use,\nplease select again!";
    static constexpr std::string_view kFileExists =
        "The file is existed\n\ndo you want overlay it?";
    static constexpr std::string_view kCloseFirst = "An file is openning,whether close \nit first?";
    static constexpr std::string_view kOpenCaption = "Open Quexa Result File";
    static constexpr std::string_view kOpenFilter = "Quexa Result(*.qzr)|*.qzr||";
    static constexpr std::string_view kExtension = "qzr";
    // Below the writable data folder; the header names a file in it.
    static constexpr std::string_view kStateFolder = "Temp/wan/broken";

    // The wait window's state may be null: nothing is shown then.
    ResultDocument(TaskEnvironment environment, TaskState& state, core::WaitState* wait = nullptr);

    // Each is false when nothing was saved or opened.
    // The Save File dialog is asked for a path (a folder and a name; ".qzr" is added) when the
    // list is untitled.
    bool Save();
    bool SaveAs();
    // Save as ... with the path already chosen, extension included.
    bool SaveTo(const std::string& path);
    // Writes the list to path, replacing what is there without a question, and makes it the
    // current file: quexa-cli's --save of a search.
    bool SaveUnasked(const std::string& path);
    // Without a path the open dialog asks for one.
    bool Open(std::optional<std::string> path = std::nullopt);
    // Only a name ending in "qzr", in any letter case, is opened.
    bool OpenFromCommandLine(std::string_view argument);
    // The file manager's Open: the file waits until OpenRequested runs.
    void RequestOpen(std::string path) { pendingOpen_ = std::move(path); }
    bool OpenRequested();
    // Loads a file behind the rows already listed and makes it the current file; also Import's
    // load, with append set. The password is not asked here.
    bool Load(const std::string& path, bool append);
    // Import: the Save File dialog in open mode asks for a folder and a name, the password of
    // a protected file is asked, then Load with append. The list stays marked modified.
    bool Import();
    // False when the list is still there: the person declined, or the wanted save failed.
    bool CloseCurrentFile();
    // True when the program may close.
    bool ConfirmExit();
    // Called after every item the Intranet search adds.
    void AutoSave();
    // True when a save may write the path; asks before replacing another file.
    bool CheckOverwrite(const std::string& path);
    void ResetToFreeList();
    // The Add command puts items into the list by hand.
    void MarkListInUse() { listInUse_ = true; }

    bool listInUse() const { return listInUse_; }
    const std::string& statePath() const { return statePath_; }
    const std::string& pendingOpen() const { return pendingOpen_; }
    int autoSaveCounter() const { return autoSaveCounter_; }
    // The messages of a load that failed: which depends on how it failed.
    static void TellLoadFailure(files::LoadOutcome outcome, core::Prompter& prompter);
    // What a save of the list to path would put in the header.
    files::ResultFileHeader HeaderFor(const std::string& path) const;

  private:
    // The outcome of "Do you want save ?": Stopped after Cancel or a save that did not happen.
    enum class SaveOffer { NotNeeded, Saved, Declined, Stopped };

    // Saving, loading, a stop wait and a sort let pending work run, which must not start a
    // save or a load.
    bool Busy() const;
    SaveOffer OfferSave(core::Prompter::Buttons buttons);
    bool SaveUntitled();
    bool WriteTo(const std::string& path);
    void TakeOverHeader(const files::ResultFileHeader& header);
    std::string StatePathFor(std::string_view name) const;
    void RestoreStateFile() const;
    void RemoveStateBackup() const;
    files::FileProgress Progress() const;
    core::Prompter& prompter() { return env_.prompter; }

    TaskEnvironment env_;
    TaskState& state_;
    core::WaitState* wait_;
    bool listInUse_ = false;
    std::string statePath_;
    std::string pendingOpen_;
    // The file the list was last loaded from or saved to: its password and note are kept when
    // the list is saved there again.
    std::string origin_;
    int autoSaveCounter_ = 0;
};

}  // namespace quexa::tasks
