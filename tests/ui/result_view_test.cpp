#include "ui/result_view.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/memory_profile.h"
#include "core/plain_main_thread.h"
#include "core/settings_table.h"
#include "document_rig.h"
#include "files/result_file.h"
#include "platform/desktop_opener.h"
#include "platform/desktop_trash.h"
#include "recording_clipboard.h"
#include "recording_launcher.h"
#include "scripted_prompter.h"
#include "temp_folder.h"
#include "ui/edit_item_dialog.h"
#include "ui/execute_failed_dialog.h"
#include "ui/qt_clipboard.h"
#include "ui/result_context_menu.h"
#include "ui/result_list_view.h"
#include "ui/summarize_dialog.h"
#include "when_open.h"

namespace quexa::ui {
namespace {

namespace fs = std::filesystem;
using C = tasks::Command;
using core::StatusCode;
using core::VisitCode;
using Answer = core::Prompter::Answer;

// The window's parts a result view works with, each of its own, over a home folder of its own.
struct Harness : testing::DocumentRig {
    Harness() {
        cache.appDirectory = home.Path().string();
        cache.dataDirectory = home.Path().string();
        view.resize(640, 400);
        view.show();
    }

    std::size_t Add(const std::string& title, const std::string& location,
                    StatusCode status = StatusCode::Normal, bool selected = false,
                    VisitCode visit = VisitCode::WithoutVisit) {
        core::ResultItem item;
        item.title = title;
        item.location = location;
        item.searchTarget = "Engine " + title;
        item.preview = "Preview of " + title;
        item.status = status;
        item.visit = visit;
        item.selected = selected;
        return list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), std::move(item)).row;
    }
    // A file in the home folder, listed as an Intranet search lists it.
    std::size_t AddFile(const std::string& name, bool selected = false) {
        const fs::path path = home.File(name);
        fs::create_directories(path.parent_path());
        testing::WriteAll(path, "bytes of " + name);
        return Add(path.filename().string(), path.string(), StatusCode::Normal, selected);
    }
    QAction* Action(C command) { return view.Menu().ActionOf(command); }
    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (std::size_t row = 0; row < list.Count(); ++row) {
            titles.push_back(list.Item(row).title);
        }
        return titles;
    }

    testing::RecordingLauncher launcher;
    platform::DesktopOpener opener{"", launcher};
    platform::DesktopTrash trash;
    testing::RecordingClipboard clipboard;
    ResultView view{ResultViewContext{list, profile, cache, prompter, control, document, wait,
                                      opener, trash, clipboard, home.Path().string()}};
};

// What a folder chooser answers.
void ChooseFolder(const fs::path& folder) {
    WhenOpen<QFileDialog>([folder](QFileDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Please select save directory!"));
        dialog->setDirectory(QString::fromStdString(folder.string()));
        dialog->selectFile(QString::fromStdString(folder.string()));
        static_cast<QDialog*>(dialog)->accept();
    });
}

std::set<C> EnabledCommands(ResultContextMenu& menu) {
    menu.Refresh();
    std::set<C> enabled;
    for (const auto& [command, action] : menu.Entries()) {
        if (action->isEnabled()) {
            enabled.insert(command);
        }
    }
    return enabled;
}

std::vector<std::string> TrashedNames() {
    std::vector<std::string> names;
    const fs::path files =
        fs::path(qEnvironmentVariable("XDG_DATA_HOME").toStdString()) / "Trash" / "files";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(files, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

class ResultViewTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void TheMenuHasEveryCommandOfTheListInOrder() {
        Harness h;
        std::vector<QString> texts;
        for (QAction* action : h.view.Menu().actions()) {
            if (!action->isSeparator()) {
                texts.push_back(action->text());
            }
        }
        QCOMPARE(texts.size(), std::size_t{33});
        QCOMPARE(texts.front(), QStringLiteral("Browser Target"));
        QCOMPARE(texts[9], QStringLiteral("Select All\tCtrl+Shift+A"));
        QCOMPARE(texts[10], QStringLiteral("Unselect All\tCtrl+Z"));
        QCOMPARE(texts[25], QStringLiteral("Import"));
        QCOMPARE(texts[26], QStringLiteral("Export All"));
        QCOMPARE(texts[29], QStringLiteral("Export to TAB split Text File (Match Export Rule)"));
        QCOMPARE(texts[31], QStringLiteral("Summarize\tCtrl+Y"));
        QCOMPARE(texts.back(), QStringLiteral("Close Current File"));
    }

    void EntriesAreEnabledByTheirRules() {
        const std::set<C> always{C::AddItem, C::Import, C::EditExportRule};
        const std::set<C> withItems{C::AddItem,      C::Import,          C::EditExportRule,
                                    C::SelectAll,    C::SelectReachable, C::SelectUnreachable,
                                    C::SelectNormal, C::SelectUnknown,   C::SelectVisited,
                                    C::DeleteAll,    C::ExportAll,       C::ExportAllSeemly,
                                    C::ExportTabAll, C::ExportTabMatch,  C::Summarize};
        std::set<C> withFileRow = withItems;
        for (const C command : {C::BrowserTarget, C::OpenDir, C::EditItem, C::CopyItem,
                                C::CopyLocation, C::CopyTitle, C::CopyPreview, C::DeleteCurrent,
                                C::AddToFavorite, C::CopyCurrentTarget, C::DeleteCurrentTarget}) {
            withFileRow.insert(command);
        }
        {
            Harness h;
            QCOMPARE(EnabledCommands(h.view.Menu()), always);
            h.Add("web", "http://example.org/a", StatusCode::Verifing);
            QCOMPARE(EnabledCommands(h.view.Menu()), withItems);
            h.view.SetCurrentRow(h.AddFile("a.txt"));
            QCOMPARE(EnabledCommands(h.view.Menu()), withFileRow);

            // A verification keeps its hands on the Verifing row and on the deletions.
            h.view.SetCurrentRow(0);
            h.control.state().verifyRunning = true;
            const std::set<C> verifying = EnabledCommands(h.view.Menu());
            for (const C command :
                 {C::EditItem, C::DeleteCurrent, C::DeleteAll, C::OpenDir, C::CopyCurrentTarget}) {
                QVERIFY(!verifying.contains(command));
            }
            QVERIFY(verifying.contains(C::BrowserTarget));
            QVERIFY(verifying.contains(C::CopyItem));
            h.control.state().verifyRunning = false;

            // Selecting every row takes Select All away and brings the selection's commands.
            h.view.Run(C::SelectAll);
            const std::set<C> selected = EnabledCommands(h.view.Menu());
            QVERIFY(!selected.contains(C::SelectAll));
            for (const C command :
                 {C::UnselectAll, C::ReverseSelect, C::DeleteSelected, C::BrowserAllSelected,
                  C::CopyAllSelectedTarget, C::DeleteAllSelectedTarget}) {
                QVERIFY(selected.contains(command));
            }
            QVERIFY(!selected.contains(C::CloseCurrentFile));
            h.document.MarkListInUse();
            QVERIFY(EnabledCommands(h.view.Menu()).contains(C::CloseCurrentFile));
            h.control.state().taskRunning = true;
            QVERIFY(!EnabledCommands(h.view.Menu()).contains(C::CloseCurrentFile));
        }
    }

    void ADisabledCommandDoesNothing() {
        Harness h;
        h.Add("a", "http://example.org/a");
        h.list.ClearModified();
        // No current row: the copies and Delete Current are off.
        QVERIFY(h.view.Run(C::CopyItem));
        QVERIFY(h.view.Run(C::DeleteCurrent));
        QVERIFY(h.clipboard.texts.empty());
        QCOMPARE(h.list.Count(), std::size_t{1});
        QVERIFY(!h.list.IsModified());
        // Commands of the main window are not the view's.
        QVERIFY(!h.view.Run(C::NewSearch));
        QVERIFY(!h.view.Run(C::PreviewInformation));
    }

    void CommandsChangeTheRowsTheyName_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("checks");
        QTest::addColumn<bool>("listChanged");
        const auto row = [](const char* name, C command, Answer answer, QStringList titles,
                            const char* checks, bool changed) {
            QTest::newRow(name) << int(command) << int(answer) << titles << QString(checks)
                                << changed;
        };
        row("select all", C::SelectAll, Answer::No, {"a", "b", "c", "d"}, "xxxx", false);
        row("unselect all", C::UnselectAll, Answer::No, {"a", "b", "c", "d"}, "----", false);
        row("reverse", C::ReverseSelect, Answer::No, {"a", "b", "c", "d"}, "-xxx", false);
        row("reachable", C::SelectReachable, Answer::No, {"a", "b", "c", "d"}, "xx--", false);
        row("unreachable", C::SelectUnreachable, Answer::No, {"a", "b", "c", "d"}, "x-x-", false);
        row("normal", C::SelectNormal, Answer::No, {"a", "b", "c", "d"}, "x--x", false);
        row("unknown", C::SelectUnknown, Answer::No, {"a", "b", "c", "d"}, "x---", false);
        row("visited", C::SelectVisited, Answer::No, {"a", "b", "c", "d"}, "x-x-", false);
        row("delete current", C::DeleteCurrent, Answer::No, {"a", "c", "d"}, "x--", true);
        row("delete selected", C::DeleteSelected, Answer::Yes, {"b", "c", "d"}, "---", true);
        row("delete selected, no", C::DeleteSelected, Answer::No, {"a", "b", "c", "d"}, "x---",
            false);
        row("delete all", C::DeleteAll, Answer::Yes, {}, "", true);
    }

    void CommandsChangeTheRowsTheyName() {
        QFETCH(int, command);
        QFETCH(int, answer);
        QFETCH(QStringList, titles);
        QFETCH(QString, checks);
        QFETCH(bool, listChanged);
        Harness h;
        h.Add("a", "http://example.org/a", StatusCode::Normal, true);
        h.Add("b", "http://example.org/b", StatusCode::Reachable);
        h.Add("c", "http://example.org/c", StatusCode::Unreachable, false, VisitCode::Visited);
        h.Add("d", "http://example.org/d", StatusCode::Normal);
        h.view.SetCurrentRow(1);
        h.prompter.answers = {Answer(answer)};
        QSignalSpy changed(&h.view, &ResultView::ListChanged);
        h.Action(C(command))->trigger();
        QStringList shown;
        QString shownChecks;
        for (std::size_t row = 0; row < h.list.Count(); ++row) {
            shown << QString::fromStdString(h.list.Item(row).title);
            shownChecks += h.list.Item(row).selected ? 'x' : '-';
        }
        QCOMPARE(shown, titles);
        QCOMPARE(shownChecks, checks);
        QCOMPARE(changed.count() > 0, listChanged);
    }

    void TheViewsKeysSelectAndSummarize() {
        Harness h;
        h.Add("a", "http://example.org/a");
        h.Add("b", "http://example.org/b");
        h.view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.view));
        h.view.ListView().setFocus();
        QTest::keyClick(&h.view.ListView(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(h.list.SelectedCount(), std::size_t{2});
        QTest::keyClick(&h.view.ListView(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(h.list.SelectedCount(), std::size_t{0});
        bool summarized = false;
        WhenOpen<SummarizeDialog>([&](SummarizeDialog* dialog) {
            summarized = true;
            dialog->accept();
        });
        QTest::keyClick(&h.view.ListView(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(summarized);
    }

    void TheMenuOpensAtTheRowClickedOrTheCurrentOne() {
        Harness h;
        h.Add("a", "http://example.org/a");
        h.Add("b", "http://example.org/b");
        ResultListView& list = h.view.ListView();
        const QPoint second = list.visualRect(list.model()->index(1, 5)).center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, second,
                                list.viewport()->mapToGlobal(second));
        QApplication::sendEvent(list.viewport(), &click);
        QVERIFY(h.view.Menu().isVisible());
        QCOMPARE(h.view.CurrentRow(), std::optional<std::size_t>(1));
        h.view.Menu().hide();

        // Over empty space there is no current row, and the row's commands are off.
        const QPoint below(5, list.viewport()->height() - 2);
        QContextMenuEvent empty(QContextMenuEvent::Mouse, below,
                                list.viewport()->mapToGlobal(below));
        QApplication::sendEvent(list.viewport(), &empty);
        QCOMPARE(h.view.CurrentRow(), std::nullopt);
        QVERIFY(!h.Action(C::BrowserTarget)->isEnabled());
        h.view.Menu().hide();

        list.SetCurrentRow(0);
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(h.view.Menu().isVisible());
        QCOMPARE(h.view.CurrentRow(), std::optional<std::size_t>(0));
        h.view.Menu().hide();
    }

    void BrowserTargetOpensAndMarksTheRowVisited() {
        Harness h;
        const std::size_t web = h.Add("web", "example.org/page", StatusCode::Unknown);
        const std::size_t file = h.AddFile("docs/plan.txt");
        h.list.ClearModified();
        ResultListView& list = h.view.ListView();
        const QPoint first = list.visualRect(list.model()->index(int(web), 5)).center();
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, first);
        QCOMPARE(h.launcher.urls, std::vector<std::string>{"http://example.org/page"});
        QCOMPARE(h.list.Item(web).visit, VisitCode::Visited);
        QCOMPARE(h.list.Item(web).status, StatusCode::Unknown);
        QVERIFY(h.list.IsModified());

        h.view.SetCurrentRow(file);
        h.Action(C::BrowserTarget)->trigger();
        QCOMPARE(h.list.Item(file).status, StatusCode::Reachable);
        QCOMPARE(h.list.Item(file).visit, VisitCode::Visited);
        QVERIFY(QString::fromStdString(h.launcher.urls.back()).endsWith("docs/plan.txt"));

        h.Action(C::OpenDir)->trigger();
        // The title is taken out of the location: the file's folder opens.
        QVERIFY(QString::fromStdString(h.launcher.urls.back()).endsWith("/docs/"));
    }

    void AMissingFileShowsExecuteFailed() {
        Harness h;
        const std::string missing = h.home.File("gone/report.pdf").string();
        h.Add("report.pdf", missing);
        h.view.SetCurrentRow(0);
        QStringList seen;
        QTimer::singleShot(0, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<ExecuteFailedDialog*>(widget);
                if (dialog == nullptr || !dialog->isVisible()) {
                    continue;
                }
                seen << dialog->windowTitle();
                for (QLabel* label : dialog->findChildren<QLabel*>()) {
                    seen << label->text();
                }
                for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
                    seen << edit->text();
                }
                dialog->accept();
            }
        });
        h.Action(C::BrowserTarget)->trigger();
        QCOMPARE(seen, (QStringList{"Execute Failed", "An error occupy when execute!",
                                    "File Path:", "Error Code:", QString::fromStdString(missing),
                                    "The specified path was not found. "}));
        QCOMPARE(h.list.Item(0).status, StatusCode::Unreachable);
        QCOMPARE(h.list.Item(0).visit, VisitCode::Visited);
        QVERIFY(h.launcher.urls.empty());
    }

    void BrowserAllSelectedAsksAboveThree() {
        for (const int selected : {3, 4}) {
            Harness h;
            for (int row = 0; row < 5; ++row) {
                h.Add("r" + std::to_string(row), "http://example.org/" + std::to_string(row),
                      StatusCode::Normal, row < selected);
            }
            h.prompter.answers = {Answer::Yes};
            h.view.SetCurrentRow(0);
            h.Action(C::BrowserAllSelected)->trigger();
            QCOMPARE(h.launcher.urls.size(), std::size_t(selected));
            QCOMPARE(h.prompter.boxes.size(), std::size_t(selected > 3 ? 1 : 0));
            QCOMPARE(h.view.CurrentRow(), std::optional<std::size_t>(4));
        }
        Harness h;
        for (int row = 0; row < 4; ++row) {
            h.Add("r" + std::to_string(row), "http://example.org/" + std::to_string(row),
                  StatusCode::Normal, true);
        }
        h.Action(C::BrowserAllSelected)->trigger();
        QCOMPARE(
            h.prompter.boxes,
            std::vector<std::string>{
                "Warning: Warring: \r\n    You want to open << 4 >> target, are you really ?"});
        QVERIFY(h.launcher.urls.empty());
    }

    void TheCopiesPutTheirTextOnTheClipboard() {
        Harness h;
        h.Add("Kite", "http://example.org/kite");
        h.view.SetCurrentRow(0);
        for (const C command : {C::CopyItem, C::CopyLocation, C::CopyTitle, C::CopyPreview}) {
            h.Action(command)->trigger();
        }
        QCOMPARE(h.clipboard.texts,
                 (std::vector<std::string>{
                     "Title: Kite\r\nLocation: http://example.org/kite\r\nTarget: Engine "
                     "Kite\r\nPreview: -----------------------------------\r\nPreview of "
                     "Kite\r\n\r\n",
                     "http://example.org/kite", "Kite", "Preview of Kite"}));
    }

    void AddAndEditItemGoThroughTheDialog() {
        Harness h;
        h.Add("a", "http://example.org/a", StatusCode::Unknown, false, VisitCode::Visited);
        h.view.SetCurrentRow(0);
        QSignalSpy changed(&h.view, &ResultView::ListChanged);
        WhenOpen<EditItemDialog>([](EditItemDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit Item"));
            auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            QVERIFY(!ok->isEnabled());
            const auto edits = dialog->findChildren<QLineEdit*>();
            edits[0]->setText("New");
            QVERIFY(!ok->isEnabled());
            edits[1]->setText("http://example.org/new");
            QVERIFY(ok->isEnabled());
            dialog->findChild<QPlainTextEdit*>()->setPlainText("typed preview");
            ok->click();
        });
        h.Action(C::AddItem)->trigger();
        QCOMPARE(h.Titles(), (std::vector<std::string>{"New", "a"}));
        QCOMPARE(h.list.Item(0).preview, "typed preview");
        QCOMPARE(h.list.Item(0).status, StatusCode::Normal);
        QVERIFY(h.document.listInUse());
        QCOMPARE(changed.count(), 1);

        // Edit keeps what is not picked, and takes what is.
        h.view.SetCurrentRow(1);
        WhenOpen<EditItemDialog>([](EditItemDialog* dialog) {
            const auto edits = dialog->findChildren<QLineEdit*>();
            QCOMPARE(edits[0]->text(), QStringLiteral("a"));
            edits[0]->setText("Renamed");
            auto* visit = dialog->findChildren<QComboBox*>()[1];
            QCOMPARE(visit->currentText(), QStringLiteral("Visited"));
            dialog->accept();
        });
        h.Action(C::EditItem)->trigger();
        QCOMPARE(h.list.Item(1).title, "Renamed");
        QCOMPARE(h.list.Item(1).status, StatusCode::Unknown);
        QCOMPARE(h.list.Item(1).visit, VisitCode::Visited);
    }

    void SummarizeShowsTheCounts() {
        Harness h;
        h.Add("a", "http://example.org/a", StatusCode::Reachable, false, VisitCode::Visited);
        h.Add("b", "http://example.org/b", StatusCode::Reachable);
        h.Add("c", "http://example.org/c", StatusCode::Unknown);
        h.Add("d", "http://example.org/d", StatusCode::Timeout);
        QStringList rows;
        QStringList headers;
        WhenOpen<SummarizeDialog>([&](SummarizeDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Summarize"));
            QTreeWidget* counts = dialog->Counts();
            for (int column = 0; column < counts->columnCount(); ++column) {
                headers << counts->headerItem()->text(column);
            }
            for (int row = 0; row < counts->topLevelItemCount(); ++row) {
                QTreeWidgetItem* item = counts->topLevelItem(row);
                QVERIFY(!item->icon(0).isNull());
                rows << item->text(1) + "=" + item->text(2);
            }
            dialog->accept();
        });
        QSignalSpy changed(&h.view, &ResultView::ListChanged);
        h.Action(C::Summarize)->trigger();
        QCOMPARE(headers, (QStringList{"!", "Status", "Count"}));
        QCOMPARE(rows, (QStringList{"Count: =4", "Without Visit=3", "Visited=1", "Normal=0",
                                    "Reachable=2", "Unreachable=0", "Unknown=1", "Verifing=0"}));
        QCOMPARE(changed.count(), 1);
        QVERIFY(!h.wait.IsOpen());
    }

    void TargetsAreCopiedAndTrashed() {
        Harness h;
        const std::size_t first = h.AddFile("src/one.txt", true);
        h.AddFile("src/two.txt", true);
        const std::size_t folder = h.Add("sub", h.home.File("src/sub").string());
        fs::create_directories(h.home.File("src/sub"));
        testing::WriteAll(h.home.File("src/sub/inner.txt"), "inner");
        const fs::path out = h.home.File("out");
        fs::create_directories(out);

        h.view.SetCurrentRow(folder);
        ChooseFolder(out);
        h.Action(C::CopyCurrentTarget)->trigger();
        QCOMPARE(testing::ReadAll(out / "sub" / "inner.txt"), std::string("inner"));

        ChooseFolder(out);
        h.Action(C::CopyAllSelectedTarget)->trigger();
        QCOMPARE(testing::ReadAll(out / "one.txt"), std::string("bytes of src/one.txt"));
        QCOMPARE(testing::ReadAll(out / "two.txt"), std::string("bytes of src/two.txt"));
        QVERIFY(!h.wait.IsOpen());

        h.view.SetCurrentRow(first);
        QSignalSpy changed(&h.view, &ResultView::ListChanged);
        h.Action(C::DeleteCurrentTarget)->trigger();
        QVERIFY(!fs::exists(h.home.File("src/one.txt")));
        QCOMPARE(h.Titles(), (std::vector<std::string>{"two.txt", "sub"}));
        QCOMPARE(h.view.CurrentRow(), std::nullopt);
        QCOMPARE(changed.count(), 1);

        h.list.SetSelected(1, true);
        h.prompter.answers = {Answer::Yes};
        h.Action(C::DeleteAllSelectedTarget)->trigger();
        QVERIFY(!fs::exists(h.home.File("src/two.txt")));
        QVERIFY(!fs::exists(h.home.File("src/sub")));
        QVERIFY(h.list.Empty());
        QCOMPARE(h.prompter.boxes,
                 std::vector<std::string>{"Warning: Are you sure delete all selected item ?"});
        const std::vector<std::string> trashed = TrashedNames();
        for (const char* name : {"one.txt", "two.txt", "sub"}) {
            QVERIFY2(std::find(trashed.begin(), trashed.end(), name) != trashed.end(), name);
        }
    }

    void SaveCloseAndOpenAgain() {
        Harness h;
        h.Add("a", "http://example.org/a");
        h.Add("b", "http://example.org/b");
        const std::string name = h.home.File("Data/Internet/kept").string();
        h.prompter.files = {name};
        QVERIFY(h.view.Run(C::Save));
        QVERIFY(fs::exists(name + ".qzr"));
        QVERIFY(!h.list.IsModified());

        h.document.MarkListInUse();
        QSignalSpy changed(&h.view, &ResultView::ListChanged);
        h.Action(C::CloseCurrentFile)->trigger();
        QVERIFY(h.list.Empty());
        QVERIFY(!h.document.listInUse());
        QCOMPARE(changed.count(), 1);

        h.view.OpenFromCommandLine(name + ".qzr");
        QCOMPARE(h.Titles(), (std::vector<std::string>{"a", "b"}));
        QVERIFY(!h.list.IsModified());
        h.view.OpenFromCommandLine(name + ".txt");
        QCOMPARE(h.list.Count(), std::size_t{2});
    }

    void ImportAndExportWriteAndReadFiles() {
        Harness h;
        core::ResultList other;
        core::ResultItem item;
        item.title = "Imported";
        item.location = "http://example.org/imported";
        other.AddItem(0, item);
        const fs::path source = h.home.File("other.qzr");
        QVERIFY(files::WriteResultFile(source, other, files::ResultFileHeader{}));
        h.Add("a", "http://example.org/a", StatusCode::Reachable, false, VisitCode::Visited);
        h.Add("b", "http://example.org/b", StatusCode::Timeout);

        h.prompter.files = {h.home.File("other").string()};
        h.Action(C::Import)->trigger();
        QCOMPARE(h.Titles(), (std::vector<std::string>{"a", "b", "Imported"}));
        QVERIFY(h.list.IsModified());

        // The rule by default takes Reachable and Normal rows and visited ones: not b.
        const fs::path text = h.home.File("seemly.txt");
        h.prompter.files = {text.string()};
        h.Action(C::ExportAllSeemly)->trigger();
        QCOMPARE(testing::ReadAll(text),
                 std::string("Title: a\r\nLocation: http://example.org/a\r\nSearch Target: "
                             "Engine a\r\nPreview: Preview of a\r\nTitle: Imported\r\nLocation: "
                             "http://example.org/imported\r\nSearch Target: \r\nPreview: \r\n"));
        const fs::path tab = h.home.File("all.txt");
        h.prompter.files = {tab.string()};
        h.Action(C::ExportTabAll)->trigger();
        QCOMPARE(testing::ReadAll(tab),
                 std::string("a\thttp://example.org/a\tEngine a\tPreview of a\t\r\n"
                             "b\thttp://example.org/b\tEngine b\tPreview of b\t\r\n"
                             "Imported\thttp://example.org/imported\t\t\t\r\n"));
        QCOMPARE(h.prompter.fileRequests.back().caption, "Export All");
        QVERIFY(!h.wait.IsOpen());

        const fs::path page = h.home.File("page.htm");
        h.prompter.files = {page.string()};
        QVERIFY(h.view.Run(C::ExportAll));
        QVERIFY(testing::ReadAll(page).find("http://example.org/imported") != std::string::npos);
        QCOMPARE(h.launcher.urls.back(), "file://" + page.string());
    }

    void FavoritesGoToTheirOwnFile() {
        Harness h;
        QVERIFY(fs::is_directory(h.home.File("Data/Intranet")));
        QVERIFY(fs::is_directory(h.home.File("Temp/wan/broken")));
        h.Add("Kite", "http://example.org/kite", StatusCode::Reachable, true);
        h.view.SetCurrentRow(0);
        h.Action(C::AddToFavorite)->trigger();
        h.Action(C::AddToFavorite)->trigger();
        core::ResultList favorites;
        const files::LoadedFile loaded = files::LoadResultFile(
            h.home.File("Data/MyFav/Favorites.qzr"), favorites, files::LoadOptions{});
        QVERIFY(loaded.Loaded());
        QCOMPARE(favorites.Count(), std::size_t{1});
        QCOMPARE(favorites.Item(0).title, "Kite");
    }

    void EditExportRuleIsLeftToTheWindow() {
        Harness h;
        QSignalSpy asked(&h.view, &ResultView::EditExportRuleRequested);
        h.Action(C::EditExportRule)->trigger();
        QCOMPARE(asked.count(), 1);
    }

    void PreviewAndAppearanceFollowTheProfile() {
        Harness h;
        QCOMPARE(h.view.ListView().PreviewHeight(), 50);
        QSignalSpy toggled(&h.view, &ResultView::PreviewToggled);
        h.view.TogglePreview();
        QCOMPARE(toggled.count(), 1);
        QCOMPARE(toggled.at(0).at(0).toBool(), false);
        QVERIFY(!h.view.PreviewVisible());
        QCOMPARE(h.view.ListView().PreviewHeight(), 0);
        QCOMPARE(core::settings::kPreview.Read(h.profile), 0);
        h.view.TogglePreview();
        QCOMPARE(core::settings::kPreview.Read(h.profile), 1);

        core::settings::kAlternateColor.Write(h.profile, 1);
        core::settings::kUseBackgroundImage.Write(h.profile, 0);
        h.view.ApplyAppearance();
        QVERIFY(h.view.ListView().Appearance().alternateRows);
        QCOMPARE(h.view.ListView().Appearance().background, std::nullopt);
    }

    void TheCheckBoxMarksTheListModified() {
        Harness h;
        h.Add("a", "http://example.org/a");
        h.list.ClearModified();
        QSignalSpy states(&h.view, &ResultView::CommandStatesChanged);
        ResultListView& list = h.view.ListView();
        list.SetCurrentRow(0);
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_Space);
        QVERIFY(h.list.Item(0).selected);
        QVERIFY(h.list.IsModified());
        QVERIFY(states.count() > 0);
        QVERIFY(EnabledCommands(h.view.Menu()).contains(C::DeleteSelected));
    }

    void TheDesktopClipboardTakesUtf8Text() {
        QtClipboard clipboard;
        clipboard.SetText("Z\xc3\xbcrich \xe2\x9c\x93");
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Z\u00fcrich \u2713"));
    }

    void TheModelPassesTheModelTester() {
        Harness h;
        QAbstractItemModelTester tester(h.view.ListView().model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        h.Add("a", "http://example.org/a");
        h.Add("b", "http://example.org/b", StatusCode::Normal, true);
        h.view.SetCurrentRow(0);
        h.Action(C::DeleteCurrent)->trigger();
        h.prompter.answers = {Answer::Yes};
        h.Action(C::DeleteAll)->trigger();
        QVERIFY(h.list.Empty());
    }
};

}  // namespace quexa::ui

int main(int argc, char** argv) {
    // The trash of the target commands lands in a data folder of the test's own.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    QApplication application(argc, argv);
    quexa::ui::ResultViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "result_view_test.moc"
