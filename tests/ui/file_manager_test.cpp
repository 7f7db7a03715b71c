#include "ui/file_manager/file_manager_pane.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/memory_profile.h"
#include "core/plain_main_thread.h"
#include "files/protected_container.h"
#include "files/result_file.h"
#include "null_task_host.h"
#include "platform/desktop_trash.h"
#include "result_file_maker.h"
#include "scripted_prompter.h"
#include "tasks/result_document.h"
#include "tasks/task_control.h"
#include "temp_folder.h"
#include "ui/file_manager/change_password_dialog.h"
#include "ui/file_manager/file_property_dialog.h"
#include "ui/file_manager/name_dialog.h"
#include "ui/file_manager/result_tree_widget.h"
#include "ui/file_manager/save_file_dialog.h"

namespace quexa::ui {
namespace {

namespace fs = std::filesystem;
using Answer = core::Prompter::Answer;
using files::FilePicture;
using files::TreeEntry;
using testing::MakeResultFile;

// Runs the action on the modal dialog of that kind as soon as it is open.
template <typename Dialog>
void WhenOpen(std::function<void(Dialog*)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY2(dialog != nullptr, "the expected dialog is not open");
        if (dialog != nullptr) {
            action(dialog);
        }
    });
}

// Types a name into the name dialog and presses OK.
void AnswerName(const QString& name) {
    WhenOpen<NameDialog>([name](NameDialog* dialog) {
        QTest::keyClicks(dialog->NameEdit(), name);
        dialog->accept();
    });
}

// The pane over a data folder of its own, with the task layer a window would give it.
struct Harness {
    Harness() {
        for (const char* folder : {"Data/Internet/alpha/inner", "Data/Intranet", "Data/MyFav"}) {
            fs::create_directories(home.File(folder));
        }
        MakeResultFile(home.File("Data/Internet/valid.qzr"));
        MakeResultFile(home.File("Data/Internet/locked.qzr"), FilePicture::Protected);
        MakeResultFile(home.File("Data/Internet/newer.qzr"), FilePicture::Newer);
        MakeResultFile(home.File("Data/Internet/broken.qzr"), FilePicture::Unreadable);
        MakeResultFile(home.File("Data/Internet/alpha/inside.qzr"));
        pane.resize(300, 500);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
    }
    ~Harness() { mainThread->Shutdown(); }

    ResultTreeWidget& Tree() { return pane.Tree(); }
    // Selects the node of a path below the data folder, expanding the way to it.
    QTreeWidgetItem* Select(const std::string& relative) {
        QTreeWidgetItem* item = Tree().Reveal(home.File(relative));
        if (item != nullptr) {
            Tree().setCurrentItem(item);
        }
        return item;
    }
    FilePicture PictureOf(const std::string& relative) {
        QTreeWidgetItem* item = Tree().Reveal(home.File(relative));
        return static_cast<FilePicture>(item->data(0, ResultTreeWidget::kPictureRole).toInt());
    }
    std::map<QString, bool> Entries(const std::string& relative) {
        std::map<QString, bool> entries;
        const std::unique_ptr<QMenu> menu = pane.MenuFor(Select(relative));
        for (QAction* action : menu->actions()) {
            entries[action->text()] = action->isEnabled();
        }
        return entries;
    }

    testing::TempFolder home;
    core::MemoryProfile profile;
    core::SettingsCache cache;
    core::ResultList list;
    std::shared_ptr<core::PlainMainThread> mainThread = std::make_shared<core::PlainMainThread>();
    testing::NullTaskHost host;
    testing::ScriptedPrompter prompter;
    tasks::TaskEnvironment environment{list, profile, cache, mainThread, host, prompter};
    tasks::TaskControl control{environment};
    core::WaitState wait;
    tasks::ResultDocument document{environment, control.state(), &wait};
    platform::DesktopTrash trash;
    int fileChanges = 0;
    FileManagerPane pane{FileManagerContext{.dataFolder = home.Path(),
                                            .prompter = prompter,
                                            .trash = trash,
                                            .state = control.state(),
                                            .openChosen =
                                                [this](const std::string& path) {
                                                    document.RequestOpen(path);
                                                    document.OpenRequested();
                                                },
                                            .fileChanged = [this] { ++fileChanges; },
                                            .wait = &wait,
                                            .processPending = {}}};
};

QStringList ChildTexts(const QTreeWidgetItem* item) {
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i) {
        texts << item->child(i)->text(0);
    }
    return texts;
}

}  // namespace

class FileManagerTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void TreeShowsFoldersFirstWithEveryPicture() {
        Harness h;
        QAbstractItemModelTester tester(h.Tree().model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QTreeWidgetItem* root = h.Tree().Root();
        QCOMPARE(root->text(0), QStringLiteral("Quexa Root"));
        QCOMPARE(ChildTexts(root),
                 (QStringList{"Internet Search", "Intranet Search", "My Favorite"}));
        // Unread folders carry one placeholder.
        QCOMPARE(root->child(0)->childCount(), 1);
        QCOMPARE(root->child(0)->child(0)->text(0), QString());

        root->child(0)->setExpanded(true);
        const QStringList texts = ChildTexts(root->child(0));
        QCOMPARE(texts.size(), 5);
        QCOMPARE(texts.first(), QStringLiteral("alpha"));
        QCOMPARE(root->child(0)->child(0)->childCount(), 1);
        const std::map<std::string, FilePicture> pictures{{"valid", FilePicture::Valid},
                                                          {"locked", FilePicture::Protected},
                                                          {"newer", FilePicture::Newer},
                                                          {"broken", FilePicture::Unreadable}};
        for (const auto& [name, picture] : pictures) {
            QCOMPARE(h.PictureOf("Data/Internet/" + name + ".qzr"), picture);
        }
        root->child(0)->setExpanded(false);
        QCOMPARE(root->child(0)->childCount(), 1);
        QCOMPARE(h.Tree().Reveal(h.home.File("Data/Internet/alpha/inner"))->text(0),
                 QStringLiteral("inner"));
    }

    void MenusFollowTheRulesAndTheRunningTask() {
        Harness h;
        h.control.state().currentFile = h.home.File("Data/Internet/alpha/inside.qzr").string();
        const auto file = h.Entries("Data/Internet/alpha/inside.qzr");
        for (const char* entry : {"Open", "Cut", "Delete", "Rename"}) {
            QVERIFY2(!file.at(entry), entry);
        }
        QVERIFY(file.at("Copy") && file.at("Property") && file.at("Change Password"));
        QVERIFY(!h.Entries("Data/Internet/alpha").at("Delete Folder"));
        QVERIFY(h.Entries("Data/Internet/newer.qzr").at("Rename"));
        const auto broken = h.Entries("Data/Internet/broken.qzr");
        QVERIFY(!broken.at("Property") && !broken.at("Change Password") && broken.at("Delete"));
        QCOMPARE(h.Entries("Data/MyFav").size(), std::size_t{3});
        QVERIFY(h.pane.MenuFor(h.Tree().Root()) == nullptr);

        // The Menu key opens the menu at the current node; a running task shows a note instead.
        h.Select("Data/Internet/valid.qzr");
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_F10, Qt::ShiftModifier}, std::pair{Qt::Key_Menu, Qt::NoModifier}}) {
            QStringList shown;
            int menus = 0;
            QTimer::singleShot(0, [&] {
                if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                    ++menus;
                    for (QAction* action : menu->actions()) {
                        shown << action->text();
                    }
                    menu->close();
                }
            });
            QTest::keyClick(&h.Tree(), key, modifiers);
            QCOMPARE(menus, 1);
            QCOMPARE(shown.first(), QStringLiteral("Open"));
            QVERIFY(QApplication::activePopupWidget() == nullptr);
        }
        h.control.state().taskRunning = true;
        QTest::keyClick(&h.Tree(), Qt::Key_Menu);
        QCOMPARE(h.prompter.boxes.size(), std::size_t{1});
        QVERIFY(h.prompter.boxes[0].find("The search task is running") != std::string::npos);
    }

    void NewFolderAndRenames() {
        Harness h;
        h.Select("Data/MyFav");
        AnswerName(QStringLiteral("Trips"));
        h.pane.Run(TreeEntry::NewFolder);
        QVERIFY(fs::is_directory(h.home.File("Data/MyFav/Trips")));
        QVERIFY(h.Tree().Reveal(h.home.File("Data/MyFav/Trips")) != nullptr);
        h.Select("Data/MyFav");
        AnswerName(QStringLiteral("trips"));
        h.pane.Run(TreeEntry::NewFolder);
        QCOMPARE(h.prompter.boxes.back(), std::string("Error: Folder is existed!"));

        // Renaming to the old name in another case is refused by the dialog itself.
        h.Select("Data/Internet/valid.qzr");
        bool okForCase = true;
        WhenOpen<NameDialog>([&](NameDialog* dialog) {
            QTest::keyClicks(dialog->NameEdit(), QStringLiteral("VALID"));
            okForCase = dialog->OkEnabled();
            dialog->reject();
        });
        h.pane.Run(TreeEntry::Rename);
        QVERIFY(!okForCase);

        // Onto an existing file: asked, and No keeps both.
        h.Select("Data/Internet/valid.qzr");
        AnswerName(QStringLiteral("locked"));
        h.pane.Run(TreeEntry::Rename);
        QVERIFY(h.prompter.boxes.back().find("The file is existed") != std::string::npos);
        QCOMPARE(files::ResultFolder::PictureOf(h.home.File("Data/Internet/locked.qzr")),
                 FilePicture::Protected);
        QVERIFY(fs::exists(h.home.File("Data/Internet/valid.qzr")));

        h.Select("Data/Internet/alpha");
        AnswerName(QStringLiteral("beta"));
        h.pane.Run(TreeEntry::Rename);
        QVERIFY(fs::exists(h.home.File("Data/Internet/beta/inside.qzr")));
        QCOMPARE(h.Tree().currentItem()->text(0), QStringLiteral("beta"));
    }

    void DeleteLandsInTheTrash() {
        Harness h;
        h.Select("Data/Internet/newer.qzr");
        h.pane.Run(TreeEntry::Delete);
        QVERIFY(!fs::exists(h.home.File("Data/Internet/newer.qzr")));
        const fs::path trash = qEnvironmentVariable("XDG_DATA_HOME").toStdString();
        QVERIFY(fs::exists(trash / "Trash/files/newer.qzr"));
        QVERIFY(h.Tree().Reveal(h.home.File("Data/Internet/newer.qzr")) == nullptr);
    }

    void PasswordSetAndRemoved() {
        Harness h;
        h.Select("Data/Internet/valid.qzr");
        WhenOpen<ChangePasswordDialog>([](ChangePasswordDialog* dialog) {
            QVERIFY(!dialog->OldEdit()->isEnabled());
            QTest::keyClicks(dialog->NewEdit(), QStringLiteral("kite"));
            QTest::keyClicks(dialog->ConfirmEdit(), QStringLiteral("kite"));
            dialog->accept();
        });
        h.pane.Run(TreeEntry::ChangePassword);
        QCOMPARE(h.PictureOf("Data/Internet/valid.qzr"), FilePicture::Protected);
        QCOMPARE(h.prompter.boxes.back(), std::string("Note: The password is changed!"));

        const std::size_t boxes = h.prompter.boxes.size();
        h.Select("Data/Internet/valid.qzr");
        WhenOpen<ChangePasswordDialog>([](ChangePasswordDialog* dialog) {
            QVERIFY(!dialog->OkEnabled());
            QTest::keyClicks(dialog->OldEdit(), QStringLiteral("kite"));
            dialog->accept();
        });
        h.pane.Run(TreeEntry::ChangePassword);
        QCOMPARE(h.PictureOf("Data/Internet/valid.qzr"), FilePicture::Valid);
        QCOMPARE(h.prompter.boxes.size(), boxes);
    }

    void ImportWithOverlayRefusedAndRename() {
        Harness h;
        const QTemporaryDir outside;
        const fs::path source = fs::path(outside.path().toStdString()) / "valid.qzr";
        MakeResultFile(source, FilePicture::Protected);
        h.Select("Data/Internet");
        h.prompter.files = {source.string()};
        h.prompter.answers = {Answer::No};
        AnswerName(QStringLiteral("imported"));
        h.pane.Run(TreeEntry::Import);
        QCOMPARE(h.PictureOf("Data/Internet/imported.qzr"), FilePicture::Protected);
        QCOMPARE(h.PictureOf("Data/Internet/valid.qzr"), FilePicture::Valid);
        QCOMPARE(h.Tree().currentItem()->text(0), QStringLiteral("imported"));
    }

    void CopyCutPasteAndDrop() {
        Harness h;
        h.Select("Data/Internet/alpha");
        h.pane.Run(TreeEntry::Copy);
        QVERIFY(!h.Entries("Data/Internet/alpha/inner").at("Paste"));
        QVERIFY(!h.Entries("Data/Internet").at("Paste"));
        h.Select("Data/MyFav");
        h.pane.Run(TreeEntry::Paste);
        QVERIFY(fs::exists(h.home.File("Data/MyFav/alpha/inside.qzr")));
        QVERIFY(fs::exists(h.home.File("Data/Internet/alpha/inside.qzr")));

        h.Select("Data/Internet/locked.qzr");
        h.pane.Run(TreeEntry::Cut);
        h.Select("Data/Intranet");
        h.pane.Run(TreeEntry::Paste);
        QVERIFY(!fs::exists(h.home.File("Data/Internet/locked.qzr")));
        QCOMPARE(h.PictureOf("Data/Intranet/locked.qzr"), FilePicture::Protected);
        QVERIFY(!h.pane.Clip().has_value());

        // A drag starts only where Cut would, and cuts the node.
        h.control.state().currentFile = h.home.File("Data/Internet/broken.qzr").string();
        QVERIFY(!h.Tree().mayDrag(
            ResultTreeWidget::NodeOf(h.Tree().Reveal(h.home.File("Data/Internet/broken.qzr")))));
        QVERIFY(h.Tree().mayDrag(
            ResultTreeWidget::NodeOf(h.Tree().Reveal(h.home.File("Data/Internet/valid.qzr")))));
        QVERIFY(h.pane.Clip().has_value() && h.pane.Clip()->cut);
        // Copy Here and Move Here of a drop.
        QTreeWidgetItem* valid = h.Tree().Reveal(h.home.File("Data/Internet/valid.qzr"));
        h.pane.Transfer(valid, h.Tree().Reveal(h.home.File("Data/MyFav/alpha")), false);
        QVERIFY(fs::exists(h.home.File("Data/MyFav/alpha/valid.qzr")));
        QVERIFY(fs::exists(h.home.File("Data/Internet/valid.qzr")));
        QTreeWidgetItem* newer = h.Tree().Reveal(h.home.File("Data/Internet/newer.qzr"));
        h.pane.Transfer(newer, h.Tree().Reveal(h.home.File("Data/MyFav")), true);
        QVERIFY(!fs::exists(h.home.File("Data/Internet/newer.qzr")));
        QCOMPARE(h.PictureOf("Data/MyFav/newer.qzr"), FilePicture::Newer);
        QVERIFY(h.Tree().Reveal(h.home.File("Data/Internet/newer.qzr")) == nullptr);
    }

    void PropertyShowsRowsAndWritesNoteAndAuthor() {
        Harness h;
        h.Select("Data/Internet/valid.qzr");
        QStringList attributes;
        WhenOpen<FilePropertyDialog>([&](FilePropertyDialog* dialog) {
            for (int i = 0; i < dialog->Rows()->topLevelItemCount(); ++i) {
                attributes << dialog->Rows()->topLevelItem(i)->text(0);
            }
            QTest::keyClicks(dialog->NoteEdit(), QStringLiteral("kite trip"));
            QTest::keyClicks(dialog->AuthorEdit(), QStringLiteral("Ada"));
            dialog->accept();
        });
        h.pane.Run(TreeEntry::Property);
        QCOMPARE(attributes.first(), QStringLiteral("Type: "));
        QVERIFY(attributes.contains(QStringLiteral("Scheme:")));
        QCOMPARE(attributes.last(), QStringLiteral("Location: "));
        const std::optional<files::ResultFileHeader> header =
            files::ReadResultFileHeader(h.home.File("Data/Internet/valid.qzr"));
        QVERIFY(header.has_value());
        QCOMPARE(header->note, std::string("kite trip"));
        QCOMPARE(header->author, std::string("Ada"));
        QCOMPARE(h.fileChanges, 1);

        // A protected file's note stays as it is.
        h.Select("Data/Internet/locked.qzr");
        WhenOpen<FilePropertyDialog>([](FilePropertyDialog* dialog) {
            QVERIFY(dialog->NoteEdit()->isReadOnly());
            dialog->accept();
        });
        h.pane.Run(TreeEntry::Property);
    }

    void SaveFileDialogChoosesFolderAndName() {
        Harness h;
        struct Case {
            bool loading;
            std::string clicked;
            bool okEnabled;
            std::string chosen;  // empty: OK does not close the dialog
        };
        for (const Case& c :
             {Case{false, "", false, ""},
              Case{false, "Data/Internet/alpha", true, "Data/Internet/alpha/kite"},
              Case{false, "Data/Internet/alpha/inside.qzr", true, "Data/Internet/alpha/inside"},
              Case{true, "Data/Internet/alpha", true, ""},
              Case{true, "Data/Internet/valid.qzr", true, "Data/Internet/valid"}}) {
            SaveFileDialog dialog(h.home.Path(), c.loading, c.loading ? QString() : "kite");
            QCOMPARE(dialog.NameEdit()->isReadOnly(), c.loading);
            if (!c.clicked.empty()) {
                dialog.Tree().setCurrentItem(dialog.Tree().Reveal(h.home.File(c.clicked)));
            }
            QCOMPARE(dialog.OkEnabled(), c.okEnabled);
            dialog.accept();
            const std::optional<std::string> chosen = dialog.Chosen();
            QCOMPARE(chosen.value_or(""),
                     c.chosen.empty() ? std::string() : h.home.File(c.chosen).string());
        }
    }

    void DoubleClickOpensTheFile() {
        Harness h;
        core::ResultList saved;
        core::ResultItem item;
        item.title = "Kite";
        item.location = "http://example.org/kite";
        saved.AddItem(0, item);
        QVERIFY(files::WriteResultFile(h.home.File("Data/MyFav/kites.qzr"), saved, {}));
        QTreeWidgetItem* node = h.Select("Data/MyFav/kites.qzr");
        const QRect rect = h.Tree().visualItemRect(node);

        // The item view takes a double click only after a press on the same node.
        QTest::mouseClick(h.Tree().viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(h.Tree().viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(h.list.Count(), std::size_t{1});
        QCOMPARE(h.control.state().currentFile, h.home.File("Data/MyFav/kites.qzr").string());
        // Now the open file's node is kept from opening again.
        QVERIFY(!h.Entries("Data/MyFav/kites.qzr").at("Open"));
    }
};

}  // namespace quexa::ui

int main(int argc, char** argv) {
    // Deleted nodes land in a trash of the test's own.
    const QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    QApplication application(argc, argv);
    quexa::ui::FileManagerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "file_manager_test.moc"
