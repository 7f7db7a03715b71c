#include "ui/qt_prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include "ui/file_filter.h"
#include "ui/file_manager/result_tree_widget.h"
#include "ui/file_manager/save_file_dialog.h"
#include "ui/password_dialog.h"
#include "when_open.h"

namespace quexa::ui {

using Prompter = core::Prompter;

class QtPrompterTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void BoxesCarryCaptionTextAndButtons_data() {
        QTest::addColumn<int>("title");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("shownButtons");
        QTest::addColumn<int>("click");
        QTest::addColumn<int>("answer");
        using B = QMessageBox;
        QTest::newRow("error ok") << int(Prompter::Title::Error) << int(Prompter::Buttons::Ok)
                                  << "Error:" << int(B::Ok) << int(B::Ok)
                                  << int(Prompter::Answer::Ok);
        QTest::newRow("note yes") << int(Prompter::Title::Note) << int(Prompter::Buttons::YesNo)
                                  << "Note:" << int(B::Yes | B::No) << int(B::Yes)
                                  << int(Prompter::Answer::Yes);
        QTest::newRow("warning no")
            << int(Prompter::Title::Warning) << int(Prompter::Buttons::YesNoCancel)
            << "Warning:" << int(B::Yes | B::No | B::Cancel) << int(B::No)
            << int(Prompter::Answer::No);
        QTest::newRow("warrning cancel")
            << int(Prompter::Title::Warrning) << int(Prompter::Buttons::YesCancel) << "Warrning"
            << int(B::Yes | B::Cancel) << int(B::Cancel) << int(Prompter::Answer::Cancel);
    }

    void BoxesCarryCaptionTextAndButtons() {
        QFETCH(int, title);
        QFETCH(int, buttons);
        QFETCH(QString, caption);
        QFETCH(int, shownButtons);
        QFETCH(int, click);
        QFETCH(int, answer);
        QString seenCaption;
        QString seenText;
        int seenButtons = 0;
        WhenOpen<QMessageBox>([&](QMessageBox* box) {
            seenCaption = box->windowTitle();
            seenText = box->text();
            seenButtons = int(box->standardButtons());
            box->button(QMessageBox::StandardButton(click))->click();
        });
        QtPrompter prompter;
        const Prompter::Answer got = prompter.Ask(
            Prompter::Title(title), "Password unvaild\r\ntry again ?", Prompter::Buttons(buttons));
        QCOMPARE(seenCaption, caption);
        QCOMPARE(seenText, QStringLiteral("Password unvaild\ntry again ?"));
        QCOMPARE(seenButtons, shownButtons);
        QCOMPARE(int(got), answer);
    }

    void EscapeGivesTheCautiousAnswer() {
        WhenOpen<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
        QtPrompter prompter;
        QCOMPARE(
            prompter.Ask(Prompter::Title::Note, "Do you want save ?", Prompter::Buttons::YesNo),
            Prompter::Answer::No);
    }

    void PasswordNeedsTextBeforeOk() {
        WhenOpen<PasswordDialog>([](PasswordDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Please input password:"));
            auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            QVERIFY(!ok->isEnabled());
            QTest::keyClicks(dialog->Edit(), QStringLiteral("BrindleMoss"));
            QVERIFY(ok->isEnabled());
            QCOMPARE(dialog->Edit()->echoMode(), QLineEdit::Password);
            ok->click();
        });
        QtPrompter prompter;
        QCOMPARE(prompter.AskPassword(), std::optional<std::string>("BrindleMoss"));

        WhenOpen<PasswordDialog>([](PasswordDialog* dialog) {
            QTest::keyClicks(dialog->Edit(), QStringLiteral("typed"));
            dialog->reject();
        });
        QCOMPARE(prompter.AskPassword(), std::nullopt);
    }

    void FiltersBecomeQtFilters() {
        QCOMPARE(FileFilter::ToQt("Quexa Result(*.qzr)|*.qzr||"),
                 QStringList{"Quexa Result(*.qzr) (*.qzr)"});
        QCOMPARE(FileFilter::ToQt("HTML File(*.htm,*.html)|*.htm;*.html|Text File(*.txt) |*.txt|"
                                  "Quexa Result File(*.qzr)|*.qzr||"),
                 (QStringList{"HTML File(*.htm,*.html) (*.htm *.html)", "Text File(*.txt) (*.txt)",
                              "Quexa Result File(*.qzr) (*.qzr)"}));
        QCOMPARE(FileFilter::ToQt("Execute(*.exe)|*.exe||"), QStringList{"Execute(*.exe) (*.exe)"});
        QCOMPARE(FileFilter::ToQt(""), QStringList{});
        QCOMPARE(FileFilter::ToQt("All|"), QStringList{"All (*)"});
    }

    void SaveDialogAnswersAFolderOfTheTreeAndAName() {
        QTemporaryDir home;
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Data/MyFav")));
        QString caption;
        WhenOpen<SaveFileDialog>([&](SaveFileDialog* dialog) {
            caption = dialog->windowTitle();
            QCOMPARE(dialog->NameEdit()->text(), QStringLiteral("solar kite"));
            QVERIFY(!dialog->OkEnabled());
            dialog->Tree().setCurrentItem(dialog->Tree().Root()->child(2));
            dialog->accept();
        });
        QtPrompter prompter(nullptr, home.filePath(QStringLiteral("Data")));
        Prompter::FileRequest request;
        request.use = Prompter::FileUse::SaveResult;
        request.defaultExtension = "qzr";
        request.offeredName = "solar kite";
        const auto chosen = prompter.ChooseFile(request);
        QCOMPARE(caption, QStringLiteral("Save File"));
        QVERIFY(chosen.has_value());
        QCOMPARE(QString::fromStdString(*chosen),
                 home.filePath(QStringLiteral("Data/MyFav/solar kite")));
    }

    void ExportDialogAddsTheDefaultExtension() {
        QTemporaryDir folder;
        QStringList filters;
        WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            // Nobody else asks before an export replaces a file.
            QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
            dialog->selectFile(folder.filePath(QStringLiteral("Quexa - kite")));
            static_cast<QDialog*>(dialog)->accept();
        });
        QtPrompter prompter(nullptr, folder.path());
        Prompter::FileRequest request;
        request.use = Prompter::FileUse::Export;
        request.caption = "Export All";
        request.filter = "TAB Split Text File(*.txt)|*.txt||";
        request.defaultExtension = "txt";
        const auto chosen = prompter.ChooseFile(request);
        QCOMPARE(filters, QStringList{"TAB Split Text File(*.txt) (*.txt)"});
        QVERIFY(chosen.has_value());
        QCOMPARE(QString::fromStdString(*chosen),
                 folder.filePath(QStringLiteral("Quexa - kite.txt")));
    }

    void CancelledFileDialogAnswersNothing() {
        WhenOpen<QFileDialog>([](QFileDialog* dialog) {
            QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
            dialog->reject();
        });
        QtPrompter prompter;
        Prompter::FileRequest request;
        request.use = Prompter::FileUse::OpenResult;
        request.caption = "Open Quexa Result File";
        QCOMPARE(prompter.ChooseFile(request), std::nullopt);
    }
};

}  // namespace quexa::ui

QTEST_MAIN(quexa::ui::QtPrompterTest)
#include "qt_prompter_test.moc"
