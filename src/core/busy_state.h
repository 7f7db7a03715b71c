#pragma once

#include <functional>
#include <vector>

namespace quexa::core {

// The long loops that run on the user-interface thread and let pending events run meanwhile:
// a person can still reach the menus then, so each says which commands must wait.
enum class BusyWork { None, Loading, Saving, IntranetSearch, StopWait, Sorting };

// The commands of the main window and the result view that a busy loop may refuse.
enum class Command {
    Exit,
    NewSearch,
    VerifyResult,
    StopTask,
    Open,
    // The file manager's Open (the view's message).
    OpenRequested,
    Import,
    Save,
    SaveAs,
    CloseCurrentFile,
    Export,
    Summarize,
    Sort,
    AddItem,
    EditItem,
    DeleteCurrent,
    DeleteSelected,
    DeleteAll,
    // Every selection command and a click on a check box.
    Select,
    // Browser Target, Open Dir and Browser All Selected: they write the status and visit cells.
    BrowseTarget,
    CopyTarget,
    DeleteTarget,
    // Reading commands (copying texts, Options, help, the bars) are never refused.
    CopyItem,
    Options,
};

// Whether the command must wait while that work runs. During an Intranet search the list may
// be edited and the search stopped, as during any other task; everything that loads, saves,
// exports, sorts, starts a task or ends the program waits for every busy loop. Editing the list
// waits for the other loops: they read or reorder its rows.
bool Refuses(BusyWork work, Command command);

// What runs now. One per window; the loops set it with a Scope. Used on the user-interface
// thread only.
class BusyState {
  public:
    using Task = std::function<void()>;

    // Marks the work for its lifetime; a loop started inside another restores the outer one.
    class Scope {
      public:
        Scope(BusyState& state, BusyWork work);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        BusyState& state_;
        BusyWork outer_;
    };

    BusyWork Current() const { return current_; }
    bool IsBusy() const { return current_ != BusyWork::None; }
    bool Refuses(Command command) const { return core::Refuses(current_, command); }

    // While a sort works out the new order on another thread nothing may change the rows: work
    // arriving then (a search's drain, a stop) waits and runs once the order is applied. True
    // when the task was kept for later; false when it may run now.
    bool DeferWhileSorting(Task task);

  private:
    void End(BusyWork outer);

    BusyWork current_ = BusyWork::None;
    std::vector<Task> deferred_;
};

}  // namespace quexa::core
