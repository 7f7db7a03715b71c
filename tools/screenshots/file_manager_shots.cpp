#include "file_manager_shots.h"

#include <QMenu>
#include <QTemporaryDir>
#include <QTreeWidgetItem>

#include <filesystem>
#include <fstream>
#include <memory>

#include "core/result_list.h"
#include "files/result_file.h"
#include "platform/desktop_trash.h"
#include "shot_writer.h"
#include "tasks/file_property.h"
#include "tasks/task_state.h"
#include "ui/file_manager/change_password_dialog.h"
#include "ui/file_manager/file_manager_pane.h"
#include "ui/file_manager/file_property_dialog.h"
#include "ui/file_manager/result_tree_widget.h"
#include "ui/file_manager/save_file_dialog.h"
#include "ui/qt_prompter.h"

namespace quexa::screenshots {
namespace {

namespace fs = std::filesystem;

// A result file of two rows; a mode letter this version does not know makes a newer file.
void WriteSample(const fs::path& path, char mode, const std::string& password = {}) {
    core::ResultList list;
    for (const char* title : {"Kite festival", "Kite repair"}) {
        core::ResultItem item;
        item.title = title;
        item.location = std::string("http://example.org/") + title;
        list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), std::move(item));
    }
    files::ResultFileHeader header;
    header.mode = mode;
    header.keywords = "kite";
    header.searchTarget = "General";
    header.note = "Places to fly a kite";
    header.author = "Ada";
    header.SetPassword(password);
    files::WriteResultFile(path, list, header);
}

void MakeSamples(const fs::path& home) {
    for (const char* folder : {"Data/Internet/Travel/Europe", "Data/Intranet", "Data/MyFav"}) {
        fs::create_directories(home / folder);
    }
    WriteSample(home / "Data/Internet/kites.qzr", 'A');
    WriteSample(home / "Data/Internet/private kites.qzr", 'A', "kite");
    WriteSample(home / "Data/Internet/from a newer Quexa.qzr", 'D');
    std::ofstream(home / "Data/Internet/damaged.qzr") << "not a result file";
    WriteSample(home / "Data/MyFav/favourites.qzr", 'C');
}

void Menu(ShotWriter& writer, ui::FileManagerPane& pane, const fs::path& path,
          const QString& name) {
    const std::unique_ptr<QMenu> menu = pane.MenuFor(pane.Tree().Reveal(path));
    writer.Write(*menu, name);
    menu->hide();
}

}  // namespace

void FileManagerShots(ShotWriter& writer) {
    const QTemporaryDir temporary;
    const fs::path home = temporary.path().toStdString();
    MakeSamples(home);
    ui::QtPrompter prompter;
    platform::DesktopTrash trash;
    tasks::TaskState state;
    ui::FileManagerPane pane(ui::FileManagerContext{
        .dataFolder = home, .prompter = prompter, .trash = trash, .state = state});
    pane.resize(300, 420);
    pane.Tree().Reveal(home / "Data/Internet/Travel/Europe");
    pane.Tree().Reveal(home / "Data/MyFav/favourites.qzr");
    pane.Tree().setCurrentItem(pane.Tree().Reveal(home / "Data/Internet/kites.qzr"));
    writer.Write(pane, QStringLiteral("file_manager"));
    Menu(writer, pane, home / "Data/Internet", QStringLiteral("file_manager_menu_top_folder"));
    Menu(writer, pane, home / "Data/Internet/Travel", QStringLiteral("file_manager_menu_folder"));
    Menu(writer, pane, home / "Data/Internet/kites.qzr", QStringLiteral("file_manager_menu_file"));

    ui::SaveFileDialog save(home, false, QStringLiteral("kite"));
    save.Tree().setCurrentItem(save.Tree().Reveal(home / "Data/Internet/Travel"));
    writer.Write(save, QStringLiteral("dialog_save_file"));
    if (const auto property = tasks::FileProperty::Read(home / "Data/Internet/kites.qzr")) {
        ui::FilePropertyDialog dialog(*property);
        writer.Write(dialog, QStringLiteral("dialog_file_property"));
    }
    ui::ChangePasswordDialog password(true, {});
    writer.Write(password, QStringLiteral("dialog_change_password"));
}

}  // namespace quexa::screenshots
