#pragma once

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <memory>
#include <optional>
#include <string_view>

#include "core/app_folders.h"
#include "core/profile.h"
#include "core/result_list.h"
#include "core/settings_cache.h"
#include "core/wait_state.h"
#include "tasks/coalesced_refresh.h"
#include "tasks/command_rules.h"
#include "tasks/fast_info_reader.h"
#include "tasks/result_document.h"
#include "tasks/search_mode.h"
#include "tasks/task_control.h"
#include "tasks/tip_of_day.h"
#include "ui/frame_services.h"
#include "ui/qt_prompter.h"

class QAction;
class QDockWidget;
class QMenu;

namespace quexa::ui {

class BusyAnimation;
class ColumnChooser;
class DesktopUrlLauncher;
class EngineBar;
class FastInfoBar;
class FrameStatusBar;
class QtMainThread;
class QtTaskHost;
class TipDialog;
class WelcomeWindow;
class ResultListView;
class ResultView;
class WaitWindow;

// The main window: the result list in the middle, the left bar, the fast information bar, the
// engine bar, the field manager, the toolbar with its busy animation, the status bar and every
// menu; it runs the tasks through the task control and closes only when no task runs and the
// list's changes were saved or given up.
class MainFrame : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Quexa 1.03";
    static constexpr const char* kWarningText =
        "  The Search/Verify task is running, can\nnot exit, please stop task first!";

    // The profile outlives the window.
    MainFrame(core::Profile& profile, core::AppFolders folders, FrameServices services = {},
              QWidget* parent = nullptr);
    ~MainFrame() override;
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    // New Search of the Task menu: the mode dialog and its wizard; with a mode, the search of
    // that mode the profile describes, without dialogs.
    void NewSearch(std::optional<tasks::SearchMode> mode = std::nullopt);
    // The tip of the day, when Tip / StartUp asks for it at start-up. It does not hold the
    // window up: the person may start working, or close the program, with it open.
    void ShowStartUpTip();
    // Opens a result file named on the command line (only names ending in "qzr").
    void OpenFromCommandLine(std::string_view argument);
    // Runs a command as its menu entry or toolbar button would, if it is enabled.
    void Run(tasks::Command command);
    // What the menus and the toolbar show for the commands now.
    tasks::CommandContext Describe() const;
    // Sets every action's enabled and checked state from the command rules.
    void RefreshCommandStates();

    // The action of a command of the menus or the toolbar; null for the view's own commands.
    QAction* Action(tasks::Command command) const;
    ResultView& View() { return *view_; }
    ResultListView& ListView();
    tasks::TaskControl& Control() { return *control_; }
    tasks::ResultDocument& Document() { return *document_; }
    core::ResultList& List() { return list_; }
    EngineBar& Engines() { return *engineBar_; }
    FastInfoBar& FastInfo() { return *fastInfoBar_; }
    FrameStatusBar& Status() { return *statusBar_; }
    QDockWidget& LeftBar() { return *leftDock_; }
    QDockWidget& FastInfoDock() { return *fastInfoDock_; }
    QDockWidget& EngineDock() { return *engineDock_; }
    QDockWidget& FieldManagerDock() { return *fieldDock_; }
    BusyAnimation& Busy() { return *busy_; }
    QtMainThread& MainThread() { return *mainThread_; }
    // Runs a wanted refresh of the fast information bar now (tests; closing).
    void FlushFastInfo() { fastInfoRefresh_.Flush(); }
    // How often the fast information bar was filled (tests: many requests, few refreshes).
    int FastInfoRefreshes() const { return fastInfoRefreshes_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void LoadSettings();
    void BuildView();
    void BuildDocks();
    void BuildActions();
    void BuildMenus();
    void BuildToolbar();
    void BuildHost();
    void ApplyFirstShow();
    QDockWidget* AddDock(const QString& title, QWidget* content, Qt::DockWidgetArea area);

    void RunTaskCommand(tasks::Command command);
    void RunToggle(tasks::Command command);
    void RunHelpCommand(tasks::Command command);
    bool RunListCommand(tasks::Command command);
    void ShowTipOfDay();
    void TogglePreview();
    void ShowLeftBar(bool shown);
    void ShowFastInfoBar(bool shown);
    void ShowEngineBar(bool shown);
    void RefreshFastInfo();
    void ScrollToTop(std::size_t row);
    // Writes a bar's size when a drag changed it.
    void StoreBarSizes();

    core::Profile& profile_;
    core::AppFolders folders_;
    core::SettingsCache cache_;
    core::ResultList list_;
    std::shared_ptr<QtMainThread> mainThread_;
    QtPrompter prompter_;
    core::WaitState waitState_;
    WaitWindow* waitWindow_;
    // The bars belong to the window; the task host shows the task in them.
    EngineBar* engineBar_;
    FastInfoBar* fastInfoBar_;
    FrameStatusBar* statusBar_;
    BusyAnimation* busy_;
    QDockWidget* leftDock_ = nullptr;
    QDockWidget* separatorDock_ = nullptr;
    QDockWidget* fastInfoDock_ = nullptr;
    QDockWidget* engineDock_ = nullptr;
    QDockWidget* fieldDock_ = nullptr;
    std::unique_ptr<QtTaskHost> host_;
    std::unique_ptr<tasks::TaskControl> control_;
    std::unique_ptr<tasks::ResultDocument> document_;
    std::unique_ptr<DesktopUrlLauncher> urlLauncher_;
    FrameServices services_;
    ResultView* view_ = nullptr;
    ColumnChooser* columnChooser_ = nullptr;
    tasks::TipOfDay tips_;
    tasks::FastInfoReader fastInfoReader_;
    tasks::CoalescedRefresh fastInfoRefresh_;
    std::map<tasks::Command, QAction*> actions_;
    std::map<tasks::Command, QMenu*> menuOf_;
    // Windows that go with the frame when it closes.
    QPointer<TipDialog> startUpTip_;
    QPointer<WelcomeWindow> welcome_;
    int fastInfoRefreshes_ = 0;
    bool firstShow_ = true;
    bool leftBarShown_ = true;
    bool fastInfoShown_ = true;
};

}  // namespace quexa::ui
