#include "tasks/main_menu.h"

#include <array>

namespace quexa::tasks {
namespace {

using C = Command;

constexpr std::array kFile{C::Open, C::Save, C::SaveAs, C::ExportAll, C::FileExportAllSeemly,
                           C::Exit};
constexpr std::array kTask{C::NewSearch, C::VerifyResult, C::StopTask};
constexpr std::array kView{C::PreviewInformation, C::FileManager, C::FastInfo, C::FieldManager,
                           C::Option};
constexpr std::array kTools{C::HangUp};
constexpr std::array kHelp{C::HelpTopic, C::TipOfTheDay, C::BugReport, C::OnTheWeb, C::About};

// "&" marks the key that opens the menu with Alt.
constexpr std::array<MenuInfo, 5> kMenus{{
    {"&File", kFile},
    {"&Task", kTask},
    {"&View", kView},
    {"T&ools", kTools},
    {"&Help", kHelp},
}};

}  // namespace

std::span<const MenuInfo> MainMenus() {
    return kMenus;
}

std::string_view ShortcutOf(Command command) {
    const std::string_view text = InfoOf(command).text;
    const std::size_t tab = text.find('\t');
    return tab == std::string_view::npos ? std::string_view{} : text.substr(tab + 1);
}

std::string_view CaptionOf(Command command) {
    const std::string_view text = InfoOf(command).text;
    return text.substr(0, text.find('\t'));
}

}  // namespace quexa::tasks
