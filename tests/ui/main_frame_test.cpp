#include "ui/main_frame.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <QSet>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <thread>

#include "core/memory_profile.h"
#include "core/settings_table.h"
#include "demo_farm/demo_farm.h"
#include "demo_farm/demo_home.h"
#include "recording_opener.h"
#include "result_file_maker.h"
#include "tasks/main_menu.h"
#include "temp_folder.h"
#include "ui/about_dialog.h"
#include "ui/busy_animation.h"
#include "ui/countdown_dialog.h"
#include "ui/edit_item_dialog.h"
#include "ui/engine_bar.h"
#include "ui/engine_bar_model.h"
#include "ui/fast_info_bar.h"
#include "ui/file_manager/save_file_dialog.h"
#include "ui/frame_status_bar.h"
#include "ui/options/options_sheet.h"
#include "ui/password_dialog.h"
#include "ui/qt_main_thread.h"
#include "ui/result_context_menu.h"
#include "ui/result_list_view.h"
#include "ui/result_view.h"
#include "ui/summarize_dialog.h"
#include "ui/tip_dialog.h"
#include "ui/wait_window.h"
#include "ui/welcome_window.h"
#include "ui/wizards/search_mode_dialog.h"

namespace quexa::ui {
namespace {

using tasks::Command;
namespace settings = core::settings;
using namespace std::chrono_literals;

constexpr int kLongWait = 30000;

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Answers the dialogs that open while a test runs: each dialog whose name (its accessible name,
// else its title) has an answer gets it, and every dialog answered is remembered with its text.
class BoxAnswerer : public QObject {
  public:
    struct Seen {
        QString name;
        QString text;
    };
    using Reply = std::function<void(QDialog&)>;

    BoxAnswerer() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start();
    }

    void Answer(const QString& title, QMessageBox::StandardButton button) {
        answers_[title] = [button](QDialog& dialog) {
            static_cast<QMessageBox&>(dialog).button(button)->click();
        };
    }
    void Answer(const QString& name, Reply answer) { answers_[name] = std::move(answer); }
    bool SawText(const QString& text) const {
        return std::any_of(seen_.begin(), seen_.end(),
                           [&text](const Seen& seen) { return seen.text == text; });
    }
    int Count(const QString& name) const {
        return static_cast<int>(std::count_if(
            seen_.begin(), seen_.end(), [&name](const Seen& seen) { return seen.name == name; }));
    }

  private:
    void Poll() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            if (dialog == nullptr || !dialog->isVisible() || answered_.contains(dialog)) {
                continue;
            }
            const QString name = dialog->accessibleName().isEmpty() ? dialog->windowTitle()
                                                                    : dialog->accessibleName();
            const auto answer = answers_.find(name);
            if (answer == answers_.end()) {
                continue;
            }
            answered_.insert(dialog);
            auto* box = qobject_cast<QMessageBox*>(dialog);
            seen_.push_back({name, box != nullptr ? box->text() : QString()});
            answer->second(*dialog);
        }
    }

    QTimer timer_;
    std::map<QString, Reply> answers_;
    QSet<QDialog*> answered_;
    std::vector<Seen> seen_;
};

// A window over a home folder of its own and an empty profile, with a recording opener.
struct FrameFixture {
    FrameFixture() {
        auto recorder = std::make_unique<testing::RecordingOpener>();
        opener = recorder.get();
        FrameServices services;
        services.opener = std::move(recorder);
        const std::string folder = home.Path().string();
        frame = std::make_unique<MainFrame>(profile, core::AppFolders{folder, folder},
                                            std::move(services));
    }
    ~FrameFixture() {
        if (frame->Control().state().taskRunning) {
            frame->Control().StopTask();
        }
        QTRY_VERIFY_WITH_TIMEOUT(frame->Control().Idle(), kLongWait);
    }

    void Show() {
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }
    void AddItems(int count, std::string_view prefix = "http://127.0.0.1:9/item") {
        for (int index = 0; index < count; ++index) {
            core::ResultItem item;
            item.title = "Item " + std::to_string(index);
            item.location = std::string(prefix) + std::to_string(index);
            item.searchTarget = "test";
            core::ResultList& list = frame->List();
            list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), std::move(item));
        }
    }

    // Folders of "*.txt" files under home/tree, remembered as the Intranet wizard leaves them.
    void UseIntranetTree(int folders, int filesEach) {
        const std::filesystem::path tree = home.Path() / "tree";
        for (int folder = 0; folder < folders; ++folder) {
            const std::filesystem::path sub = tree / ("folder" + std::to_string(folder));
            std::filesystem::create_directories(sub);
            for (int file = 0; file < filesEach; ++file) {
                std::ofstream(sub / ("file" + std::to_string(file) + ".txt")) << "x";
            }
        }
        settings::kIntranetPatterns.Write(profile, "*.txt");
        settings::kLastSearchTarget.Write(profile, tree.string() + ";");
    }

    testing::TempFolder home;
    core::MemoryProfile profile;
    testing::RecordingOpener* opener = nullptr;
    std::unique_ptr<MainFrame> frame;
};

// A demo farm and its category in the fixture's home, remembered as the wizard leaves it.
struct DemoSearch {
    explicit DemoSearch(FrameFixture& fixture)
        : farm(demo::DemoFarm::Options{.threads = 64, .holdLimit = 1s}) {
        std::string error;
        if (!farm.Start(0, &error) ||
            !demo::WriteDemoHome(fixture.home.Path(), farm.port(), &error)) {
            qFatal("demo farm: %s", error.c_str());
        }
        settings::kLastCategory.Write(fixture.profile, "Demo");
        settings::kInternetKeywords.Write(fixture.profile, "solar kite");
        settings::kVerifyTimeout.Write(fixture.profile, 15);
        settings::kDeleteUnreachable.Write(fixture.profile, 0);
    }

    demo::DemoFarm farm;
};

// Waits for the modal dialog known by the key, has a worker thread send a message to the
// window's queue while it is open, gives the dialog's own event loop time to run it, then
// rejects the dialog. Other modal dialogs on the way go to the lead; those it does not take are
// rejected and reported.
class ModalProbe : public QObject {
  public:
    // True when it answered the dialog.
    using Lead = std::function<bool(QDialog&)>;
    static constexpr int kPollsForTheMessage = 500;

    ModalProbe(MainFrame& frame, QString key, Lead lead)
        : frame_(frame), key_(std::move(key)), lead_(std::move(lead)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start();
    }
    ~ModalProbe() override {
        timer_.stop();
        // A message the dialog held back still waits for a turn of the loop.
        for (int round = 0; round < kPollsForTheMessage && worker_.joinable() && !ran_; ++round) {
            QTest::qWait(10);
        }
        if (!ran_) {
            frame_.MainThread().Shutdown();
        }
        if (worker_.joinable()) {
            worker_.join();
        }
    }
    ModalProbe(const ModalProbe&) = delete;
    ModalProbe& operator=(const ModalProbe&) = delete;

    bool Seen() const { return seen_; }
    bool RanWhileOpen() const { return ranWhileOpen_; }
    const QStringList& Unexpected() const { return unexpected_; }

    // A message box by its text, any other dialog by its accessible name, else its title.
    static QString KeyOf(const QDialog& dialog) {
        if (const auto* box = qobject_cast<const QMessageBox*>(&dialog)) {
            return box->text();
        }
        return dialog.accessibleName().isEmpty() ? dialog.windowTitle() : dialog.accessibleName();
    }

  private:
    void Poll() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return;
        }
        if (KeyOf(*dialog) != key_) {
            if (!led_.contains(dialog)) {
                led_.insert(dialog);
                if (!lead_ || !lead_(*dialog)) {
                    unexpected_ << KeyOf(*dialog);
                    dialog->reject();
                }
            }
            return;
        }
        if (!seen_) {
            seen_ = true;
            worker_ = std::thread([this] { frame_.MainThread().Send([this] { ran_ = true; }); });
            return;
        }
        if (ran_ || ++polls_ >= kPollsForTheMessage) {
            ranWhileOpen_ = ran_.load();
            timer_.stop();
            dialog->reject();
        }
    }

    MainFrame& frame_;
    const QString key_;
    const Lead lead_;
    QTimer timer_;
    QSet<QDialog*> led_;
    QStringList unexpected_;
    std::thread worker_;
    std::atomic<bool> ran_ = false;
    bool seen_ = false;
    bool ranWhileOpen_ = false;
    int polls_ = 0;
};

// What a dialog closed without an answer must leave as it was.
struct FrameSnapshot {
    std::size_t items = 0;
    bool modified = false;
    std::string statePath;
    std::size_t profileValues = 0;
    bool visible = false;
    bool taskRunning = false;

    static FrameSnapshot Of(FrameFixture& fixture) {
        MainFrame& frame = *fixture.frame;
        return {
            frame.List().Count(),   frame.List().IsModified(), frame.Document().statePath(),
            fixture.profile.size(), frame.isVisible(),         frame.Control().state().taskRunning};
    }
    bool operator==(const FrameSnapshot&) const = default;
};

// A modal dialog the window opens: how to reach it through its command, and its key.
struct ModalRow {
    const char* name;
    QString key;
    std::function<void(FrameFixture&)> trigger;
    std::function<void(FrameFixture&)> setup = {};
    // Answers the dialogs that come before it.
    std::function<bool(FrameFixture&, QDialog&)> lead = {};
};

void TriggerMenu(FrameFixture& fixture, Command command) {
    fixture.frame->RefreshCommandStates();
    fixture.frame->Action(command)->trigger();
}

void TriggerContextMenu(FrameFixture& fixture, Command command) {
    ResultContextMenu& menu = fixture.frame->View().Menu();
    menu.Refresh();
    menu.ActionOf(command)->trigger();
}

std::filesystem::path LockedFile(FrameFixture& fixture) {
    return fixture.home.File("locked.qzr");
}

const std::vector<ModalRow>& ModalRows() {
    using Fixture = FrameFixture;
    const auto menu = [](Command command) {
        return [command](Fixture& fixture) { TriggerMenu(fixture, command); };
    };
    const auto context = [](Command command) {
        return [command](Fixture& fixture) { TriggerContextMenu(fixture, command); };
    };
    static const std::vector<ModalRow> rows = {
        {.name = "Warnning: on Exit while a task runs",
         .key = QString::fromLatin1(MainFrame::kWarningText),
         .trigger =
             [](Fixture& fixture) {
                 bool& running = fixture.frame->Control().state().taskRunning;
                 running = true;
                 TriggerMenu(fixture, Command::Exit);
                 running = false;
             }},
        {.name = "Delete All question",
         .key = FromView(core::ResultList::kDeleteAllQuestion),
         .trigger = context(Command::DeleteAll)},
        {.name = "Edit Item",
         .key = QString::fromLatin1(EditItemDialog::kTitle),
         .trigger = context(Command::EditItem),
         .setup = [](Fixture& fixture) { fixture.frame->View().SetCurrentRow(0); }},
        {.name = "Add Item",
         .key = QString::fromLatin1(EditItemDialog::kTitle),
         .trigger = context(Command::AddItem)},
        {.name = "Summarize",
         .key = QString::fromLatin1(SummarizeDialog::kTitle),
         .trigger = context(Command::Summarize)},
        {.name = "About",
         .key = QString::fromLatin1(AboutDialog::kTitle),
         .trigger = menu(Command::About)},
        {.name = "Tip of the day",
         .key = QString::fromLatin1(TipDialog::kTitle),
         .trigger = menu(Command::TipOfTheDay)},
        {.name = "Options",
         .key = QString::fromLatin1(OptionsSheet::kTitle),
         .trigger = menu(Command::Option)},
        {.name = "New Search mode",
         .key = QString::fromLatin1(SearchModeDialog::kTitle),
         .trigger = menu(Command::NewSearch)},
        {.name = "Open file dialog",
         .key = FromView(tasks::ResultDocument::kOpenCaption),
         .trigger = menu(Command::Open)},
        {.name = "Save as dialog",
         .key = QString::fromLatin1(SaveFileDialog::kSaveTitle),
         .trigger = menu(Command::SaveAs)},
        {.name = "Import's Load file dialog",
         .key = QString::fromLatin1(SaveFileDialog::kLoadTitle),
         .trigger = context(Command::Import)},
        {.name = "Export All file dialog",
         .key = QtPrompter::FileCaption(core::Prompter::FileUse::Export),
         .trigger = menu(Command::ExportAll)},
        {.name = "Copy All Selected Target folder chooser",
         .key = FromView(tasks::TargetCommands::kChooseFolderTitle),
         .trigger = context(Command::CopyAllSelectedTarget),
         .setup =
             [](Fixture& fixture) {
                 std::ofstream(fixture.home.File("target0")) << "x";
                 fixture.AddItems(1, (fixture.home.Path() / "target").string());
                 fixture.frame->List().SelectAll();
             }},
        {.name = "Password of an opened file",
         .key = QString::fromLatin1(PasswordDialog::kTitle),
         .trigger = menu(Command::Open),
         .setup =
             [](Fixture& fixture) {
                 testing::MakeResultFile(LockedFile(fixture), files::FilePicture::Protected);
             },
         .lead =
             [](Fixture& fixture, QDialog& dialog) {
                 auto* files = qobject_cast<QFileDialog*>(&dialog);
                 if (files == nullptr) {
                     return false;
                 }
                 files->selectFile(QString::fromStdString(LockedFile(fixture).string()));
                 dialog.accept();
                 return true;
             }},
        {.name = "Countdown",
         .key = QString::fromLatin1(CountdownDialog::kAccessibleName),
         .trigger =
             [](Fixture& fixture) { QVERIFY(!CountdownDialog::Run(fixture.frame.get(), 10)); }},
    };
    return rows;
}

bool Visible(QDockWidget& dock) {
    return !dock.isHidden();
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void FirstStartWithAnEmptyProfile() {
        FrameFixture fixture;
        QCOMPARE(fixture.frame->windowTitle(), QStringLiteral("Quexa"));
        fixture.Show();
        MainFrame& frame = *fixture.frame;
        QCOMPARE(frame.windowTitle(), QStringLiteral("Quexa 1.03"));
        QCOMPARE(frame.accessibleName(), QStringLiteral("Quexa 1.03"));
        QCOMPARE(frame.pos(), QPoint(0, 0));
        QCOMPARE(frame.size(), QSize(640, 480));
        QVERIFY(!frame.isMaximized());
        QVERIFY(Visible(frame.LeftBar()));
        QVERIFY(Visible(frame.FastInfoDock()));
        QVERIFY(!Visible(frame.EngineDock()));
        QVERIFY(!Visible(frame.FieldManagerDock()));
        QVERIFY(!frame.Status().Progress(0).isVisible());
        QVERIFY(!frame.Status().Progress(1).isVisible());
        QCOMPARE(frame.Status().Pane(1).width(), FrameStatusBar::kBlankPaneWidth);
        QVERIFY(!frame.Busy().Running());
        QCOMPARE(frame.FastInfo().Field(1).text(), QStringLiteral("Free Edit Mode"));
        QCOMPARE(frame.FastInfo().Field(4).text(), QStringLiteral("0 Item(s)"));
        QVERIFY(WelcomeWindow::IsShown());
        QTRY_VERIFY_WITH_TIMEOUT(!WelcomeWindow::IsShown(), WelcomeWindow::kShownMilliseconds * 2);
    }

    void TheStoredPlacementAndBarsAreRestored() {
        FrameFixture fixture;
        core::MemoryProfile& profile = fixture.profile;
        settings::kWindowLeft.Write(profile, 30);
        settings::kWindowTop.Write(profile, 40);
        settings::kWindowRight.Write(profile, 830);
        settings::kWindowBottom.Write(profile, 640);
        settings::kShowLeft.Write(profile, 0);
        settings::kShowFastInfo.Write(profile, 0);
        settings::kShowWelcome.Write(profile, 0);
        const std::string folder = fixture.home.Path().string();
        fixture.frame = std::make_unique<MainFrame>(profile, core::AppFolders{folder, folder});
        fixture.Show();
        MainFrame& frame = *fixture.frame;
        QCOMPARE(frame.pos(), QPoint(30, 40));
        QCOMPARE(frame.size(), QSize(800, 600));
        QVERIFY(!Visible(frame.LeftBar()));
        QVERIFY(!Visible(frame.FastInfoDock()));
        QVERIFY(!frame.Action(Command::FileManager)->isChecked());
        QVERIFY(!WelcomeWindow::IsShown());
    }

    void AZoomedWindowOpensMaximized() {
        FrameFixture fixture;
        settings::kWindowZoomed.Write(fixture.profile, 1);
        const std::string folder = fixture.home.Path().string();
        fixture.frame =
            std::make_unique<MainFrame>(fixture.profile, core::AppFolders{folder, folder});
        fixture.Show();
        QTRY_VERIFY(fixture.frame->isMaximized());
    }

    void ClosingStoresThePlacementOfANormalWindowOnly() {
        FrameFixture fixture;
        fixture.Show();
        fixture.frame->move(50, 60);
        fixture.frame->resize(700, 500);
        QVERIFY(fixture.frame->close());
        QCOMPARE(settings::kWindowLeft.Read(fixture.profile), 50);
        QCOMPARE(settings::kWindowBottom.Read(fixture.profile), 560);
        QCOMPARE(settings::kWindowZoomed.Read(fixture.profile), 0);

        FrameFixture maximized;
        maximized.Show();
        maximized.frame->showMaximized();
        QTRY_VERIFY(maximized.frame->isMaximized());
        QVERIFY(maximized.frame->close());
        QCOMPARE(settings::kWindowZoomed.Read(maximized.profile), 1);
        QCOMPARE(settings::kWindowRight.Read(maximized.profile), 640);
    }

    void ABarSizeIsStoredWhenItsDragEnds() {
        FrameFixture fixture;
        fixture.Show();
        MainFrame& frame = *fixture.frame;
        QTRY_COMPARE(frame.LeftBar().width(), 200);
        frame.resizeDocks({&frame.LeftBar()}, {260}, Qt::Horizontal);
        QTRY_COMPARE(frame.LeftBar().width(), 260);
        QCOMPARE(settings::kLeftBarWidth.Read(fixture.profile), 200);
        // The separator beside the bar gets the release that ends the drag.
        const QPoint edge(frame.LeftBar().geometry().right() + 2, frame.height() / 2);
        QTest::mouseRelease(&frame, Qt::LeftButton, {}, edge);
        QCOMPARE(settings::kLeftBarWidth.Read(fixture.profile), 260);
    }

    void TheMenusHoldEveryCommandInOrder() {
        FrameFixture fixture;
        const QList<QAction*> menus = fixture.frame->menuBar()->actions();
        const std::span<const tasks::MenuInfo> expected = tasks::MainMenus();
        QCOMPARE(menus.size(), static_cast<qsizetype>(expected.size()));
        for (std::size_t index = 0; index < expected.size(); ++index) {
            QMenu* menu = menus[static_cast<qsizetype>(index)]->menu();
            QCOMPARE(menu->title(), FromView(expected[index].title));
            const QList<QAction*> entries = menu->actions();
            QCOMPARE(entries.size(), static_cast<qsizetype>(expected[index].commands.size()));
            for (std::size_t entry = 0; entry < expected[index].commands.size(); ++entry) {
                const Command command = expected[index].commands[entry];
                QCOMPARE(entries[static_cast<qsizetype>(entry)]->text(),
                         FromView(tasks::InfoOf(command).text));
            }
        }
        QCOMPARE(fixture.frame->Action(Command::HelpTopic)->shortcut(), QKeySequence(Qt::Key_F1));
        QVERIFY(fixture.frame->Action(Command::AutoScroll) != nullptr);
    }

    void TheHelpCommandsAskTheOpener() {
        FrameFixture fixture;
        fixture.Show();
        QTest::keyClick(fixture.frame.get(), Qt::Key_F1);
        QCOMPARE(fixture.opener->opened.size(), std::size_t{1});
        QCOMPARE(fixture.opener->opened[0], fixture.home.Path().string() + "/help/index.html");
        fixture.frame->Run(Command::BugReport);
        fixture.frame->Run(Command::OnTheWeb);
        QCOMPARE(fixture.opener->browsed.size(), std::size_t{2});
        QVERIFY(fixture.opener->browsed[0].starts_with("mailto:"));
        QVERIFY(fixture.opener->browsed[1].starts_with("https://"));
    }

    void TheTipAndAboutDialogsOpenFromTheHelpMenu() {
        FrameFixture fixture;
        settings::kShowWelcome.Write(fixture.profile, 0);
        fixture.Show();
        BoxAnswerer boxes;
        const BoxAnswerer::Reply close = [](QDialog& dialog) { dialog.reject(); };
        boxes.Answer(QString::fromLatin1(TipDialog::kTitle), close);
        boxes.Answer(QString::fromLatin1(AboutDialog::kTitle), close);
        fixture.frame->Action(Command::TipOfTheDay)->trigger();
        fixture.frame->Action(Command::About)->trigger();
        QCOMPARE(boxes.Count(QString::fromLatin1(TipDialog::kTitle)), 1);
        QCOMPARE(boxes.Count(QString::fromLatin1(AboutDialog::kTitle)), 1);
    }

    void TheStartUpTipLeavesTheWindowFreeAndClosesWithIt() {
        FrameFixture fixture;
        settings::kShowWelcome.Write(fixture.profile, 0);
        settings::kTipStartUp.Write(fixture.profile, 1);
        fixture.Show();
        auto tipShown = [] {
            const QWidgetList windows = QApplication::topLevelWidgets();
            return std::any_of(windows.begin(), windows.end(), [](QWidget* window) {
                return qobject_cast<TipDialog*>(window) != nullptr && window->isVisible();
            });
        };
        fixture.frame->ShowStartUpTip();
        QVERIFY(!tipShown());
        settings::kTipStartUp.Write(fixture.profile, 0);
        fixture.frame->ShowStartUpTip();
        QVERIFY(tipShown());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(fixture.frame->close());
        QTRY_VERIFY(!tipShown());
    }

    void MenuEnablingFollowsTheState_data() {
        QTest::addColumn<int>("items");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("taskRunning");
        QTest::addColumn<bool>("verifyRunning");
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("enabled");
        auto row = [](const char* name, int items, bool modified, bool task, bool verify,
                      Command command, bool enabled) {
            QTest::newRow(name) << items << modified << task << verify << static_cast<int>(command)
                                << enabled;
        };
        row("Save without changes", 0, false, false, false, Command::Save, false);
        row("Save with changes", 1, true, false, false, Command::Save, true);
        row("Save as of an empty list", 0, false, false, false, Command::SaveAs, false);
        row("Save as of a list", 2, false, false, false, Command::SaveAs, true);
        row("Save as while a task runs", 2, false, true, false, Command::SaveAs, false);
        row("Export All of an empty list", 0, false, false, false, Command::ExportAll, false);
        row("Export All of a list", 1, false, false, false, Command::ExportAll, true);
        row("New Search idle", 0, false, false, false, Command::NewSearch, true);
        row("New Search while a search runs", 0, false, true, false, Command::NewSearch, false);
        row("New Search while verifying", 2, false, true, true, Command::NewSearch, false);
        row("Verify Result of an empty list", 0, false, false, false, Command::VerifyResult, false);
        row("Verify Result of a list", 3, false, false, false, Command::VerifyResult, true);
        row("Verify Result while verifying", 3, false, true, true, Command::VerifyResult, false);
        row("Stop Task idle", 0, false, false, false, Command::StopTask, true);
        row("Open while a task runs", 0, false, true, false, Command::Open, true);
        row("Exit while a task runs", 0, false, true, false, Command::Exit, true);
    }

    void MenuEnablingFollowsTheState() {
        QFETCH(int, items);
        QFETCH(bool, modified);
        QFETCH(bool, taskRunning);
        QFETCH(bool, verifyRunning);
        QFETCH(int, command);
        QFETCH(bool, enabled);
        FrameFixture fixture;
        fixture.AddItems(items);
        if (!modified) {
            fixture.frame->List().ClearModified();
        }
        tasks::TaskState& state = fixture.frame->Control().state();
        state.taskRunning = taskRunning;
        state.verifyRunning = verifyRunning;
        // The menu refreshes its entries as it opens.
        QAction* action = fixture.frame->Action(static_cast<Command>(command));
        for (QAction* menu : fixture.frame->menuBar()->actions()) {
            if (menu->menu()->actions().contains(action)) {
                Q_EMIT menu->menu()->aboutToShow();
            }
        }
        QCOMPARE(action->isEnabled(), enabled);
        state.taskRunning = false;
        state.verifyRunning = false;
    }

    void TogglesShowAndStoreTheirState_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("stored");
        auto row = [](const char* name, Command command, std::string_view section,
                      std::string_view key, int stored) {
            QTest::newRow(name) << static_cast<int>(command) << FromView(section) << FromView(key)
                                << stored;
        };
        row("File Manager", Command::FileManager, settings::kSystem, "ShowLeft", 0);
        row("Fast Info.", Command::FastInfo, settings::kSystem, "ShowFastInfo", 0);
        row("Preview Information", Command::PreviewInformation, settings::kSystem, "Preview", 0);
        row("Hang Up", Command::HangUp, settings::kSystemSetting, "Hangup", 1);
        row("Auto Scroll", Command::AutoScroll, settings::kSystem, "AutoScroll", 1);
    }

    void TogglesShowAndStoreTheirState() {
        QFETCH(int, command);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(int, stored);
        FrameFixture fixture;
        fixture.Show();
        QAction* action = fixture.frame->Action(static_cast<Command>(command));
        const bool before = action->isChecked();
        action->trigger();
        QCOMPARE(action->isChecked(), !before);
        QCOMPARE(fixture.profile.GetInt(section.toStdString(), key.toStdString(), -1), stored);
        action->trigger();
        QCOMPARE(action->isChecked(), before);
        QCOMPARE(fixture.profile.GetInt(section.toStdString(), key.toStdString(), -1), 1 - stored);
    }

    void TheBarTogglesShowAndHideTheirBars() {
        FrameFixture fixture;
        fixture.Show();
        MainFrame& frame = *fixture.frame;
        frame.Run(Command::FileManager);
        QVERIFY(!Visible(frame.LeftBar()));
        frame.Run(Command::FastInfo);
        QVERIFY(!Visible(frame.FastInfoDock()));
        frame.Run(Command::FieldManager);
        QVERIFY(Visible(frame.FieldManagerDock()));
        QVERIFY(frame.Action(Command::FieldManager)->isChecked());
        frame.Run(Command::PreviewInformation);
        QCOMPARE(frame.ListView().PreviewHeight(), 0);
    }

    void ADemoSearchFillsTheListAndTheEngineBarThenVerifies_data() {
        QTest::addColumn<bool>("verify");
        QTest::newRow("countdown answered OK") << true;
        QTest::newRow("countdown cancelled") << false;
    }

    void ADemoSearchFillsTheListAndTheEngineBarThenVerifies() {
        QFETCH(bool, verify);
        FrameFixture fixture;
        DemoSearch demo(fixture);
        settings::kAutoVerify.Write(fixture.profile, 1);
        fixture.Show();
        MainFrame& frame = *fixture.frame;
        QAbstractItemModelTester tester(&frame.Engines().Model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        BoxAnswerer boxes;
        boxes.Answer(QStringLiteral("Note:"), QMessageBox::Ok);
        boxes.Answer(QString::fromLatin1(CountdownDialog::kAccessibleName),
                     [verify](QDialog& dialog) { verify ? dialog.accept() : dialog.reject(); });

        frame.NewSearch(tasks::SearchMode::Internet);
        QVERIFY(frame.Control().state().taskRunning);
        QVERIFY(Visible(frame.EngineDock()));
        QVERIFY(frame.Busy().Running());
        QVERIFY(!frame.Action(Command::NewSearch)->isEnabled());
        const int engines = frame.Engines().Model().rowCount();
        QCOMPARE(engines, static_cast<int>(demo::DemoFarm::Engines().size()));
        QTRY_VERIFY_WITH_TIMEOUT(frame.List().Count() > 0, kLongWait);
        // The countdown, the verification if it was let run, then the closing note.
        QTRY_VERIFY_WITH_TIMEOUT(boxes.SawText(QStringLiteral("All task have finished!")),
                                 kLongWait);
        QTRY_VERIFY_WITH_TIMEOUT(frame.Control().Idle(), kLongWait);
        QCOMPARE(boxes.Count(QString::fromLatin1(CountdownDialog::kAccessibleName)), 1);
        QCOMPARE(boxes.Count(QStringLiteral("Note:")), 1);
        QVERIFY(!Visible(frame.EngineDock()));
        QVERIFY(!frame.Busy().Running());
        QVERIFY(frame.Action(Command::NewSearch)->isEnabled());
        // Every engine came to an end, and its row says so.
        for (const tasks::EngineProgressList::Row& row : frame.Engines().Model().Rows().rows()) {
            QVERIFY2(
                row.state == tasks::EngineState::Finished || row.state == tasks::EngineState::Abort,
                row.name.c_str());
        }
        std::size_t verified = 0;
        for (std::size_t row = 0; row < frame.List().Count(); ++row) {
            verified += frame.List().Item(row).status != core::StatusCode::Normal ? 1 : 0;
        }
        QCOMPARE(verified, verify ? frame.List().Count() : 0);
        frame.FlushFastInfo();
        QCOMPARE(frame.FastInfo().Field(0).text(), QStringLiteral("solar kite"));
        QCOMPARE(frame.FastInfo().Field(1).text(), QStringLiteral("Internet Search"));
        QCOMPARE(frame.FastInfo().Field(4).text(),
                 QStringLiteral("%1 Item(s)").arg(frame.List().Count()));
    }

    void ASearchThatCannotStartSaysSo() {
        FrameFixture fixture;
        settings::kInternetKeywords.Write(fixture.profile, "solar kite");
        fixture.Show();
        BoxAnswerer boxes;
        boxes.Answer(QStringLiteral("Error:"), QMessageBox::Ok);
        // The home holds no category file, so no engine.
        fixture.frame->NewSearch(tasks::SearchMode::Internet);
        QVERIFY(!fixture.frame->Control().state().taskRunning);
        QVERIFY(
            fixture.frame->Status().Message().startsWith(QStringLiteral("Nothing was searched")));
        QVERIFY(fixture.frame->Action(Command::NewSearch)->isEnabled());
    }

    void StopTaskInTheMiddleOfASearch() {
        FrameFixture fixture;
        DemoSearch demo(fixture);
        demo.farm.SetHangEngines(true);
        fixture.Show();
        MainFrame& frame = *fixture.frame;
        BoxAnswerer boxes;
        boxes.Answer(QStringLiteral("Note:"), QMessageBox::Ok);
        QString waitText;
        boxes.Answer(QString::fromUtf8(WaitWindow::kFixedTitle.data()),
                     [&waitText](QDialog& wait) { waitText = wait.findChild<QLabel*>()->text(); });
        frame.NewSearch(tasks::SearchMode::Internet);
        QVERIFY(frame.Control().state().taskRunning);
        QTRY_VERIFY_WITH_TIMEOUT(demo.farm.HeldRequests() > 0, kLongWait);
        QVERIFY(frame.Action(Command::StopTask)->isEnabled());
        frame.Action(Command::StopTask)->trigger();
        QVERIFY(!frame.Control().state().taskRunning);
        // Workers were still running: the stop waited for them with the wait window.
        QCOMPARE(waitText, FromView(tasks::TaskControl::kStopWaitText));
        QVERIFY(boxes.SawText(QStringLiteral("All task have finished!")));
        QVERIFY(!Visible(frame.EngineDock()));
        QVERIFY(!frame.Busy().Running());
        demo.farm.SetHangEngines(false);
    }

    void StopTaskInTheMiddleOfAVerification() {
        FrameFixture fixture;
        DemoSearch demo(fixture);
        fixture.AddItems(6, demo.farm.Url("/loc/never/").c_str());
        fixture.Show();
        MainFrame& frame = *fixture.frame;
        BoxAnswerer boxes;
        boxes.Answer(QStringLiteral("Note:"), QMessageBox::Ok);
        frame.Run(Command::VerifyResult);
        QVERIFY(frame.Control().state().verifyRunning);
        QVERIFY(frame.Status().Progress(1).isVisible());
        QCOMPARE(frame.Status().Progress(1).maximum(), 6);
        QVERIFY(frame.Status().Message().startsWith(QStringLiteral("Verify-> ")));
        // The bar lies over the blank pane, also after the window changed its size.
        frame.resize(900, 500);
        QTRY_COMPARE(frame.Status().Progress(1).geometry(), frame.Status().Pane(1).geometry());
        frame.Run(Command::StopTask);
        QVERIFY(!frame.Control().state().verifyRunning);
        QVERIFY(boxes.SawText(QStringLiteral("All task have finished!")));
        for (std::size_t row = 0; row < frame.List().Count(); ++row) {
            QVERIFY(frame.List().Item(row).status != core::StatusCode::Verifing);
        }
    }

    void StopTaskInTheMiddleOfAnIntranetSearch() {
        FrameFixture fixture;
        fixture.UseIntranetTree(40, 50);
        fixture.Show();
        MainFrame& frame = *fixture.frame;
        BoxAnswerer boxes;
        boxes.Answer(QStringLiteral("Note:"), QMessageBox::Ok);
        // The search runs on this thread and lets events in between entries: the stop comes
        // as soon as the first files are listed.
        QTimer stopper;
        QObject::connect(&stopper, &QTimer::timeout, &frame, [&frame, &stopper] {
            if (frame.List().Count() > 0) {
                stopper.stop();
                frame.Run(Command::StopTask);
            }
        });
        stopper.start(0);
        QCOMPARE(tasks::SearchModeFromProfile(fixture.profile), tasks::SearchMode::Intranet);
        frame.NewSearch(tasks::SearchMode::Intranet);
        QVERIFY(!frame.Control().state().taskRunning);
        QVERIFY(frame.List().Count() > 0);
        QVERIFY(frame.List().Count() < 2000);
        QVERIFY(boxes.SawText(QStringLiteral("All task have finished!")));
        frame.FlushFastInfo();
        QVERIFY(frame.FastInfo().Field(1).text().startsWith(QStringLiteral("Intranet Search [ ")));
    }

    void AnIntranetSearchRefreshesTheFastInformationOncePerTurn() {
        FrameFixture fixture;
        constexpr int kFiles = 3000;
        fixture.UseIntranetTree(1, kFiles);
        fixture.Show();
        MainFrame& frame = *fixture.frame;
        BoxAnswerer boxes;
        boxes.Answer(QStringLiteral("Note:"), QMessageBox::Ok);
        const int before = frame.FastInfoRefreshes();
        frame.NewSearch(tasks::SearchMode::Intranet);
        QCOMPARE(frame.List().Count(), std::size_t{kFiles});
        frame.FlushFastInfo();
        // Every file asks for a refresh; the bar is filled once per turn of the event loop.
        QVERIFY2(frame.FastInfoRefreshes() - before < kFiles / 10,
                 QByteArray::number(frame.FastInfoRefreshes() - before));
        QCOMPARE(frame.FastInfo().Field(4).text(), QStringLiteral("%1 Item(s)").arg(kFiles));
    }

    void ClosingIsRefusedWhileATaskRuns() {
        FrameFixture fixture;
        DemoSearch demo(fixture);
        demo.farm.SetHangEngines(true);
        fixture.Show();
        MainFrame& frame = *fixture.frame;
        BoxAnswerer boxes;
        boxes.Answer(QStringLiteral("Warnning:"), QMessageBox::Ok);
        boxes.Answer(QStringLiteral("Note:"), QMessageBox::Ok);
        frame.NewSearch(tasks::SearchMode::Internet);
        QVERIFY(frame.Control().state().taskRunning);
        QVERIFY(!frame.close());
        QVERIFY(frame.isVisible());
        QVERIFY(boxes.SawText(QString::fromLatin1(MainFrame::kWarningText)));
        QVERIFY(frame.Control().state().taskRunning);
        frame.Run(Command::StopTask);
        demo.farm.SetHangEngines(false);
    }

    void TheSaveQuestionOnClosing_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("savedItems");
        QTest::newRow("Yes saves and closes") << int(QMessageBox::Yes) << true << 3;
        QTest::newRow("No closes without saving") << int(QMessageBox::No) << true << 2;
        QTest::newRow("Cancel keeps the window") << int(QMessageBox::Cancel) << false << 2;
    }

    void TheSaveQuestionOnClosing() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(int, savedItems);
        FrameFixture fixture;
        fixture.Show();
        MainFrame& frame = *fixture.frame;
        fixture.AddItems(2);
        const std::string path = fixture.home.File("list.qzr").string();
        QVERIFY(frame.Document().SaveUnasked(path));
        fixture.AddItems(1, "http://127.0.0.1:9/more");
        QVERIFY(frame.List().IsModified());
        BoxAnswerer boxes;
        boxes.Answer(QStringLiteral("Note:"), static_cast<QMessageBox::StandardButton>(answer));
        QCOMPARE(frame.close(), closed);
        QVERIFY(boxes.SawText(QStringLiteral("Do you want save ?")));

        FrameFixture reader;
        reader.frame->OpenFromCommandLine(path);
        QCOMPARE(reader.frame->List().Count(), static_cast<std::size_t>(savedItems));
    }

    void AResultFileNamedOnTheCommandLineIsOpened() {
        FrameFixture writer;
        writer.AddItems(4);
        const std::string path = writer.home.File("named.QZR").string();
        QVERIFY(writer.frame->Document().SaveUnasked(path));
        const std::string other = writer.home.File("named.txt").string();
        std::filesystem::copy_file(path, other);

        FrameFixture fixture;
        fixture.frame->OpenFromCommandLine(other);
        QCOMPARE(fixture.frame->List().Count(), std::size_t{0});
        fixture.frame->OpenFromCommandLine(path);
        QCOMPARE(fixture.frame->List().Count(), std::size_t{4});
        fixture.frame->FlushFastInfo();
        QCOMPARE(fixture.frame->FastInfo().Field(6).text(), QString::fromStdString(path));
        QCOMPARE(fixture.frame->ListView().model()->rowCount(), 4);
    }

    void WorkerMessagesArriveWhileEachModalDialogIsOpen_data() {
        QTest::addColumn<int>("row");
        for (std::size_t row = 0; row < ModalRows().size(); ++row) {
            QTest::newRow(ModalRows()[row].name) << static_cast<int>(row);
        }
    }

    void WorkerMessagesArriveWhileEachModalDialogIsOpen() {
        QFETCH(int, row);
        const ModalRow& modal = ModalRows()[static_cast<std::size_t>(row)];
        FrameFixture fixture;
        settings::kShowWelcome.Write(fixture.profile, 0);
        fixture.Show();
        fixture.AddItems(2);
        fixture.frame->List().ClearModified();
        if (modal.setup) {
            modal.setup(fixture);
        }
        const FrameSnapshot before = FrameSnapshot::Of(fixture);
        {
            ModalProbe::Lead lead;
            if (modal.lead) {
                lead = [&](QDialog& dialog) { return modal.lead(fixture, dialog); };
            }
            ModalProbe probe(*fixture.frame, modal.key, lead);
            modal.trigger(fixture);
            QVERIFY2(probe.Unexpected().isEmpty(), qPrintable(probe.Unexpected().join(u'|')));
            QVERIFY2(probe.Seen(), "the dialog did not open");
            QVERIFY2(probe.RanWhileOpen(), "the worker's message waited for the dialog");
        }
        QVERIFY(FrameSnapshot::Of(fixture) == before);
    }
};

}  // namespace quexa::ui

QTEST_MAIN(quexa::ui::MainFrameTest)
#include "main_frame_test.moc"
