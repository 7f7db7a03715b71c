#include "wizard_shots.h"

#include <QPushButton>
#include <QTemporaryDir>

#include <string>

#include "core/app_folders.h"
#include "core/keyword_history.h"
#include "core/memory_profile.h"
#include "core/settings_cache.h"
#include "core/settings_table.h"
#include "demo_farm/demo_home.h"
#include "ui/qt_prompter.h"
#include "ui/wizards/category_page.h"
#include "ui/wizards/internet_search_wizard.h"
#include "ui/wizards/intranet_search_wizard.h"
#include "ui/wizards/network_resource_dialog.h"
#include "ui/wizards/search_mode_dialog.h"
#include "ui/wizards/target_page.h"

namespace quexa::screenshots {
namespace {

constexpr QSize kWizardSize(640, 420);

void InternetPages(ShotWriter& writer, core::Profile& profile, const core::AppFolders& folders) {
    core::SettingsCache cache;
    ui::QtPrompter prompter;
    ui::InternetSearchWizard wizard(profile, folders, cache, prompter);
    wizard.resize(kWizardSize);
    wizard.show();
    writer.Write(wizard, QStringLiteral("wizard_internet_1_category"));
    wizard.next();
    writer.Write(wizard, QStringLiteral("wizard_internet_2_scheme"));
    wizard.next();
    writer.Write(wizard, QStringLiteral("wizard_internet_3_keywords"));
}

void IntranetPages(ShotWriter& writer, core::Profile& profile) {
    ui::QtPrompter prompter;
    ui::IntranetSearchWizard wizard(profile, prompter);
    wizard.Targets().SetChooseFolder([](QWidget*) { return std::string("/srv/projects"); });
    wizard.resize(kWizardSize);
    wizard.show();
    wizard.Targets().BrowseButton()->click();
    writer.Write(wizard, QStringLiteral("wizard_intranet_1_targets"));
    wizard.next();
    writer.Write(wizard, QStringLiteral("wizard_intranet_2_patterns"));
}

}  // namespace

void WizardShots(ShotWriter& writer) {
    const QTemporaryDir home;
    const std::string folder = home.path().toStdString();
    demo::WriteDemoHome(folder, 8080);
    const core::AppFolders folders{folder, folder};
    core::MemoryProfile profile;
    core::settings::kLastCategory.Write(profile, "Demo");
    core::settings::kInternetKeywords.Write(profile, "solar kite");
    core::settings::kIntranetPatterns.Write(profile, "*.txt;*.htm;");
    for (const char* query : {"solar kite", "news game stock", "\"paper\"  \"boat\""}) {
        core::KeywordHistory::Internet().Add(profile, query, {});
    }
    core::KeywordHistory::Intranet().Add(profile, "*.txt;*.htm;", {});

    ui::SearchModeDialog modes;
    writer.Write(modes, QStringLiteral("wizard_search_mode"));
    InternetPages(writer, profile, folders);
    IntranetPages(writer, profile);
    ui::NetworkResourceDialog shares(
        {"//fileserver/public", "//fileserver/projects", "nas:/export/music"});
    writer.Write(shares, QStringLiteral("wizard_network_resources"));
}

}  // namespace quexa::screenshots
