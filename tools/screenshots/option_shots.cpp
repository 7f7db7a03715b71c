#include "option_shots.h"

#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>

#include <filesystem>
#include <string>
#include <vector>

#include "core/memory_profile.h"
#include "core/settings_cache.h"
#include "engines/engine_record.h"
#include "engines/scheme_file.h"
#include "files/engine_block.h"
#include "tasks/location_opener.h"
#include "ui/options/options_sheet.h"
#include "ui/qt_prompter.h"
#include "ui/scheme_editor/edit_engine_dialog.h"
#include "ui/scheme_editor/scheme_editor_dialog.h"
#include "ui/scheme_editor/scheme_name_dialog.h"

namespace quexa::screenshots {
namespace {

namespace fs = std::filesystem;

// Nothing is opened while the pictures are taken.
class NoOpener : public tasks::LocationOpener {
  public:
    void Browse(std::string_view) override {}
    Failure Open(std::string_view) override { return Failure::None; }
    Failure Explore(std::string_view) override { return Failure::None; }
};

void Sheet(ShotWriter& writer) {
    core::MemoryProfile profile;
    core::SettingsCache cache;
    ui::QtPrompter prompter;
    ui::OptionsSheet sheet(profile, cache, prompter);
    const char* const names[] = {"options_network", "options_export", "options_verify",
                                 "options_other"};
    for (int page = 0; page < sheet.Pages().count(); ++page) {
        sheet.Pages().setCurrentIndex(page);
        writer.Write(sheet, QString::fromLatin1(names[page]));
    }
}

// A category of sample engines with one user scheme, remembered.
core::AppFolders SampleCategory(const QTemporaryDir& home, core::Profile& profile) {
    core::AppFolders folders;
    folders.appDirectory = home.path().toStdString();
    folders.dataDirectory = folders.appDirectory;
    const fs::path engines = fs::path(folders.appDirectory) / "Categories" / "Global";
    fs::create_directories(engines);
    const std::vector<std::string> names{"Atlas Search", "Bookworm",  "Compass", "Daybreak News",
                                         "Echo Index",   "Fieldnote", "Granary", "Harbor Web"};
    std::vector<engines::SchemeEntry> entries;
    int number = 10;
    for (const std::string& name : names) {
        engines::EngineRecord record;
        record.SetText(engines::EngineRecord::kName, name);
        record.SetText(engines::EngineRecord::kWebSite,
                       "www." + std::to_string(entries.size()) + ".example");
        files::WriteEngineBlock(engines / (name + ".qzf"), record.bytes());
        entries.push_back({name, number, static_cast<std::uint8_t>(entries.size() % 3 != 1)});
        number += 15;
    }
    const std::string schemes = folders.dataDirectory + "/UserData/Scheme/Global/";
    fs::create_directories(schemes);
    engines::SchemeFile::Save(schemes + "Evening reading.scm",
                              "Books and news for a quiet evening.", entries);
    profile.WriteString("UserData\\Scheme", "Global.LastScheme", schemes + "Evening reading.scm");
    return folders;
}

void SchemeEditor(ShotWriter& writer) {
    const QTemporaryDir home;
    core::MemoryProfile profile;
    const core::AppFolders folders = SampleCategory(home, profile);
    ui::QtPrompter prompter;
    NoOpener opener;
    ui::SchemeEditorDialog dialog(folders, profile, "Global", prompter, opener);
    writer.Write(dialog, QStringLiteral("scheme_editor"));

    ui::SchemeNameDialog name(QStringLiteral("Evening reading"));
    writer.Write(name, QStringLiteral("scheme_name"));
    ui::EditEngineDialog edit(dialog.Editor().rows().front(), true, opener);
    writer.Write(edit, QStringLiteral("scheme_edit_engine"));
}

}  // namespace

void OptionShots(ShotWriter& writer) {
    Sheet(writer);
    SchemeEditor(writer);
}

}  // namespace quexa::screenshots
