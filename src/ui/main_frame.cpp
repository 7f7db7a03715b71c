#include "ui/main_frame.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QFrame>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "core/settings_table.h"
#include "platform/app_folder_locator.h"
#include "platform/desktop_opener.h"
#include "platform/desktop_trash.h"
#include "tasks/main_menu.h"
#include "tasks/window_placement.h"
#include "ui/about_dialog.h"
#include "ui/busy_animation.h"
#include "ui/column_chooser.h"
#include "ui/desktop_url_launcher.h"
#include "ui/engine_bar.h"
#include "ui/engine_bar_model.h"
#include "ui/fast_info_bar.h"
#include "ui/file_manager/file_manager_pane.h"
#include "ui/frame_status_bar.h"
#include "ui/options/options_sheet.h"
#include "ui/qt_clipboard.h"
#include "ui/qt_main_thread.h"
#include "ui/qt_task_host.h"
#include "ui/result_list_view.h"
#include "ui/result_view.h"
#include "ui/tip_dialog.h"
#include "ui/toolbar_pictures.h"
#include "ui/wait_window.h"
#include "ui/welcome_window.h"
#include "ui/wizards/new_search_dialogs.h"

namespace quexa::ui {
namespace {

using tasks::Command;
namespace settings = core::settings;

constexpr const char* kDocumentTitle = "Quexa";
constexpr const char* kWarningTitle = "Warnning:";
// Our own addresses; the .example domain is reserved and reaches nobody else.
constexpr std::string_view kBugReportLink = "mailto:bugs@quexa.example?subject=Quexa%201.03";
constexpr std::string_view kWebAddress = "https://quexa.example/";
constexpr std::string_view kHelpPage = "/help/index.html";
constexpr const char* kNothingSearched =
    "Nothing was searched: the scheme selects no engine, or its files can't be read";
constexpr int kSeparatorHeight = 12;
// The toolbar's animation is about as tall as its buttons.
constexpr QSize kToolbarBusySize(32, 29);

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MainFrame::MainFrame(core::Profile& profile, core::AppFolders folders, FrameServices services,
                     QWidget* parent)
    : QMainWindow(parent),
      profile_(profile),
      folders_(std::move(folders)),
      mainThread_(std::make_shared<QtMainThread>()),
      prompter_(this, QString::fromStdString(folders_.dataDirectory + "/Data")),
      waitWindow_(new WaitWindow(waitState_, this)),
      engineBar_(new EngineBar),
      fastInfoBar_(new FastInfoBar),
      statusBar_(new FrameStatusBar),
      busy_(new BusyAnimation),
      urlLauncher_(std::make_unique<DesktopUrlLauncher>()),
      services_(std::move(services)),
      tips_(profile_, std::filesystem::path(folders_.appDirectory) / tasks::TipOfDay::kFileName),
      fastInfoRefresh_(
          [this](tasks::CoalescedRefresh::Run run) { QTimer::singleShot(0, this, std::move(run)); },
          [this] { RefreshFastInfo(); }) {
    setWindowTitle(QString::fromLatin1(kDocumentTitle));
    platform::AppFolderLocator::EnsureDataDirectory(folders_);
    LoadSettings();
    BuildHost();
    BuildView();
    BuildDocks();
    BuildActions();
    BuildMenus();
    BuildToolbar();
    RefreshCommandStates();
    RefreshFastInfo();
}

MainFrame::~MainFrame() {
    // The view's model observes the list: it goes before the list does.
    delete columnChooser_;
    delete view_;
    document_.reset();
    control_.reset();
    // Workers let go after a stop may still ask the queue for something; release them.
    mainThread_->Shutdown();
}

void MainFrame::LoadSettings() {
    cache_.LoadFrameSettings(profile_, folders_, std::nullopt);
    cache_.LoadViewSettings(profile_);
    leftBarShown_ = settings::kShowLeft.ReadFlag(profile_);
    fastInfoShown_ = settings::kShowFastInfo.ReadFlag(profile_);
    if (!services_.opener) {
        services_.opener =
            std::make_unique<platform::DesktopOpener>(cache_.browserPath, *urlLauncher_);
    }
    if (!services_.trash) {
        services_.trash = std::make_unique<platform::DesktopTrash>();
    }
    if (!services_.clipboard) {
        services_.clipboard = std::make_unique<QtClipboard>();
    }
}

void MainFrame::BuildHost() {
    host_ = std::make_unique<QtTaskHost>(QtTaskHost::Parts{
        .engineBar = *engineBar_,
        .statusBar = *statusBar_,
        .busy = *busy_,
        .wait = *waitWindow_,
        .prompter = prompter_,
        .dialogParent = this,
        .showEngineBar = [this](bool shown) { ShowEngineBar(shown); },
        .stateChanged = [this] { fastInfoRefresh_.Request(); },
        .scrollToTop = [this](std::size_t row) { ScrollToTop(row); },
    });
    const tasks::TaskEnvironment environment{list_,       profile_, cache_,
                                             mainThread_, *host_,   prompter_};
    control_ = std::make_unique<tasks::TaskControl>(environment);
    document_ =
        std::make_unique<tasks::ResultDocument>(environment, control_->state(), &waitState_);
}

void MainFrame::BuildView() {
    view_ = new ResultView(ResultViewContext{
        .list = list_,
        .profile = profile_,
        .cache = cache_,
        .prompter = prompter_,
        .control = *control_,
        .document = *document_,
        .wait = waitState_,
        .opener = *services_.opener,
        .trash = *services_.trash,
        .clipboard = *services_.clipboard,
        .dataDirectory = folders_.dataDirectory,
    });
    setCentralWidget(view_);
    connect(view_, &ResultView::ListChanged, this, [this] { fastInfoRefresh_.Request(); });
    connect(view_, &ResultView::CommandStatesChanged, this, &MainFrame::RefreshCommandStates);
    connect(view_, &ResultView::EditExportRuleRequested, this, [this] {
        OptionsSheet::Run(profile_, cache_, prompter_, OptionsSheet::Page::Export, this,
                          [this] { view_->ApplyAppearance(); });
    });
    setStatusBar(statusBar_);
    busy_->SetRunning(false);
}

ResultListView& MainFrame::ListView() {
    return view_->ListView();
}

QDockWidget* MainFrame::AddDock(const QString& title, QWidget* content, Qt::DockWidgetArea area) {
    auto* dock = new QDockWidget(title, this);
    dock->setObjectName(title);
    dock->setAccessibleName(title);
    // The View menu shows and hides the bars; they stay where the frame puts them.
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock->setWidget(content);
    addDockWidget(area, dock);
    return dock;
}

void MainFrame::BuildDocks() {
    auto* leftContent = new FileManagerPane(
        FileManagerContext{.dataFolder = folders_.dataDirectory,
                           .prompter = prompter_,
                           .trash = *services_.trash,
                           .state = control_->state(),
                           .openChosen =
                               [this](const std::string& path) {
                                   document_->RequestOpen(path);
                                   view_->OpenChosenFile();
                               },
                           .fileChanged = [this] { fastInfoRefresh_.Request(); },
                           .wait = &waitState_,
                           .processPending = [this] { mainThread_->ProcessPending(); }});
    leftDock_ = AddDock(QStringLiteral("Result File Manager"), leftContent, Qt::LeftDockWidgetArea);

    auto* separator = new QFrame;
    separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    separator->setFixedHeight(kSeparatorHeight);
    separatorDock_ = AddDock(QStringLiteral("Separator"), separator, Qt::LeftDockWidgetArea);
    separatorDock_->setTitleBarWidget(new QWidget);

    fastInfoDock_ =
        AddDock(QStringLiteral("Fast Information"), fastInfoBar_, Qt::LeftDockWidgetArea);
    engineDock_ = AddDock(QStringLiteral("Engine Progress"), engineBar_, Qt::BottomDockWidgetArea);
    engineDock_->hide();

    columnChooser_ = new ColumnChooser(ListView());
    columnChooser_->setAccessibleName(QStringLiteral("Column Manage"));
    fieldDock_ = AddDock(QStringLiteral("Column Manage"), columnChooser_, Qt::RightDockWidgetArea);
    fieldDock_->hide();
    connect(&ListView(), &ResultListView::ColumnsChanged, columnChooser_, &ColumnChooser::Refill);
    connect(&ListView(), &ResultListView::FieldManagerRequested, this,
            [this] { Run(Command::FieldManager); });
}

void MainFrame::BuildActions() {
    const tasks::CommandContext nothing;
    auto add = [this, &nothing](Command command) {
        if (actions_.contains(command)) {
            return;
        }
        auto* action = new QAction(FromView(tasks::InfoOf(command).text), this);
        action->setIconText(FromView(tasks::CaptionOf(command)));
        const std::string_view shortcut = tasks::ShortcutOf(command);
        if (!shortcut.empty()) {
            action->setShortcut(QKeySequence(FromView(shortcut)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        action->setCheckable(tasks::StateOf(command, nothing).checked.has_value());
        connect(action, &QAction::triggered, this, [this, command] { Run(command); });
        actions_.emplace(command, action);
    };
    for (const tasks::MenuInfo& menu : tasks::MainMenus()) {
        std::for_each(menu.commands.begin(), menu.commands.end(), add);
    }
    for (const Command command : ToolbarPictures::Commands()) {
        add(command);
        actions_.at(command)->setIcon(ToolbarPictures::IconOf(command));
    }
}

void MainFrame::BuildMenus() {
    for (const tasks::MenuInfo& info : tasks::MainMenus()) {
        QMenu* menu = menuBar()->addMenu(FromView(info.title));
        for (const Command command : info.commands) {
            menu->addAction(actions_.at(command));
        }
        connect(menu, &QMenu::aboutToShow, this, &MainFrame::RefreshCommandStates);
    }
}

void MainFrame::BuildToolbar() {
    QToolBar* toolbar = addToolBar(QStringLiteral("Toolbar"));
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    toolbar->setAccessibleName(QStringLiteral("Toolbar"));
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const Command command : ToolbarPictures::Commands()) {
        toolbar->addAction(actions_.at(command));
    }
    auto* spacer = new QWidget;
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolbar->addWidget(spacer);
    busy_->setFixedSize(kToolbarBusySize);
    toolbar->addWidget(busy_);
    // The button needs no more than this; its menu entry and tooltip keep the whole text.
    actions_.at(Command::AutoScroll)->setIconText(QStringLiteral("Auto Scroll"));
}

QAction* MainFrame::Action(Command command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

tasks::CommandContext MainFrame::Describe() const {
    tasks::CommandContext context;
    const tasks::TaskState& state = control_->state();
    context.taskRunning = state.taskRunning;
    context.verifyRunning = state.verifyRunning;
    context.busy = control_->busy().IsBusy();
    view_->Describe(context);
    context.leftBarVisible = leftBarShown_;
    context.fastInfoVisible = fastInfoShown_;
    context.fieldManagerVisible = !fieldDock_->isHidden();
    context.hangUp = cache_.hangUpWhenFinished;
    context.autoScroll = cache_.autoScroll;
    return context;
}

void MainFrame::RefreshCommandStates() {
    const tasks::CommandContext context = Describe();
    for (const auto& [command, action] : actions_) {
        const tasks::CommandState state = tasks::StateOf(command, context);
        action->setEnabled(state.enabled);
        if (state.checked) {
            action->setChecked(*state.checked);
        }
    }
}

void MainFrame::Run(Command command) {
    if (!tasks::StateOf(command, Describe()).enabled) {
        RefreshCommandStates();
        return;
    }
    if (!RunListCommand(command)) {
        RunTaskCommand(command);
        RunToggle(command);
        RunHelpCommand(command);
    }
    RefreshCommandStates();
}

bool MainFrame::RunListCommand(Command command) {
    switch (command) {
        case Command::Open:
        case Command::Save:
        case Command::SaveAs:
        case Command::ExportAll:
        case Command::FileExportAllSeemly:
            view_->Run(command);
            return true;
        case Command::Exit:
            close();
            return true;
        default:
            return false;
    }
}

void MainFrame::RunTaskCommand(Command command) {
    switch (command) {
        case Command::NewSearch:
            NewSearch();
            break;
        case Command::VerifyResult:
            control_->VerifyResult();
            break;
        case Command::StopTask:
            control_->StopTask();
            break;
        default:
            break;
    }
}

void MainFrame::RunToggle(Command command) {
    switch (command) {
        case Command::PreviewInformation:
            TogglePreview();
            break;
        case Command::FileManager:
            ShowLeftBar(!leftBarShown_);
            settings::kShowLeft.Write(profile_, leftBarShown_ ? 1 : 0);
            break;
        case Command::FastInfo:
            ShowFastInfoBar(!fastInfoShown_);
            settings::kShowFastInfo.Write(profile_, fastInfoShown_ ? 1 : 0);
            break;
        case Command::FieldManager:
            fieldDock_->setVisible(fieldDock_->isHidden());
            columnChooser_->Refill();
            break;
        case Command::HangUp:
            cache_.SetHangUp(profile_, !cache_.hangUpWhenFinished);
            break;
        case Command::AutoScroll:
            cache_.SetAutoScroll(profile_, !cache_.autoScroll);
            break;
        case Command::Option:
            OptionsSheet::Run(profile_, cache_, prompter_, OptionsSheet::Page::Network, this,
                              [this] { view_->ApplyAppearance(); });
            break;
        default:
            break;
    }
}

void MainFrame::RunHelpCommand(Command command) {
    switch (command) {
        case Command::HelpTopic:
            // Fire and forget: a help page that does not open says nothing.
            services_.opener->Open(folders_.appDirectory + std::string(kHelpPage));
            break;
        case Command::BugReport:
            services_.opener->Browse(kBugReportLink);
            break;
        case Command::OnTheWeb:
            services_.opener->Browse(kWebAddress);
            break;
        case Command::TipOfTheDay:
            ShowTipOfDay();
            break;
        case Command::About:
            AboutDialog(this).exec();
            break;
        default:
            break;
    }
}

void MainFrame::NewSearch(std::optional<tasks::SearchMode> mode) {
    if (!control_->CanStartNewSearch() || control_->busy().IsBusy()) {
        return;
    }
    if (!control_->BeginNewSearch([this] { document_->Save(); })) {
        return;
    }
    const std::optional<tasks::SearchMode> chosen =
        mode ? mode
             : NewSearchDialogs::Run(this,
                                     {profile_, folders_, cache_, prompter_, *services_.opener});
    if (!chosen) {
        RefreshCommandStates();
        return;
    }
    switch (*chosen) {
        case tasks::SearchMode::Internet:
            if (!control_->RunInternetSearch()) {
                // Otherwise nothing at all would tell why no search started.
                statusBar_->SetMessage(QString::fromLatin1(kNothingSearched));
            }
            break;
        case tasks::SearchMode::Intranet:
            control_->RunIntranetSearch([this] { document_->AutoSave(); });
            break;
        case tasks::SearchMode::FreeEdit:
            document_->ResetToFreeList();
            control_->RunFreeEdit();
            break;
    }
    RefreshCommandStates();
}

void MainFrame::ShowStartUpTip() {
    if (!tips_.ShowsAtStartUp() || startUpTip_ != nullptr) {
        return;
    }
    startUpTip_ = new TipDialog(tips_, this);
    startUpTip_->setAttribute(Qt::WA_DeleteOnClose);
    startUpTip_->show();
}

void MainFrame::ShowTipOfDay() {
    TipDialog(tips_, this).exec();
}

void MainFrame::OpenFromCommandLine(std::string_view argument) {
    view_->OpenFromCommandLine(argument);
    RefreshCommandStates();
}

void MainFrame::TogglePreview() {
    view_->TogglePreview();
    // Rows found from now on get the band too.
    cache_.previewVisible = view_->PreviewVisible();
    cache_.previewHeight = cache_.previewVisible ? core::SettingsCache::kPreviewHeight : 0;
}

void MainFrame::ShowLeftBar(bool shown) {
    leftBarShown_ = shown;
    leftDock_->setVisible(shown);
    separatorDock_->setVisible(shown || fastInfoShown_);
}

void MainFrame::ShowFastInfoBar(bool shown) {
    fastInfoShown_ = shown;
    fastInfoDock_->setVisible(shown);
    separatorDock_->setVisible(shown || leftBarShown_);
}

void MainFrame::ShowEngineBar(bool shown) {
    engineDock_->setVisible(shown);
    if (shown) {
        resizeDocks({engineDock_}, {settings::kEngineBarHeight.Read(profile_)}, Qt::Vertical);
    }
}

void MainFrame::RefreshFastInfo() {
    ++fastInfoRefreshes_;
    fastInfoBar_->Show(
        fastInfoReader_.Describe(control_->state(), list_.Count(), cache_.authorName));
    RefreshCommandStates();
}

void MainFrame::ScrollToTop(std::size_t row) {
    ResultListView& list = ListView();
    list.scrollTo(list.model()->index(static_cast<int>(row), 0), QAbstractItemView::PositionAtTop);
}

void MainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (firstShow_) {
        firstShow_ = false;
        ApplyFirstShow();
    }
}

void MainFrame::ApplyFirstShow() {
    if (settings::kShowWelcome.Read(profile_) == 1) {
        welcome_ = WelcomeWindow::ShowOver(this);
    }
    const tasks::WindowPlacement placement = tasks::WindowPlacement::Read(profile_);
    move(placement.left, placement.top);
    resize(placement.Width(), placement.Height());
    if (placement.zoomed) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    ShowLeftBar(leftBarShown_);
    ShowFastInfoBar(fastInfoShown_);
    resizeDocks({leftDock_}, {settings::kLeftBarWidth.Read(profile_)}, Qt::Horizontal);
    setWindowTitle(QString::fromLatin1(kTitle));
    setAccessibleName(QString::fromLatin1(kTitle));
}

bool MainFrame::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    // A drag of a bar's edge ends with the button's release on the frame's separator.
    if (event->type() == QEvent::MouseButtonRelease) {
        StoreBarSizes();
    }
    return handled;
}

void MainFrame::StoreBarSizes() {
    if (!leftDock_->isHidden() && leftDock_->width() != settings::kLeftBarWidth.Read(profile_)) {
        settings::kLeftBarWidth.Write(profile_, leftDock_->width());
    }
    if (!engineDock_->isHidden() &&
        engineDock_->height() != settings::kEngineBarHeight.Read(profile_)) {
        settings::kEngineBarHeight.Write(profile_, engineDock_->height());
    }
}

void MainFrame::closeEvent(QCloseEvent* event) {
    host_->ClearEngines();
    switch (tasks::DecideClose(Describe())) {
        case tasks::CloseStep::Refuse:
            QMessageBox::warning(this, QString::fromLatin1(kWarningTitle),
                                 QString::fromLatin1(kWarningText));
            event->ignore();
            return;
        case tasks::CloseStep::AskSave:
            if (!document_->ConfirmExit()) {
                event->ignore();
                return;
            }
            break;
        case tasks::CloseStep::Close:
            break;
    }
    // The rectangle as the first show applies it: the frame's corner and the inside size.
    const tasks::WindowPlacement placement{pos().x(), pos().y(), pos().x() + width(),
                                           pos().y() + height(), isMaximized()};
    placement.Store(profile_, isMinimized(), isMaximized());
    view_->StoreLayout();
    StoreBarSizes();
    // The program ends with its last window.
    for (QWidget* window : {static_cast<QWidget*>(startUpTip_), static_cast<QWidget*>(welcome_)}) {
        if (window != nullptr) {
            window->close();
        }
    }
    event->accept();
}

}  // namespace quexa::ui
