#include "ui/options/options_sheet.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

#include "core/memory_profile.h"
#include "core/settings_table.h"
#include "scripted_prompter.h"
#include "tasks/command_rules.h"
#include "temp_folder.h"
#include "ui/main_frame.h"
#include "ui/options/export_page.h"
#include "ui/options/network_page.h"
#include "ui/options/other_page.h"
#include "ui/options/verify_page.h"
#include "ui/result_list_view.h"
#include "ui/result_view.h"

namespace quexa::ui {
namespace {

namespace settings = core::settings;

// A sheet over a profile, a cache and a prompter of its own, shown as the person sees it.
struct Harness {
    explicit Harness(OptionsSheet::Page start = OptionsSheet::Page::Network)
        : sheet(profile, cache, prompter, start) {
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    }

    // Shows a page by the keyboard, as a person moving through the tabs would.
    void ShowPage(OptionsSheet::Page page) {
        while (sheet.Pages().currentIndex() != static_cast<int>(page)) {
            QTest::keyClick(&sheet.Pages(), Qt::Key_Tab, Qt::ControlModifier);
        }
    }

    core::MemoryProfile profile;
    core::SettingsCache cache;
    testing::ScriptedPrompter prompter;
    OptionsSheet sheet;
};

// A check box by its caption, within the group of that title when one is given.
QCheckBox* Check(QWidget& page, const QString& caption, const QString& group = {}) {
    QWidget* within = &page;
    if (!group.isEmpty()) {
        for (QGroupBox* box : page.findChildren<QGroupBox*>()) {
            if (box->title() == group) {
                within = box;
            }
        }
    }
    for (QCheckBox* check : within->findChildren<QCheckBox*>()) {
        if (check->text() == caption) {
            return check;
        }
    }
    return nullptr;
}

QLineEdit* EditNamed(QWidget& page, const QString& name) {
    for (QLineEdit* edit : page.findChildren<QLineEdit*>()) {
        if (edit->accessibleName() == name) {
            return edit;
        }
    }
    return nullptr;
}

QPushButton* Button(QWidget& page, const QString& text) {
    for (QPushButton* button : page.findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

// A check box takes clicks on its box and caption only, which sit at its left end.
void Click(QAbstractButton* button) {
    QVERIFY(button != nullptr);
    const bool push = qobject_cast<QPushButton*>(button) != nullptr;
    const QPoint where = push ? button->rect().center() : QPoint(6, button->height() / 2);
    QTest::mouseClick(button, Qt::LeftButton, {}, where);
}

void TypeInto(QLineEdit& edit, const QString& text) {
    edit.setFocus();
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, text);
}

}  // namespace

class OptionsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void SheetHasItsCaptionPagesAndClose() {
        Harness h(OptionsSheet::Page::Export);
        QCOMPARE(h.sheet.windowTitle(), QStringLiteral("Quexa Option"));
        QCOMPARE(h.sheet.Pages().currentIndex(), 1);
        const QStringList expected{"Network and Performance", "Export Rule", "Verify Rule",
                                   "Other"};
        for (int index = 0; index < expected.size(); ++index) {
            QCOMPARE(h.sheet.Pages().tabText(index), expected[index]);
        }
        QCOMPARE(h.sheet.CloseButton().text(), QStringLiteral("Close"));
        for (QPushButton* button : h.sheet.findChildren<QPushButton*>()) {
            QVERIFY(button->text() != QStringLiteral("OK") &&
                    button->text() != QStringLiteral("Cancel"));
        }
        // Loaded on first show: the export page puts the focus into the title prefix.
        QCOMPARE(QApplication::focusWidget(), &h.sheet.Export().TitlePrefix());
        QVERIFY(!h.sheet.Export().ApplyButton().isEnabled());
    }

    void NetworkPageLoadsTheProfile() {
        core::MemoryProfile profile;
        core::SettingsCache cache;
        testing::ScriptedPrompter prompter;
        settings::kSearchTimeout.Write(profile, 90);
        settings::kVerifyTimeout.Write(profile, 300);
        settings::kLineType.Write(profile, 3);
        OptionsSheet sheet(profile, cache, prompter);
        sheet.show();
        NetworkPage& page = sheet.Network();
        QCOMPARE(page.SearchSlider().value(), 90);
        QCOMPARE(page.SearchText().text(), QStringLiteral("1 Min 30 Sec"));
        QCOMPARE(page.VerifyText().text(), QStringLiteral("5 Min "));
        QVERIFY(page.findChildren<QRadioButton*>().at(3)->isChecked());
        QVERIFY(!page.Server().isEnabled());
        QVERIFY(!page.Port().isEnabled());
        QVERIFY(!page.ApplyButton().isEnabled());
    }

    void SliderTextsFollowTheSlider_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("End") << int(Qt::Key_End) << 300 << "5 Min ";
        QTest::newRow("Home") << int(Qt::Key_Home) << 15 << "15 Sec";
        QTest::newRow("PageUp") << int(Qt::Key_PageUp) << 75 << "1 Min 15 Sec";
        QTest::newRow("Right") << int(Qt::Key_Right) << 46 << "46 Sec";
        QTest::newRow("PageDown") << int(Qt::Key_PageDown) << 15 << "15 Sec";
    }
    void SliderTextsFollowTheSlider() {
        QFETCH(int, key);
        QFETCH(int, seconds);
        QFETCH(QString, text);
        Harness h;
        NetworkPage& page = h.sheet.Network();
        for (QSlider* slider : {&page.SearchSlider(), &page.VerifySlider()}) {
            QLabel& shown = slider == &page.SearchSlider() ? page.SearchText() : page.VerifyText();
            QCOMPARE(shown.text(), QStringLiteral("45 Sec"));
            slider->setFocus();
            QTest::keyClick(slider, static_cast<Qt::Key>(key));
            QCOMPARE(slider->value(), seconds);
            QCOMPARE(shown.text(), text);
        }
        QVERIFY(page.ApplyButton().isEnabled());
        QTest::keyClick(&page.ApplyButton(), Qt::Key_Space);
        QCOMPARE(settings::kSearchTimeout.Read(h.profile), seconds);
        QCOMPARE(settings::kVerifyTimeout.Read(h.profile), seconds);
    }

    void ProxyIsEnabledByUseProxyAndStoredTrimmed() {
        Harness h;
        NetworkPage& page = h.sheet.Network();
        Click(&page.UseProxy());
        QVERIFY(page.Server().isEnabled() && page.Port().isEnabled());
        QVERIFY(page.ApplyButton().isEnabled());
        TypeInto(page.Server(), QStringLiteral("  proxy.example  "));
        TypeInto(page.Port(), QStringLiteral("8a0"));
        QCOMPARE(page.Port().text(), QStringLiteral("80"));  // digits only
        TypeInto(page.Port(), QString());
        Click(&page.ApplyButton());
        QCOMPARE(settings::kProxyUse.Read(h.profile), 1);
        QCOMPARE(settings::kProxyServer.Read(h.profile), std::string("proxy.example"));
        QCOMPARE(settings::kProxyPort.Read(h.profile), std::string());
        QVERIFY(h.cache.proxyEnabled);
        QCOMPARE(h.cache.proxyAddress, std::string("proxy.example:80"));
        QCOMPARE(page.Server().text(), QStringLiteral("proxy.example"));
        QVERIFY(!page.ApplyButton().isEnabled());

        Click(&page.UseProxy());
        QVERIFY(!page.Server().isEnabled() && !page.Port().isEnabled());
        Click(&page.ApplyButton());
        QVERIFY(!h.cache.proxyEnabled);
    }

    void NetworkDefaultResetsOnlyTheTimeouts() {
        Harness h;
        NetworkPage& page = h.sheet.Network();
        page.SearchSlider().setValue(200);
        Click(page.findChildren<QRadioButton*>().at(5));
        Click(&page.UseProxy());
        Click(&page.ApplyButton());
        Click(&page.DefaultButton());
        QCOMPARE(page.SearchSlider().value(), 45);
        QCOMPARE(page.SearchText().text(), QStringLiteral("45 Sec"));
        QVERIFY(page.findChildren<QRadioButton*>().at(5)->isChecked());
        QVERIFY(page.UseProxy().isChecked());
        QVERIFY(page.ApplyButton().isEnabled());
        // Nothing stored until Apply.
        QCOMPARE(settings::kSearchTimeout.Read(h.profile), 200);
        Click(&page.ApplyButton());
        QCOMPARE(settings::kSearchTimeout.Read(h.profile), 45);
        QCOMPARE(settings::kLineType.Read(h.profile), 5);
    }

    void CloseStoresNothing() {
        Harness h;
        Click(&h.sheet.Network().UseProxy());
        h.ShowPage(OptionsSheet::Page::Export);
        Click(Check(h.sheet.Export(), QStringLiteral("Selected")));
        h.ShowPage(OptionsSheet::Page::Verify);
        Click(&h.sheet.Verify().DefaultButton());
        h.ShowPage(OptionsSheet::Page::Other);
        TypeInto(h.sheet.Other().Author(), QStringLiteral("Ann"));
        Click(&h.sheet.CloseButton());
        QVERIFY(!h.sheet.isVisible());
        QCOMPARE(h.sheet.result(), int(QDialog::Rejected));
        QCOMPARE(h.profile.size(), std::size_t{0});
        QCOMPARE(h.cache.authorName, std::string());
    }

    void ExportPageStoresAndDefaults() {
        Harness h(OptionsSheet::Page::Export);
        ExportPage& page = h.sheet.Export();
        QVERIFY(Check(page, "Title")->isChecked());
        QCOMPARE(page.TitlePrefix().text(), QStringLiteral("Title: "));
        Click(Check(page, "Selected"));
        Click(Check(page, "Preview"));
        TypeInto(*EditNamed(page, "Location Text:"), QStringLiteral("URL = "));
        Click(&page.ApplyButton());
        QCOMPARE(settings::kExportSelected.Read(h.profile), 1);
        QCOMPARE(settings::kExportPreview.Read(h.profile), 0);
        QCOMPARE(settings::kExportLocationPrefix.Read(h.profile), std::string("URL = "));
        QCOMPARE(settings::kExportTitlePrefix.Read(h.profile), std::string("Title: "));

        Click(&page.DefaultButton());
        QVERIFY(!Check(page, "Selected")->isChecked());
        QCOMPARE(EditNamed(page, "Location Text:")->text(), QStringLiteral("Location: "));
        QCOMPARE(settings::kExportSelected.Read(h.profile), 1);
        Click(&page.ApplyButton());
        QCOMPARE(settings::kExportSelected.Read(h.profile), 0);
        QCOMPARE(settings::kExportLocationPrefix.Read(h.profile), std::string("Location: "));
    }

    void VerifyRuleThatVerifiesNothingIsStoredThenReset() {
        Harness h(OptionsSheet::Page::Verify);
        VerifyPage& page = h.sheet.Verify();
        const QString following = QStringLiteral("Verify Following:");
        Click(Check(page, "Normal", following));
        Click(Check(page, "Unknown", following));
        Click(Check(page, "Unknown", QStringLiteral("Delete after verify:")));
        Click(&page.ApplyButton());
        QCOMPARE(h.prompter.boxes,
                 std::vector<std::string>{"Note: Haven't any item want to be verify !"});
        QCOMPARE(settings::kVerifyNormal.Read(h.profile), 0);
        QCOMPARE(settings::kVerifyUnknown.Read(h.profile), 0);
        QCOMPARE(settings::kDeleteUnknown.Read(h.profile), 1);
        // The defaults are shown but not stored.
        QVERIFY(Check(page, "Normal", following)->isChecked());
        QVERIFY(!Check(page, "Unknown", QStringLiteral("Delete after verify:"))->isChecked());
        QVERIFY(!page.ApplyButton().isEnabled());

        Click(Check(page, "Selected", following));
        Click(&page.ApplyButton());
        QCOMPARE(h.prompter.boxes.size(), std::size_t{1});
        QCOMPARE(settings::kVerifySelected.Read(h.profile), 1);
        QCOMPARE(settings::kVerifyNormal.Read(h.profile), 1);
    }

    void OtherDefaultThenApplyStoresAlternateColour() {
        Harness h(OptionsSheet::Page::Other);
        OtherPage& page = h.sheet.Other();
        QSignalSpy appearance(&h.sheet, &OptionsSheet::AppearanceChanged);
        QCOMPARE(QApplication::focusWidget(), &page.Author());
        QVERIFY(!Check(page, "Show interlaced color")->isChecked());
        QCOMPARE(page.Backgrounds().currentText(), QStringLiteral("Back Ground Image 07"));
        Click(Check(page, "operate file target"));
        TypeInto(page.Author(), QStringLiteral("Ann"));
        Click(&page.ApplyButton());
        QCOMPARE(appearance.size(), 1);
        QVERIFY(!h.cache.operateFileTargets);

        Click(&page.DefaultButton());
        QVERIFY(Check(page, "Show interlaced color")->isChecked());
        QVERIFY(h.cache.operateFileTargets);  // the cache follows Default at once
        QCOMPARE(page.Author().text(), QStringLiteral("Ann"));
        QCOMPARE(settings::kAlternateColor.Read(h.profile), 0);
        Click(&page.ApplyButton());
        QCOMPARE(settings::kAlternateColor.Read(h.profile), 1);
        QCOMPARE(settings::kOperateFiles.Read(h.profile), 1);
        QCOMPARE(settings::kAuthorInfo.Read(h.profile), std::string("Ann"));
        QCOMPARE(appearance.size(), 2);
        QVERIFY(h.prompter.boxes.empty());
    }

    void OtherPageTakesItsControls() {
        Harness h(OptionsSheet::Page::Other);
        OtherPage& page = h.sheet.Other();
        TypeInto(page.Author(), QStringLiteral("An author with a long name"));
        QCOMPARE(page.Author().text().size(), 20);
        page.Backgrounds().setFocus();
        QTest::keyClick(&page.Backgrounds(), Qt::Key_Down);
        page.AutoSaveCount().setFocus();
        QTest::keyClick(&page.AutoSaveCount(), Qt::Key_Up);
        QTest::keyClick(&page.AutoSaveCount(), Qt::Key_End);
        Click(Check(page, "Show welcome image"));
        Click(Check(page, "Use Auto Save"));
        Click(&page.ApplyButton());
        QCOMPARE(settings::kAuthorInfo.Read(h.profile), std::string("An author with a lon"));
        QCOMPARE(h.cache.authorName, std::string("An author with a lon"));
        QCOMPARE(settings::kBackgroundImage.Read(h.profile), 7);
        QCOMPARE(settings::kAutoSaveCount.Read(h.profile), 11);
        QCOMPARE(settings::kShowWelcome.Read(h.profile), 0);
        QCOMPARE(settings::kAutoSave.Read(h.profile), 1);
        QCOMPARE(settings::kTabbar.Read(h.profile), 1);
    }

    void BrowserMustExist() {
        testing::TempFolder folder;
        const std::string program = folder.File("browser").string();
        testing::WriteAll(program, "#!/bin/sh\n");
        Harness h(OptionsSheet::Page::Other);
        OtherPage& page = h.sheet.Other();
        settings::kWebBrowser.Write(h.profile, program);

        TypeInto(page.Browser(), QString::fromStdString(folder.File("missing").string()));
        Click(Check(page, "Show vertical grid"));
        Click(&page.ApplyButton());
        QCOMPARE(h.prompter.boxes,
                 std::vector<std::string>{"Error: The special browser isn't existed!"});
        QCOMPARE(settings::kWebBrowser.Read(h.profile), program);
        QCOMPARE(settings::kVerticalGrid.Read(h.profile), 1);  // the rest is stored all the same

        // "..." chooses an existing file through the file dialog.
        settings::kWebBrowser.Write(h.profile, "");
        QTimer::singleShot(0, [&program] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Default Web Browser"));
            dialog->selectFile(QString::fromStdString(program));
            QMetaObject::invokeMethod(dialog, &QDialog::accept);
        });
        Click(Button(page, QStringLiteral("...")));
        QCOMPARE(page.Browser().text(), QString::fromStdString(program));
        QVERIFY(page.ApplyButton().isEnabled());
        Click(&page.ApplyButton());
        QCOMPARE(settings::kWebBrowser.Read(h.profile), program);
        QCOMPARE(h.prompter.boxes.size(), std::size_t{1});

        // Empty is the desktop's default browser, not a missing file.
        TypeInto(page.Browser(), QString());
        Click(&page.ApplyButton());
        QCOMPARE(settings::kWebBrowser.Read(h.profile), std::string());
        QCOMPARE(h.prompter.boxes.size(), std::size_t{1});
    }

    void TheMainWindowOpensTheSheetOnItsPages() {
        core::MemoryProfile profile;
        testing::TempFolder home;
        const std::string folder = home.Path().string();
        MainFrame frame(profile, core::AppFolders{folder, folder});
        QVERIFY(!frame.ListView().Appearance().alternateRows);
        int shownPage = -1;
        const auto onSheet = [&shownPage](const std::function<void(OptionsSheet&)>& action) {
            QTimer::singleShot(0, [&shownPage, action] {
                auto* sheet = qobject_cast<OptionsSheet*>(QApplication::activeModalWidget());
                QVERIFY(sheet != nullptr);
                shownPage = sheet->Pages().currentIndex();
                action(*sheet);
                sheet->reject();
            });
        };
        // View > Option: the first page; applying the Other page re-applies the list's look.
        onSheet([](OptionsSheet& sheet) {
            sheet.Pages().setCurrentIndex(static_cast<int>(OptionsSheet::Page::Other));
            Click(&sheet.Other().DefaultButton());
            Click(&sheet.Other().ApplyButton());
        });
        frame.Action(tasks::Command::Option)->trigger();
        QCOMPARE(shownPage, 0);
        QVERIFY(frame.ListView().Appearance().alternateRows);

        onSheet([](OptionsSheet&) {});
        Q_EMIT frame.View().EditExportRuleRequested();
        QCOMPARE(shownPage, 1);
    }

    void EveryInputIsNamedAndReachableByKeyboard() {
        Harness h;
        for (int index = 0; index < h.sheet.Pages().count(); ++index) {
            h.ShowPage(static_cast<OptionsSheet::Page>(index));
            QWidget* page = h.sheet.Pages().currentWidget();
            for (QWidget* input : page->findChildren<QWidget*>()) {
                const bool needsName = qobject_cast<QLineEdit*>(input) != nullptr ||
                                       qobject_cast<QSlider*>(input) != nullptr ||
                                       qobject_cast<QComboBox*>(input) != nullptr ||
                                       qobject_cast<QSpinBox*>(input) != nullptr;
                if (!needsName || input->parentWidget()->inherits("QAbstractSpinBox") ||
                    input->parentWidget()->inherits("QComboBox")) {
                    continue;
                }
                bool labelled = !input->accessibleName().isEmpty();
                for (QLabel* label : page->findChildren<QLabel*>()) {
                    labelled = labelled || label->buddy() == input;
                }
                QVERIFY2(labelled, qPrintable(input->metaObject()->className()));
                QVERIFY(input->focusPolicy() & Qt::TabFocus);
            }
        }
    }
};

}  // namespace quexa::ui

QTEST_MAIN(quexa::ui::OptionsTest)
#include "options_test.moc"
