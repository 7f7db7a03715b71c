#include "ui/scheme_editor/scheme_editor_dialog.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "core/memory_profile.h"
#include "engines/engine_record.h"
#include "engines/scheme_file.h"
#include "engines/scheme_list.h"
#include "files/engine_block.h"
#include "recording_opener.h"
#include "scripted_prompter.h"
#include "temp_folder.h"
#include "ui/scheme_editor/edit_engine_dialog.h"
#include "ui/scheme_editor/scheme_engine_model.h"
#include "ui/scheme_editor/scheme_engine_view.h"
#include "ui/scheme_editor/scheme_name_dialog.h"

namespace quexa::ui {
namespace {

namespace fs = std::filesystem;
using Answer = core::Prompter::Answer;
// Engine name, return number, ticked.
using Row = std::tuple<std::string, int, bool>;

constexpr const char* kDir = "News";

// A program folder with the engines of one category and its scheme folder.
struct Home {
    Home() {
        folders.appDirectory = folder.Path().string();
        folders.dataDirectory = folders.appDirectory;
        fs::create_directories(SchemeFolder());
    }

    void AddEngine(const std::string& name, const std::string& site = "www.example.org") const {
        engines::EngineRecord record;
        record.SetText(engines::EngineRecord::kName, name);
        record.SetText(engines::EngineRecord::kWebSite, site);
        const fs::path file = folder.Path() / "Categories" / kDir / (name + ".qzf");
        fs::create_directories(file.parent_path());
        files::WriteEngineBlock(file, record.bytes());
    }
    std::string SchemeFolder() const { return folders.dataDirectory + "/UserData/Scheme/News/"; }
    std::string PathOf(const std::string& name) const { return SchemeFolder() + name + ".scm"; }
    std::string WriteScheme(const std::string& name, const std::vector<Row>& rows,
                            const std::string& note = {}) const {
        std::vector<engines::SchemeEntry> entries;
        for (const auto& [engine, number, ticked] : rows) {
            entries.push_back({engine, number, static_cast<std::uint8_t>(ticked)});
        }
        engines::SchemeFile::Save(PathOf(name), note, entries);
        return PathOf(name);
    }

    testing::TempFolder folder;
    core::AppFolders folders;
};

std::vector<Row> FileRows(const std::string& path) {
    engines::SchemeFile file;
    engines::SchemeHeader header;
    std::vector<Row> rows;
    if (!file.Open(path) || !file.ReadHeader(header)) {
        return rows;
    }
    for (std::uint32_t i = 0; i < header.entryCount; ++i) {
        engines::SchemeEntry entry;
        file.ReadEntry(i, entry);
        rows.emplace_back(entry.engineName, entry.returnNumber, entry.Selected());
    }
    return rows;
}

std::vector<Row> ShownRows(const SchemeEditorDialog& dialog) {
    const QAbstractItemModel& model = dialog.EngineModel();
    std::vector<Row> rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        rows.emplace_back(
            model.index(row, SchemeEngineModel::Engine).data().toString().toStdString(),
            model.index(row, SchemeEngineModel::Result).data().toInt(),
            model.index(row, SchemeEngineModel::Select).data(Qt::CheckStateRole).toInt() ==
                Qt::Checked);
    }
    return rows;
}

// Runs the actions in turn, each on the next modal dialog that opens.
void OnModals(std::vector<std::function<void(QWidget&)>> actions) {
    if (actions.empty()) {
        return;
    }
    QTimer::singleShot(0, [actions = std::move(actions)]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            OnModals(std::move(actions));
            return;
        }
        auto action = std::move(actions.front());
        actions.erase(actions.begin());
        OnModals(std::move(actions));
        action(*modal);
        // A failed check returns early: the dialog must not hold the test up.
        if (auto* dialog = qobject_cast<QDialog*>(modal);
            dialog != nullptr && dialog->isVisible()) {
            dialog->reject();
        }
    });
}

// Runs the action on the next popup menu that opens; done is set once it has run.
void OnMenu(std::function<void(QMenu&)> action, bool& done) {
    QTimer::singleShot(0, [action = std::move(action), &done]() mutable {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            OnMenu(std::move(action), done);
            return;
        }
        done = true;
        action(*menu);
        if (menu->isVisible()) {
            menu->close();
        }
    });
}

// The name dialog answers with a typed name; an empty name presses Cancel.
std::function<void(QWidget&)> Name(const QString& typed, const QString& expectShown = {}) {
    return [typed, expectShown](QWidget& modal) {
        auto* dialog = qobject_cast<SchemeNameDialog*>(&modal);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Search Scheme Name -- Quexa"));
        QCOMPARE(dialog->Name().text(), expectShown);
        if (typed.isEmpty()) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        dialog->Name().selectAll();
        QTest::keyClicks(&dialog->Name(), typed);
        QTest::keyClick(&dialog->Name(), Qt::Key_Return);
    };
}

struct Harness {
    Harness() {
        for (const char* engine : {"Q", "R", "S"}) {
            home.AddEngine(engine);
        }
    }
    std::unique_ptr<SchemeEditorDialog> Open() {
        auto dialog =
            std::make_unique<SchemeEditorDialog>(home.folders, profile, kDir, prompter, opener);
        tester = std::make_unique<QAbstractItemModelTester>(
            &dialog->EngineModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        dialog->show();
        return dialog;
    }
    // Picks a scheme with the keyboard, as a person would.
    static void Pick(SchemeEditorDialog& dialog, int index) {
        QComboBox& list = dialog.Schemes();
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_Home);
        for (int step = 0; step < index; ++step) {
            QTest::keyClick(&list, Qt::Key_Down);
        }
    }
    std::string Remembered() const { return engines::GetLastScheme(profile, kDir); }

    Home home;
    core::MemoryProfile profile;
    testing::ScriptedPrompter prompter;
    testing::RecordingOpener opener;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

}  // namespace

class SchemeEditorTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void OpensOnTheSystemSchemeWithEveryEngine() {
        Harness h;
        const auto dialog = h.Open();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Config Search Scheme - Quexa"));
        QCOMPARE(dialog->Schemes().count(), 1);
        QCOMPARE(dialog->Schemes().currentText(), QStringLiteral("System Scheme"));
        QCOMPARE(dialog->Note().toPlainText().toStdString(),
                 std::string(engines::kSystemSchemeNote));
        QCOMPARE(ShownRows(*dialog),
                 (std::vector<Row>{{"Q", 10, true}, {"R", 10, true}, {"S", 10, true}}));
        const QStringList headings{"Select", "Engine", "Result", "WebSite", "Operators", "Support"};
        for (int column = 0; column < headings.size(); ++column) {
            QCOMPARE(dialog->EngineModel()
                         .headerData(column, Qt::Horizontal, Qt::DisplayRole)
                         .toString(),
                     headings[column]);
        }
        const QModelIndex support = dialog->EngineModel().index(0, SchemeEngineModel::Support);
        QCOMPARE(support.data().toString(),
                 QStringLiteral("Normal/Update/User define return number"));
        QCOMPARE(dialog->Engines().columnWidth(SchemeEngineModel::Engine), 250);
        QVERIFY(dialog->NewButton().isEnabled());
        QVERIFY(!dialog->RenameButton().isEnabled() && !dialog->RemoveButton().isEnabled());
        QVERIFY(!dialog->Slider().isEnabled());
        QVERIFY(dialog->Note().isReadOnly());
        // The system scheme's ticks are not the person's to change.
        QVERIFY(!(dialog->EngineModel().index(0, 0).flags() & Qt::ItemIsUserCheckable));
    }

    void NewThenCancelCreatesNothing() {
        Harness h;
        const auto dialog = h.Open();
        OnModals({[](QWidget& modal) {
            auto* name = qobject_cast<SchemeNameDialog*>(&modal);
            QVERIFY(name != nullptr);
            QVERIFY(!name->OkButton().isEnabled());
            QTest::keyClicks(&name->Name(), QStringLiteral("   "));
            QVERIFY(!name->OkButton().isEnabled());
            QTest::keyClick(name, Qt::Key_Escape);
        }});
        QTest::mouseClick(&dialog->NewButton(), Qt::LeftButton);
        QCOMPARE(dialog->Schemes().count(), 1);
        QVERIFY(fs::is_empty(h.home.SchemeFolder()));
        QVERIFY(h.prompter.boxes.empty());
    }

    void NamesDifferingOnlyInCaseAreRefused() {
        Harness h;
        const auto dialog = h.Open();
        OnModals({Name("system SCHEME"), Name("  Mine  ")});
        QTest::mouseClick(&dialog->NewButton(), Qt::LeftButton);
        QCOMPARE(h.prompter.boxes,
                 std::vector<std::string>{"Error: Scheme is existed , \nplease rename it !"});
        QCOMPARE(dialog->Schemes().currentText(), QStringLiteral("Mine"));
        QCOMPARE(FileRows(h.home.PathOf("Mine")),
                 (std::vector<Row>{{"Q", 10, true}, {"R", 10, true}, {"S", 10, true}}));
        QVERIFY(dialog->RenameButton().isEnabled() && dialog->RemoveButton().isEnabled());
        QVERIFY(dialog->Slider().isEnabled());
        QCOMPARE(dialog->Note().toPlainText(), QString());

        // A change of letter case alone counts as existing: the dialog comes back with the old
        // name, and Cancel there leaves everything.
        OnModals({Name("MINE", "Mine"), Name("", "Mine")});
        QTest::mouseClick(&dialog->RenameButton(), Qt::LeftButton);
        QCOMPARE(h.prompter.boxes.size(), std::size_t{2});
        QVERIFY(fs::exists(h.home.PathOf("Mine")));
        QCOMPARE(dialog->Schemes().currentText(), QStringLiteral("Mine"));
    }

    void ASchemeIsRewrittenToTheCategorysEngines() {
        Harness h;
        const std::string old =
            h.home.WriteScheme("Old", {{"P", 5, true}, {"Q", 20, true}, {"R", 7, false}});
        h.profile.WriteString("UserData\\Scheme", "News.LastScheme", old);
        const auto dialog = h.Open();
        QCOMPARE(dialog->Schemes().currentText(), QStringLiteral("Old"));
        QCOMPARE(ShownRows(*dialog),
                 (std::vector<Row>{{"Q", 20, true}, {"R", 7, false}, {"S", 10, true}}));
        // Opening alone does not save; choosing the scheme does.
        QCOMPARE(FileRows(old).size(), std::size_t{3});
        QCOMPARE(std::get<0>(FileRows(old)[0]), std::string("P"));
        Harness::Pick(*dialog, 1);
        QCOMPARE(FileRows(old),
                 (std::vector<Row>{{"Q", 20, true}, {"R", 7, false}, {"S", 10, true}}));

        OnModals({Name("Renamed", "Old")});
        QTest::mouseClick(&dialog->RenameButton(), Qt::LeftButton);
        QVERIFY(!fs::exists(old));
        QVERIFY(fs::exists(h.home.PathOf("Renamed")));
        QCOMPARE(h.Remembered(), h.home.PathOf("Renamed"));
        QCOMPARE(dialog->Schemes().currentText(), QStringLiteral("Renamed"));
    }

    void SliderChangesTickedRowsOnly() {
        Harness h;
        const std::string path =
            h.home.WriteScheme("Mine", {{"Q", 10, true}, {"R", 3, false}, {"S", 10, true}});
        const auto dialog = h.Open();
        Harness::Pick(*dialog, 1);
        QSlider& slider = dialog->Slider();
        slider.setFocus();
        QTest::keyClick(&slider, Qt::Key_PageUp);
        QTest::keyClick(&slider, Qt::Key_PageUp);
        for (int step = 0; step < 4; ++step) {
            QTest::keyClick(&slider, Qt::Key_Right);
        }
        QCOMPARE(slider.value(), 25);
        const std::vector<Row> expected{{"Q", 25, true}, {"R", 3, false}, {"S", 25, true}};
        QCOMPARE(ShownRows(*dialog), expected);
        QCOMPARE(FileRows(path), expected);
    }

    void TicksAndEditEngineSaveAtOnce() {
        Harness h;
        const std::string path = h.home.WriteScheme("Mine", {});
        const auto dialog = h.Open();
        Harness::Pick(*dialog, 1);
        SchemeEngineView& view = dialog->Engines();
        // The tick of row R, by the space bar on the current cell.
        view.setFocus();
        view.setCurrentIndex(dialog->EngineModel().index(1, SchemeEngineModel::Select));
        QTest::keyClick(&view, Qt::Key_Space);
        QCOMPARE(std::get<2>(FileRows(path)[1]), false);

        OnModals({[](QWidget& modal) {
            auto* edit = qobject_cast<EditEngineDialog*>(&modal);
            QVERIFY(edit != nullptr);
            QCOMPARE(edit->windowTitle(), QStringLiteral("Edit Engine"));
            auto* number = edit->Result().findChild<QLineEdit*>();
            QCOMPARE(edit->focusWidget(), &edit->Result());
            QCOMPARE(number->selectedText(), QStringLiteral("10"));
            QTest::keyClicks(&edit->Result(), QStringLiteral("42"));
            QTest::mouseClick(&edit->VisitButton(), Qt::LeftButton);
            QTest::keyClick(&edit->Result(), Qt::Key_Return);
        }});
        const QRect cell = view.visualRect(dialog->EngineModel().index(2, 1));
        // A double-click is a click followed by a second press.
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(FileRows(path),
                 (std::vector<Row>{{"Q", 10, true}, {"R", 10, false}, {"S", 42, true}}));
        QCOMPARE(h.opener.browsed, std::vector<std::string>{"http://www.example.org"});
    }

    void SystemSchemeEnginesAreShownReadOnly() {
        Harness h;
        const auto dialog = h.Open();
        OnModals({[](QWidget& modal) {
            auto* edit = qobject_cast<EditEngineDialog*>(&modal);
            QVERIFY(edit != nullptr);
            QVERIFY(!edit->Result().isEnabled());
            QVERIFY(!edit->OkButton().isEnabled());
            QTest::keyClick(edit, Qt::Key_Escape);
        }});
        dialog->Engines().setFocus();
        dialog->Engines().setCurrentIndex(dialog->EngineModel().index(0, 1));
        bool done = false;
        OnMenu(
            [](QMenu& menu) {
                QCOMPARE(menu.actions().at(0)->text(), QStringLiteral("Edit Engine"));
                QVERIFY(menu.actions().at(0)->isEnabled());
                QVERIFY(!menu.actions().at(1)->isEnabled());  // Reset Default: user schemes only
                menu.setActiveAction(menu.actions().at(0));
                QTest::keyClick(&menu, Qt::Key_Return);
            },
            done);
        QTest::keyClick(&dialog->Engines(), Qt::Key_Menu);
        QTRY_VERIFY(done);
    }

    void ResetDefaultThenCancelLeavesTheFile() {
        Harness h;
        const std::vector<Row> saved{{"Q", 5, false}, {"R", 6, true}, {"S", 7, true}};
        const std::string path = h.home.WriteScheme("Mine", saved);
        h.profile.WriteString("UserData\\Scheme", "News.LastScheme", path);
        const auto dialog = h.Open();
        dialog->Engines().setFocus();
        dialog->Engines().setCurrentIndex(dialog->EngineModel().index(0, 1));
        bool done = false;
        OnMenu(
            [](QMenu& menu) {
                QCOMPARE(menu.actions().at(1)->text(), QStringLiteral("Reset Default"));
                QVERIFY(menu.actions().at(1)->isEnabled());
                menu.setActiveAction(menu.actions().at(1));
                QTest::keyClick(&menu, Qt::Key_Return);
            },
            done);
        QTest::keyClick(&dialog->Engines(), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(done);
        QCOMPARE(ShownRows(*dialog),
                 (std::vector<Row>{{"Q", 10, true}, {"R", 10, true}, {"S", 10, true}}));
        dialog->reject();
        QCOMPARE(FileRows(path), saved);
    }

    void NoteOf255CharactersIsSavedWholeAndOkRemembers() {
        Harness h;
        const std::string path = h.home.WriteScheme("Mine", {});
        const auto dialog = h.Open();
        Harness::Pick(*dialog, 1);
        dialog->Note().setFocus();
        QTest::keyClicks(&dialog->Note(), QString(260, QLatin1Char('n')));
        QCOMPARE(dialog->Note().toPlainText().size(), 255);
        QVERIFY(h.Remembered().empty());
        QTest::keyClick(&dialog->Schemes(), Qt::Key_Return);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(engines::ReadSchemeNote(path), std::string(255, 'n'));
        QCOMPARE(h.Remembered(), path);
    }

    void RunReturnsTheRememberedSchemeOnOkOnly() {
        Harness h;
        const std::string path = h.home.WriteScheme("Mine", {});
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<SchemeEditorDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            Harness::Pick(*dialog, 1);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QCOMPARE(
            SchemeEditorDialog::Run(h.home.folders, h.profile, kDir, h.prompter, h.opener, nullptr),
            std::nullopt);
        QVERIFY(h.Remembered().empty());
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<SchemeEditorDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            Harness::Pick(*dialog, 1);
            dialog->accept();
        });
        QCOMPARE(
            SchemeEditorDialog::Run(h.home.folders, h.profile, kDir, h.prompter, h.opener, nullptr),
            std::optional<std::string>(path));
    }

    void RemoveAsksThenForgetsTheScheme() {
        Harness h;
        const std::string mine = h.home.WriteScheme("Mine", {});
        h.home.WriteScheme("Other", {});
        h.profile.WriteString("UserData\\Scheme", "News.LastScheme", mine);
        const auto dialog = h.Open();
        Harness::Pick(*dialog, 2);
        h.prompter.answers = {Answer::No, Answer::Yes};
        QTest::mouseClick(&dialog->RemoveButton(), Qt::LeftButton);
        QVERIFY(fs::exists(h.home.PathOf("Other")));
        QTest::mouseClick(&dialog->RemoveButton(), Qt::LeftButton);
        QCOMPARE(h.prompter.boxes, (std::vector<std::string>{"Warning: Are you sure delete it ?",
                                                             "Warning: Are you sure delete it ?"}));
        QVERIFY(!fs::exists(h.home.PathOf("Other")));
        QCOMPARE(dialog->Schemes().count(), 2);
        QCOMPARE(dialog->Schemes().currentIndex(), 0);
        QVERIFY(h.Remembered().empty());
        dialog->reject();
        QVERIFY(h.Remembered().empty());
    }

    void AnUnreadableSchemeIsDroppedFromTheList() {
        Harness h;
        testing::WriteAll(h.home.PathOf("Broken"), "not a scheme");
        const auto dialog = h.Open();
        Harness::Pick(*dialog, 1);
        QCOMPARE(h.prompter.boxes, std::vector<std::string>{"Error: Canno't load scheme file!"});
        QCOMPARE(dialog->Schemes().count(), 1);
        QVERIFY(fs::exists(h.home.PathOf("Broken")));
    }

    void AReadOnlyProgramFolderDisablesTheSchemeCommands() {
        Harness h;
        h.home.WriteScheme("Mine", {});
        h.profile.WriteString("UserData\\Scheme", "News.LastScheme", h.home.PathOf("Mine"));
        // A read-only test file makes the folder count as not writable for whoever runs this,
        // root included, where the permissions of the folder itself would not bind.
        const fs::path probe = h.home.folder.File("123.tmp");
        testing::WriteAll(probe, "");
        fs::permissions(probe, fs::perms::owner_read);
        const auto dialog = h.Open();
        QVERIFY(!dialog->NewButton().isEnabled());
        QVERIFY(!dialog->RenameButton().isEnabled() && !dialog->RemoveButton().isEnabled());
        QVERIFY(!dialog->Note().isEnabled());
        QVERIFY(dialog->Slider().isEnabled());
        if (geteuid() == 0) {
            return;
        }
        fs::remove(probe);
        fs::permissions(h.home.folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
        Harness::Pick(*dialog, 0);
        QVERIFY(!dialog->NewButton().isEnabled());
        QVERIFY(!dialog->Note().isEnabled());
        fs::permissions(h.home.folder.Path(), fs::perms::owner_all);
    }

    void EveryInputIsNamed() {
        Harness h;
        const auto dialog = h.Open();
        QVERIFY(!dialog->Schemes().accessibleName().isEmpty());
        QVERIFY(!dialog->Note().accessibleName().isEmpty());
        QVERIFY(!dialog->Engines().accessibleName().isEmpty());
        QVERIFY(!dialog->Slider().accessibleName().isEmpty());
        QCOMPARE(dialog->focusWidget(), &dialog->Note());
    }
};

}  // namespace quexa::ui

QTEST_MAIN(quexa::ui::SchemeEditorTest)
#include "scheme_editor_test.moc"
