#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "category_home.h"
#include "core/keyword_history.h"
#include "core/memory_profile.h"
#include "core/settings_table.h"
#include "demo_farm/demo_farm.h"
#include "demo_farm/demo_home.h"
#include "engines/scheme_list.h"
#include "scripted_prompter.h"
#include "temp_folder.h"
#include "ui/main_frame.h"
#include "ui/wizards/category_page.h"
#include "ui/wizards/check_list.h"
#include "ui/wizards/history_box.h"
#include "ui/wizards/internet_search_wizard.h"
#include "ui/wizards/intranet_search_wizard.h"
#include "ui/wizards/keyword_page.h"
#include "ui/wizards/network_resource_dialog.h"
#include "ui/wizards/pattern_page.h"
#include "ui/wizards/scheme_page.h"
#include "ui/wizards/search_mode_dialog.h"
#include "ui/wizards/target_page.h"

namespace quexa::ui {
namespace {

namespace fs = std::filesystem;
namespace settings = core::settings;
using engines::testing::CategoryHome;
using engines::testing::SchemeBytes;
using namespace std::chrono_literals;

constexpr int kLongWait = 30000;
const QString kNoKeywords =
    QStringLiteral("Warning: Please input at least one key word what you want to search !");

engines::CategoryRecord Category(std::string name, std::string directory, std::string note) {
    engines::CategoryRecord record;
    record.name = std::move(name);
    record.directory = std::move(directory);
    record.note = std::move(note);
    return record;
}

QString BoxesText(const testing::ScriptedPrompter& prompter) {
    return prompter.boxes.empty() ? QString() : QString::fromStdString(prompter.boxes.back());
}

void TypeAndEnter(QLineEdit* edit, const QString& text) {
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void Click(QAbstractButton* button) {
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList ComboTexts(const QComboBox& box) {
    QStringList texts;
    for (int index = 0; index < box.count(); ++index) {
        texts << box.itemText(index);
    }
    return texts;
}

QStringList ListTexts(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row) {
        texts << list.item(row)->text();
    }
    return texts;
}

// Rows as "text" when ticked, "-text" when not.
QStringList Rows(const CheckList& list) {
    QStringList rows;
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = list.topLevelItem(row);
        rows << (item->checkState(0) == Qt::Checked ? QString() : QStringLiteral("-")) +
                    item->text(1);
    }
    return rows;
}

void ClickRow(CheckList& list, int row, Qt::MouseButton button = Qt::LeftButton) {
    const QRect rect = list.visualItemRect(list.topLevelItem(row));
    QTest::mouseClick(list.viewport(), button, {}, rect.center());
}

// Opens a list's popup menu by Shift+F10, reads which commands are enabled and triggers one
// (or none when command is empty).
std::map<QString, bool> UseMenu(CheckList& list, const QString& command) {
    std::map<QString, bool> enabled;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                enabled[action->text()] = action->isEnabled();
                chosen = action->text() == command ? action : chosen;
            }
        }
        if (chosen != nullptr && chosen->isEnabled()) {
            chosen->trigger();
        }
        menu->close();
    });
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_F10, Qt::ShiftModifier);
    return enabled;
}

// Runs a step on each dialog that opens while a test runs, by its window title; a wizard whose
// title changes with its page gets the step of each page once.
class DialogDriver : public QObject {
  public:
    using Step = std::function<void(QDialog&)>;

    DialogDriver() {
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(10);
    }
    void On(const QString& title, Step step) { steps_[title] = std::move(step); }
    int Seen(const QString& title) const { return static_cast<int>(seen_.count(title)); }
    QStringList texts;

  private:
    void Poll() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            if (dialog == nullptr || !dialog->isVisible()) {
                continue;
            }
            const QString title = dialog->windowTitle();
            const auto step = steps_.find(title);
            if (step == steps_.end() || done_.contains({dialog, title})) {
                continue;
            }
            done_.insert({dialog, title});
            // Keys go to the active window, as they would for a person.
            QApplication::setActiveWindow(dialog);
            seen_.insert(title);
            if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
                texts << box->text();
            }
            step->second(*dialog);
        }
    }

    QTimer timer_;
    std::map<QString, Step> steps_;
    std::set<std::pair<QDialog*, QString>> done_;
    std::multiset<QString> seen_;
};

void PressOk(QDialog& dialog) {
    static_cast<QMessageBox&>(dialog).button(QMessageBox::Ok)->click();
}

// A program folder with three categories (one without schemes) and a profile as an earlier
// search left it.
struct InternetHome {
    InternetHome() {
        home.WriteCategories({Category("News", "NewsDir", "Daily papers"),
                              Category("Quiet", "QuietDir", "Nothing here")});
        home.WriteScheme("NewsDir", "fast", SchemeBytes("quick ones", {}));
        home.WriteScheme("NewsDir", "broken", "not a scheme");
        settings::kLastCategory.Write(profile, "News");
        settings::kInternetKeywords.Write(profile, "last one");
        settings::kAutoVerify.Write(profile, 1);
        core::KeywordHistory::Internet().Add(profile, "Snow Day", {});
        core::KeywordHistory::Intranet().Add(profile, "*.txt", {});
    }

    CategoryHome home;
    core::MemoryProfile profile;
    core::SettingsCache cache;
    testing::ScriptedPrompter prompter;
};

}  // namespace

class WizardsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void TheModeIsChosenByArrowsAndEnter_data() {
        QTest::addColumn<int>("downs");
        QTest::addColumn<int>("mode");
        QTest::newRow("Internet, the default") << 0 << int(tasks::SearchMode::Internet);
        QTest::newRow("Intranet") << 1 << int(tasks::SearchMode::Intranet);
        QTest::newRow("empty file") << 2 << int(tasks::SearchMode::FreeEdit);
    }
    void TheModeIsChosenByArrowsAndEnter() {
        QFETCH(int, downs);
        QFETCH(int, mode);
        SearchModeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("New Search - Choose Search Mode"));
        QCOMPARE(dialog.Button(tasks::SearchMode::FreeEdit)->text(),
                 QStringLiteral("I Want Create an Empty Freedom Edit Mode File"));
        QRadioButton* internet = dialog.Button(tasks::SearchMode::Internet);
        QVERIFY(internet->isChecked());
        internet->setFocus();
        for (int down = 0; down < downs; ++down) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(int(dialog.Choice()), mode);
    }

    void TheInternetWizardStoresEachChoiceAsItsPageIsLeft() {
        InternetHome h;
        InternetSearchWizard wizard(h.profile, h.home.folders(), h.cache, h.prompter);
        wizard.show();
        QApplication::setActiveWindow(&wizard);
        QVERIFY(QTest::qWaitForWindowActive(&wizard));
        QCOMPARE(wizard.windowTitle(), QStringLiteral("New Search - Search Internet (Step 1/3)"));
        CategoryPage& categories = wizard.Categories();
        QComboBox& box = *categories.Categories();
        QCOMPARE(ComboTexts(box), (QStringList{"The Web", "News", "Quiet"}));
        QCOMPARE(box.currentText(), QStringLiteral("News"));
        QCOMPARE(categories.Note()->text(), QStringLiteral("Daily papers"));
        QVERIFY(!box.itemIcon(0).isNull());
        QVERIFY(!categories.UpdateButton()->isEnabled());

        // The category without schemes shows the system scheme alone.
        box.setCurrentIndex(2);
        QCOMPARE(categories.Note()->text(), QStringLiteral("Nothing here"));
        Click(wizard.button(QWizard::NextButton));
        QCOMPARE(wizard.windowTitle(), QStringLiteral("New Search - Search Internet (Step 2/3)"));
        QCOMPARE(settings::kLastCategory.Read(h.profile), "Quiet");
        QListWidget& schemes = *wizard.Schemes().Schemes();
        QCOMPARE(ListTexts(schemes), QStringList{"System Scheme"});
        QCOMPARE(wizard.Schemes().Note()->text(),
                 QStringLiteral("    This scheme is holdded by system, you can use this scheme, "
                                "but can not edit it!"));

        // Back and another category: its own schemes, the unreadable one without a note.
        Click(wizard.button(QWizard::BackButton));
        QCOMPARE(wizard.currentId(), int(InternetSearchWizard::kCategoryPage));
        QCOMPARE(settings::kLastCategory.Read(h.profile), "Quiet");
        box.setCurrentIndex(box.findText(QStringLiteral("News")));
        Click(wizard.button(QWizard::NextButton));
        QCOMPARE(ListTexts(schemes), (QStringList{"System Scheme", "broken", "fast"}));
        QCOMPARE(schemes.currentRow(), 0);
        // Configure opens the editor for the category's directory; after OK the page is refilled.
        QStringList configured;
        wizard.Schemes().SetConfigure([&](QWidget*, const std::string& directory) {
            configured << QString::fromStdString(directory);
            h.home.WriteScheme(directory, "added", SchemeBytes("", {}));
            return configured.size() > 1;
        });
        Click(wizard.Schemes().ConfigureButton());
        QCOMPARE(ListTexts(schemes).size(), 3);
        Click(wizard.Schemes().ConfigureButton());
        QCOMPARE(configured, (QStringList{"NewsDir", "NewsDir"}));
        QCOMPARE(ListTexts(schemes), (QStringList{"System Scheme", "added", "broken", "fast"}));
        schemes.setFocus();
        QTest::keyClick(&schemes, Qt::Key_Down);
        QTest::keyClick(&schemes, Qt::Key_Down);
        QCOMPARE(wizard.Schemes().Note()->text(), QStringLiteral("    "));
        QTest::keyClick(&schemes, Qt::Key_Down);
        QCOMPARE(wizard.Schemes().Note()->text(), QStringLiteral("    quick ones"));
        Click(wizard.button(QWizard::NextButton));
        QCOMPARE(fs::path(engines::GetLastScheme(h.profile, "NewsDir")).filename(), "fast.scm");

        KeywordPage& keywords = wizard.Keywords();
        QComboBox& query = *keywords.Query()->Box();
        QCOMPARE(ComboTexts(query), QStringList{"Snow Day"});
        QCOMPARE(query.currentText(), QStringLiteral("last one"));
        QVERIFY(keywords.Query()->ClearButton()->isEnabled());
        QVERIFY(keywords.Verify()->isChecked());
        QVERIFY(!keywords.HangUp()->isChecked());
        QVERIFY(keywords.Note()->text().endsWith(
            QStringLiteral("3.Search any key word, such as :  \"news\"  \"game\"  \"stock\"")));

        // An empty box is refused and the wizard stays.
        query.lineEdit()->clear();
        Click(wizard.button(QWizard::FinishButton));
        QCOMPARE(BoxesText(h.prompter), kNoKeywords);
        QCOMPARE(wizard.currentId(), int(InternetSearchWizard::kKeywordPage));
        QCOMPARE(settings::kInternetKeywords.Read(h.profile), "last one");

        // A query equal to history but for letter case is stored as typed, and not added.
        QTest::keyClicks(query.lineEdit(), QStringLiteral("  snow DAY "));
        Click(keywords.HangUp());
        keywords.Verify()->setFocus();
        QTest::keyClick(keywords.Verify(), Qt::Key_Space);
        Click(wizard.button(QWizard::FinishButton));
        QCOMPARE(wizard.result(), int(QDialog::Accepted));
        QCOMPARE(settings::kInternetKeywords.Read(h.profile), "snow DAY");
        QCOMPARE(core::KeywordHistory::Internet().Load(h.profile),
                 std::vector<std::string>{"Snow Day"});
        QCOMPARE(settings::kHangUp.Read(h.profile), 1);
        QCOMPARE(settings::kAutoVerify.Read(h.profile), 0);
        QVERIFY(h.cache.hangUpWhenFinished);
    }

    void ClearHistoryEmptiesOnlyThatWizardsHistory() {
        InternetHome h;
        {
            InternetSearchWizard wizard(h.profile, h.home.folders(), h.cache, h.prompter);
            wizard.show();
            Click(wizard.button(QWizard::NextButton));
            Click(wizard.button(QWizard::NextButton));
            HistoryBox& history = *wizard.Keywords().Query();
            Click(history.ClearButton());
            QVERIFY(!history.ClearButton()->isEnabled());
            QCOMPARE(history.Box()->count(), 0);
            QCOMPARE(history.Box()->currentText(), QStringLiteral("last one"));
            // Cancel on the last page stores none of its boxes.
            wizard.Keywords().Verify()->setChecked(false);
            Click(wizard.button(QWizard::CancelButton));
            QCOMPARE(settings::kAutoVerify.Read(h.profile), 1);
        }
        InternetSearchWizard again(h.profile, h.home.folders(), h.cache, h.prompter);
        again.show();
        again.next();
        again.next();
        QCOMPARE(again.Keywords().Query()->Box()->count(), 0);
        QVERIFY(!again.Keywords().Query()->ClearButton()->isEnabled());
        // After Clear History the same query counts as new and is numbered 1 again.
        again.Keywords().Query()->Box()->setEditText(QStringLiteral("Snow Day"));
        QVERIFY(again.validateCurrentPage());
        QCOMPARE(settings::kInternetHistoryCount.Read(h.profile), 1);
        QCOMPARE(core::KeywordHistory::Intranet().Load(h.profile),
                 std::vector<std::string>{"*.txt"});
    }

    void TheIntranetWizardsTargetsFollowTheirRules() {
        InternetHome h;
        testing::TempFolder tree;
        const std::string a = (tree.Path() / "a").string();
        const std::string b = (tree.Path() / "b").string();
        IntranetSearchWizard wizard(h.profile, h.prompter);
        std::vector<std::string> browsed{a, a, b};
        wizard.Targets().SetChooseFolder([&](QWidget*) -> std::optional<std::string> {
            if (browsed.empty()) {
                return std::nullopt;
            }
            std::string folder = browsed.front();
            browsed.erase(browsed.begin());
            return folder;
        });
        wizard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wizard));
        QCOMPARE(wizard.windowTitle(),
                 QStringLiteral("New Search - Search Intranet and PC (Step 1/2)"));
        CheckList& targets = *wizard.Targets().Targets();
        QCOMPARE(targets.headerItem()->text(1), QStringLiteral("Search Start Position"));
        QCOMPARE(Rows(targets), QStringList{"All Intranet Resource"});
        std::map<QString, bool> menu = UseMenu(targets, {});
        QCOMPARE(menu, (std::map<QString, bool>{{"Select All", false},
                                                {"Unselect", true},
                                                {"Reverse Select", true},
                                                {"Remove", false},
                                                {"Remove Selected", false},
                                                {"Remove All", false}}));

        // Browsing twice to one folder leaves one row, ticked.
        for (int click = 0; click < 3; ++click) {
            Click(wizard.Targets().BrowseButton());
        }
        QCOMPARE(Rows(targets), (QStringList{"All Intranet Resource", QString::fromStdString(a),
                                             QString::fromStdString(b)}));
        ClickRow(targets, 0);
        QVERIFY(!UseMenu(targets, {})[QStringLiteral("Remove")]);
        ClickRow(targets, 2, Qt::RightButton);
        QVERIFY(UseMenu(targets, QStringLiteral("Remove"))[QStringLiteral("Remove")]);
        QCOMPARE(Rows(targets), (QStringList{"All Intranet Resource", QString::fromStdString(a)}));
        QCOMPARE(targets.CurrentRow(), -1);

        // Only the first row ticked stands for the whole network: an empty target text.
        targets.setFocus();
        targets.setCurrentItem(targets.topLevelItem(1));
        QTest::keyClick(&targets, Qt::Key_Space);
        QCOMPARE(Rows(targets),
                 (QStringList{"All Intranet Resource", "-" + QString::fromStdString(a)}));
        Click(wizard.button(QWizard::NextButton));
        QCOMPARE(settings::kLastSearchTarget.Read(h.profile), "");
        Click(wizard.button(QWizard::BackButton));
        UseMenu(targets, QStringLiteral("Select All"));
        Click(wizard.button(QWizard::NextButton));
        QCOMPARE(settings::kLastSearchTarget.Read(h.profile), a + ";");
        Click(wizard.button(QWizard::BackButton));
        UseMenu(targets, QStringLiteral("Unselect"));
        Click(wizard.button(QWizard::NextButton));
        QCOMPARE(BoxesText(h.prompter),
                 QStringLiteral("Warning: You should at least select one search target !"));
        QCOMPARE(wizard.currentId(), int(IntranetSearchWizard::kTargetPage));
        UseMenu(targets, QStringLiteral("Remove All"));
        QCOMPARE(Rows(targets), QStringList{"All Intranet Resource"});

        // The patterns: history, the note, an empty box refused, a case variant not added.
        Click(wizard.button(QWizard::NextButton));
        QCOMPARE(wizard.windowTitle(),
                 QStringLiteral("New Search - Search Intranet and PC (Step 2/2)"));
        HistoryBox& patterns = *wizard.Patterns().Patterns();
        QCOMPARE(ComboTexts(*patterns.Box()), QStringList{"*.txt"});
        QCOMPARE(wizard.Patterns().Note()->text(),
                 QStringLiteral("  You can search more then one type file, you can split then "
                                "with \";\", such as: abc.txt;*.htm;*.jpg;"));
        patterns.Box()->lineEdit()->clear();
        h.prompter.boxes.clear();
        Click(wizard.button(QWizard::FinishButton));
        QCOMPARE(BoxesText(h.prompter), kNoKeywords);
        TypeAndEnter(patterns.Box()->lineEdit(), QStringLiteral(" *.TXT"));
        QCOMPARE(wizard.result(), int(QDialog::Accepted));
        QCOMPARE(settings::kIntranetPatterns.Read(h.profile), "*.TXT");
        QCOMPARE(core::KeywordHistory::Intranet().Load(h.profile),
                 std::vector<std::string>{"*.txt"});
    }

    void TheNetworkResourceListKeepsTheTickedShares() {
        const std::vector<std::string> shares{"//alpha/docs", "//beta/music", "//gamma/films"};
        {
            NetworkResourceDialog dialog(shares);
            dialog.show();
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Network Resource List"));
            CheckList& list = *dialog.Shares();
            QCOMPARE(list.headerItem()->text(1), QStringLiteral("Network Resource"));
            QCOMPARE(dialog.Ticked(), shares);
            list.setFocus();
            list.setCurrentItem(list.topLevelItem(1));
            QTest::keyClick(&list, Qt::Key_Space);
            QCOMPARE(dialog.Ticked(), (std::vector<std::string>{shares[0], shares[2]}));
            const std::map<QString, bool> menu = UseMenu(list, QStringLiteral("Reverse Select"));
            QCOMPARE(menu,
                     (std::map<QString, bool>{
                         {"Select All", true}, {"Unselect", true}, {"Reverse Select", true}}));
            QCOMPARE(dialog.Ticked(), std::vector<std::string>{shares[1]});
            UseMenu(list, QStringLiteral("Unselect"));
            QVERIFY(dialog.Ticked().empty());
            UseMenu(list, QStringLiteral("Select All"));
            QCOMPARE(dialog.Ticked(), shares);
        }
        {
            DialogDriver driver;
            driver.On(QStringLiteral("Network Resource List"), [](QDialog& dialog) {
                auto& list = *static_cast<NetworkResourceDialog&>(dialog).Shares();
                list.topLevelItem(0)->setCheckState(0, Qt::Unchecked);
                dialog.accept();
            });
            QCOMPARE(NetworkResourceDialog::Confirm(shares, nullptr),
                     (std::vector<std::string>{shares[1], shares[2]}));
        }
        DialogDriver driver;
        driver.On(QStringLiteral("Network Resource List"),
                  [](QDialog& dialog) { dialog.reject(); });
        QVERIFY(NetworkResourceDialog::Confirm(shares, nullptr).empty());
    }

    void AnInternetSearchStartsFromTheWizardInTheWindow() {
        testing::TempFolder home;
        core::MemoryProfile profile;
        demo::DemoFarm farm(demo::DemoFarm::Options{.threads = 64, .holdLimit = 1s});
        std::string error;
        QVERIFY2(farm.Start(0, &error), error.c_str());
        QVERIFY2(demo::WriteDemoHome(home.Path(), farm.port(), &error), error.c_str());
        const std::string folder = home.Path().string();
        MainFrame frame(profile, core::AppFolders{folder, folder});
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        DialogDriver driver;
        driver.On(QStringLiteral("New Search - Choose Search Mode"),
                  [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); });
        driver.On(QStringLiteral("New Search - Search Internet (Step 1/3)"), [](QDialog& dialog) {
            auto& wizard = static_cast<InternetSearchWizard&>(dialog);
            QComboBox& box = *wizard.Categories().Categories();
            box.setCurrentIndex(box.findText(QStringLiteral("Demo")));
            QTest::keyClick(&wizard, Qt::Key_N, Qt::AltModifier);
        });
        driver.On(QStringLiteral("New Search - Search Internet (Step 2/3)"),
                  [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_N, Qt::AltModifier); });
        driver.On(QStringLiteral("New Search - Search Internet (Step 3/3)"), [](QDialog& dialog) {
            auto& wizard = static_cast<InternetSearchWizard&>(dialog);
            TypeAndEnter(wizard.Keywords().Query()->Box()->lineEdit(),
                         QStringLiteral("solar kite"));
        });
        driver.On(QStringLiteral("Note:"), PressOk);

        frame.Run(tasks::Command::NewSearch);
        QCOMPARE(settings::kInternetKeywords.Read(profile), "solar kite");
        QCOMPARE(settings::kLastCategory.Read(profile), "Demo");
        QTRY_VERIFY_WITH_TIMEOUT(driver.texts.contains(QStringLiteral("All task have finished!")),
                                 kLongWait);
        QTRY_VERIFY_WITH_TIMEOUT(frame.Control().Idle(), kLongWait);
        QVERIFY(frame.List().Count() > 0);
        QCOMPARE(driver.Seen(QStringLiteral("New Search - Search Internet (Step 3/3)")), 1);
        QCOMPARE(frame.Control().state().currentQuery, "solar kite");
    }

    void AnIntranetSearchStartsFromTheWizardInTheWindow() {
        testing::TempFolder home;
        testing::TempFolder tree;
        for (const char* name : {"a.txt", "b.log", "deep/c.txt", "deep/d.TXT"}) {
            fs::create_directories((tree.Path() / name).parent_path());
            std::ofstream(tree.Path() / name) << "text";
        }
        core::MemoryProfile profile;
        const std::string folder = home.Path().string();
        MainFrame frame(profile, core::AppFolders{folder, folder});
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        DialogDriver driver;
        driver.On(QStringLiteral("New Search - Choose Search Mode"), [](QDialog& dialog) {
            auto& modes = static_cast<SearchModeDialog&>(dialog);
            modes.Button(tasks::SearchMode::Intranet)->click();
            QTest::keyClick(&dialog, Qt::Key_Return);
        });
        const std::string root = tree.Path().string();
        driver.On(QStringLiteral("New Search - Search Intranet and PC (Step 1/2)"),
                  [root](QDialog& dialog) {
                      auto& wizard = static_cast<IntranetSearchWizard&>(dialog);
                      wizard.Targets().SetChooseFolder([root](QWidget*) { return root; });
                      wizard.Targets().BrowseButton()->click();
                      CheckList& targets = *wizard.Targets().Targets();
                      targets.topLevelItem(0)->setCheckState(0, Qt::Unchecked);
                      QTest::keyClick(&wizard, Qt::Key_N, Qt::AltModifier);
                  });
        driver.On(QStringLiteral("New Search - Search Intranet and PC (Step 2/2)"),
                  [](QDialog& dialog) {
                      auto& wizard = static_cast<IntranetSearchWizard&>(dialog);
                      TypeAndEnter(wizard.Patterns().Patterns()->Box()->lineEdit(),
                                   QStringLiteral("*.txt"));
                  });
        driver.On(QStringLiteral("Note:"), PressOk);

        frame.Run(tasks::Command::NewSearch);
        QTRY_VERIFY_WITH_TIMEOUT(frame.Control().Idle(), kLongWait);
        QCOMPARE(settings::kLastSearchTarget.Read(profile), root + ";");
        QCOMPARE(settings::kIntranetPatterns.Read(profile), "*.txt");
        QStringList found;
        for (std::size_t row = 0; row < frame.List().Count(); ++row) {
            found << QString::fromStdString(frame.List().Item(row).title);
        }
        found.sort();
        QCOMPARE(found, (QStringList{"a.txt", "c.txt", "d.TXT"}));
        QVERIFY(driver.texts.contains(QStringLiteral("All task have finished!")));
    }

    void CancelInTheModeDialogStartsNothing() {
        testing::TempFolder home;
        core::MemoryProfile profile;
        settings::kInternetKeywords.Write(profile, "solar kite");
        const std::string folder = home.Path().string();
        MainFrame frame(profile, core::AppFolders{folder, folder});
        frame.show();
        DialogDriver driver;
        driver.On(QStringLiteral("New Search - Choose Search Mode"),
                  [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
        frame.Run(tasks::Command::NewSearch);
        QVERIFY(!frame.Control().state().taskRunning);
        QVERIFY(frame.Action(tasks::Command::NewSearch)->isEnabled());
        QCOMPARE(driver.Seen(QStringLiteral("New Search - Choose Search Mode")), 1);
    }
};

}  // namespace quexa::ui

QTEST_MAIN(quexa::ui::WizardsTest)
#include "wizards_test.moc"
