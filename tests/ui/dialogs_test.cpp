#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <functional>
#include <set>
#include <vector>

#include "core/memory_profile.h"
#include "core/settings_table.h"
#include "ui/about_dialog.h"
#include "ui/countdown_dialog.h"
#include "ui/picture_book.h"
#include "ui/tip_dialog.h"
#include "ui/toolbar_pictures.h"
#include "ui/welcome_window.h"

namespace quexa::ui {

using namespace std::chrono_literals;

class DialogsTest : public QObject {
    Q_OBJECT

  private:
    static QPushButton* Button(QDialog& dialog, const QString& text) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text().remove(QLatin1Char('&')) == text) {
                return button;
            }
        }
        return nullptr;
    }

    static std::filesystem::path WriteTips(const QTemporaryDir& folder) {
        QFile file(folder.filePath(QStringLiteral("tips.txt")));
        if (!file.open(QIODevice::WriteOnly)) {
            return {};
        }
        file.write("; comment\nFirst tip.\nSecond tip, \xc3\xa0 la carte.\n");
        return file.fileName().toStdString();
    }

    // Opaque pixels of an icon drawn at a toolbar's size.
    static int Inked(const QIcon& icon, int size = 24) {
        const QImage image = icon.pixmap(size, size).toImage();
        int inked = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                inked += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
            }
        }
        return inked;
    }

    // Runs the dialog modally while `action` acts on it from inside its event loop.
    static int ExecWith(QDialog& dialog, const std::function<void()>& action) {
        QTimer::singleShot(0, &dialog, action);
        return dialog.exec();
    }

  private Q_SLOTS:
    void CountdownShowsItsNoteAndEndsAsOkAtItsLastTick() {
        CountdownDialog dialog(10, nullptr, 1h);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Note:"));
        QCOMPARE(dialog.accessibleName(), QStringLiteral("Automatic Verification"));
        QCOMPARE(dialog.findChild<QLabel*>()->text(),
                 QStringLiteral("Quexa will start verify task in 10 second."));
        const auto* bar = dialog.findChild<QProgressBar*>();
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 10);
        dialog.show();
        for (int tick = 1; tick < 10; ++tick) {
            dialog.Tick();
        }
        QVERIFY(dialog.isVisible());
        QCOMPARE(bar->value(), 9);
        dialog.Tick();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(bar->value(), 10);
    }

    void CountdownRunsOutByItsTimer() {
        CountdownDialog dialog(3, nullptr, 5ms);
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(dialog.Elapsed(), 3);
    }

    void CountdownEndings_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("OK") << "OK" << int(QDialog::Accepted);
        QTest::newRow("Enter") << "Enter" << int(QDialog::Accepted);
        QTest::newRow("Cancel") << "Cancel" << int(QDialog::Rejected);
        QTest::newRow("Escape") << "Escape" << int(QDialog::Rejected);
        QTest::newRow("close box") << "close" << int(QDialog::Rejected);
    }

    void CountdownEndings() {
        QFETCH(QString, how);
        QFETCH(int, result);
        CountdownDialog dialog(10, nullptr, 1h);
        const int ended = ExecWith(dialog, [&] {
            if (how == QStringLiteral("Escape")) {
                QTest::keyClick(&dialog, Qt::Key_Escape);
            } else if (how == QStringLiteral("Enter")) {
                QTest::keyClick(&dialog, Qt::Key_Return);
            } else if (how == QStringLiteral("close")) {
                dialog.close();
            } else {
                QTest::mouseClick(Button(dialog, how), Qt::LeftButton);
            }
        });
        QCOMPARE(ended, result);
        QCOMPARE(dialog.Elapsed(), 0);
    }

    void WelcomeShowsOnceCentredAndBorderless() {
        QWidget owner;
        owner.show();
        QPointer<WelcomeWindow> welcome = WelcomeWindow::ShowOver(&owner, 60'000);
        QVERIFY(welcome != nullptr);
        QVERIFY(WelcomeWindow::IsShown());
        QCOMPARE(welcome->windowTitle(), QStringLiteral("Quexa - Welcome"));
        QVERIFY(welcome->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(welcome->parentWidget(), &owner);
        QCOMPARE(welcome->geometry().center(), owner.screen()->geometry().center());
        QCOMPARE(WelcomeWindow::ShowOver(&owner), nullptr);
        welcome->close();
        QVERIFY(!WelcomeWindow::IsShown());
        QTRY_VERIFY(welcome.isNull());
        // A missing picture shows nothing.
        QCOMPARE(WelcomeWindow::ShowOver(&owner, 60'000, QStringLiteral("none")), nullptr);
        QVERIFY(owner.findChildren<WelcomeWindow*>().isEmpty());
    }

    void WelcomeCloses_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("key press in another window") << "key";
        QTest::newRow("mouse press in another window") << "mouse";
        QTest::newRow("its time") << "time";
    }

    void WelcomeCloses() {
        QFETCH(QString, how);
        QWidget owner;
        auto* edit = new QLineEdit(&owner);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        const int shown = how == QStringLiteral("time") ? 20 : 60'000;
        QPointer<WelcomeWindow> welcome = WelcomeWindow::ShowOver(&owner, shown);
        QVERIFY(welcome != nullptr);
        if (how == QStringLiteral("key")) {
            QTest::keyClick(edit, Qt::Key_A);
            QVERIFY(!WelcomeWindow::IsShown());
            // The press that dismisses the picture is not lost.
            QCOMPARE(edit->text(), QStringLiteral("a"));
        } else if (how == QStringLiteral("mouse")) {
            QTest::mouseClick(edit, Qt::LeftButton);
            QVERIFY(!WelcomeWindow::IsShown());
        }
        QTRY_VERIFY(!WelcomeWindow::IsShown());
        QTRY_VERIFY(welcome.isNull());
        // Gone with its filter: the next welcome can be shown and lasts until its own end.
        QTest::keyClick(edit, Qt::Key_B);
        QPointer<WelcomeWindow> next = WelcomeWindow::ShowOver(&owner, 60'000);
        QVERIFY(next != nullptr);
        next->close();
    }

    void TipDialogShowsTipAfterTip() {
        QTemporaryDir folder;
        core::MemoryProfile profile;
        tasks::TipOfDay tips(profile, WriteTips(folder));
        TipDialog dialog(tips);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Tip of Day"));
        QCOMPARE(dialog.Tip(), QStringLiteral("First tip."));
        QPushButton* next = Button(dialog, QStringLiteral("Next Tip"));
        QVERIFY(next != nullptr);
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(dialog.Tip(), QString::fromUtf8("Second tip, \xc3\xa0 la carte."));
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(dialog.Tip(), QStringLiteral("First tip."));
        // The next showing goes on where this one stopped.
        TipDialog again(tips);
        QCOMPARE(again.Tip(), QString::fromUtf8("Second tip, \xc3\xa0 la carte."));
    }

    void TipDialogWithoutTipsSaysSo() {
        core::MemoryProfile profile;
        tasks::TipOfDay tips(profile, "/nonexistent/tips.txt");
        TipDialog dialog(tips);
        QCOMPARE(dialog.Tip(), QString::fromLatin1(TipDialog::kNoTip));
        QTest::mouseClick(Button(dialog, QStringLiteral("Next Tip")), Qt::LeftButton);
        QCOMPARE(dialog.Tip(), QString::fromLatin1(TipDialog::kNoTip));
    }

    void TipDialogStoresShowAtStartUp_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("checked");
        QTest::newRow("shown at start-up") << 0 << true;
        QTest::newRow("not shown") << 1 << false;
    }

    void TipDialogStoresShowAtStartUp() {
        QFETCH(int, stored);
        QFETCH(bool, checked);
        QTemporaryDir folder;
        core::MemoryProfile profile;
        core::settings::kTipStartUp.Write(profile, stored);
        tasks::TipOfDay tips(profile, WriteTips(folder));
        TipDialog dialog(tips);
        auto* box = dialog.findChild<QCheckBox*>();
        QCOMPARE(box->text().remove(QLatin1Char('&')), QStringLiteral("Show tips at startup"));
        QCOMPARE(box->isChecked(), checked);
        const int ended = ExecWith(dialog, [&] {
            QTest::mouseClick(box, Qt::LeftButton);
            QTest::mouseClick(Button(dialog, QStringLiteral("Close")), Qt::LeftButton);
        });
        QCOMPARE(ended, int(QDialog::Rejected));
        QCOMPARE(core::settings::kTipStartUp.Read(profile), checked ? 1 : 0);
        QCOMPARE(tips.ShowsAtStartUp(), !checked);
    }

    void AboutShowsNameVersionAndItsLine() {
        AboutDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About Quexa"));
        bool named = false;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            named = named || label->text().contains(QStringLiteral("Quexa 1.03"));
        }
        QVERIFY(named);
        const QFont font = AboutDialog::LineFont();
        QVERIFY(font.bold());
        QVERIFY(font.italic());
        QCOMPARE(font.pointSize(), 18);
        QCOMPARE(font.styleHint(), QFont::SansSerif);
        QCOMPARE(dialog.accessibleDescription(), QString::fromLatin1(AboutDialog::kLine));

        // The line is painted in the strip below the buttons.
        const int ended = ExecWith(dialog, [&] {
            const QImage image = dialog.grab().toImage();
            const int strip = QFontMetrics(font).height();
            const QRgb background = image.pixel(0, image.height() - 1);
            int painted = 0;
            for (int y = image.height() - strip; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    painted += image.pixel(x, y) != background ? 1 : 0;
                }
            }
            QVERIFY(painted > 0);
            QTest::mouseClick(Button(dialog, QStringLiteral("Close")), Qt::LeftButton);
        });
        QCOMPARE(ended, int(QDialog::Rejected));
    }

    // The page is opened in a browser from the build tree as from an installation.
    void HelpPageIsShippedWhole() {
        QFile page(QStringLiteral(QUEXA_HELP_PAGE));
        QVERIFY2(page.open(QIODevice::ReadOnly), QUEXA_HELP_PAGE);
        const QString html = QString::fromUtf8(page.readAll());
        QVERIFY(html.contains(QStringLiteral("<title>Quexa Help</title>")));
        QVERIFY(!html.contains(QStringLiteral("<script"), Qt::CaseInsensitive));
        for (const char* topic : {"Verify Result", "Save as ...", "Export All", "Select All",
                                  "New Search", "Ctrl</kbd>+<kbd>Y"}) {
            QVERIFY2(html.contains(QString::fromLatin1(topic)), topic);
        }
        const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
        int links = 0;
        for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
            ++links;
            const QString target = QStringLiteral("id=\"%1\"").arg(match.captured(1));
            QVERIFY2(html.contains(target), qPrintable(target));
        }
        QVERIFY(links > 0);
    }

    void EveryToolbarButtonHasItsOwnPicture() {
        using tasks::Command;
        using enum tasks::Command;
        const std::vector expected = {Open,     Save,       NewSearch,          VerifyResult,
                                      StopTask, AutoScroll, PreviewInformation, FileManager,
                                      FastInfo, Option,     HelpTopic};
        const auto commands = ToolbarPictures::Commands();
        QVERIFY(std::equal(commands.begin(), commands.end(), expected.begin(), expected.end()));
        std::set<QString> names;
        for (const Command command : commands) {
            const QString name = ToolbarPictures::PictureName(command);
            QVERIFY2(names.insert(name).second, qPrintable(name));
            QCOMPARE(PictureBook::NaturalSize(name), QSize(24, 24));
            const QIcon own = ToolbarPictures::OwnIconOf(command);
            QVERIFY2(!own.isNull(), qPrintable(name));
            // At least a sixth of the button is drawn, at the smallest size too.
            QVERIFY2(Inked(own) > 24 * 24 / 6, qPrintable(name));
            QVERIFY2(Inked(own, 16) > 16 * 16 / 6, qPrintable(name));
            QVERIFY(!ToolbarPictures::IconOf(command).isNull());
        }
        for (const Command other : {Exit, About, SelectAll}) {
            QVERIFY(ToolbarPictures::IconOf(other).isNull());
            QVERIFY(ToolbarPictures::PictureName(other).isEmpty());
        }
    }

    // A theme that has the standard name wins; without it the picture is ours.
    void ToolbarPicturesFollowTheTheme() {
        QTemporaryDir themes;
        const QString root = themes.filePath(QStringLiteral("QuexaTest"));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/24x24/actions")));
        QFile index(root + QStringLiteral("/index.theme"));
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write(
            "[Icon Theme]\nName=QuexaTest\nDirectories=24x24/actions\n\n"
            "[24x24/actions]\nSize=24\nType=Fixed\n");
        index.close();
        QImage red(24, 24, QImage::Format_ARGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(root + QStringLiteral("/24x24/actions/document-open.png")));

        const QStringList searchPaths = QIcon::themeSearchPaths();
        const QString themeName = QIcon::themeName();
        QIcon::setThemeSearchPaths({themes.path()});
        QIcon::setThemeName(QStringLiteral("QuexaTest"));
        const QImage open = ToolbarPictures::IconOf(tasks::Command::Open).pixmap(24).toImage();
        const QImage verify =
            ToolbarPictures::IconOf(tasks::Command::VerifyResult).pixmap(24).toImage();
        QIcon::setThemeName(themeName);
        QIcon::setThemeSearchPaths(searchPaths);

        QCOMPARE(open.pixelColor(12, 12), QColor(Qt::red));
        QCOMPARE(verify,
                 ToolbarPictures::OwnIconOf(tasks::Command::VerifyResult).pixmap(24).toImage());
    }
};

}  // namespace quexa::ui

QTEST_MAIN(quexa::ui::DialogsTest)
#include "dialogs_test.moc"
