#include "tasks/main_menu.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/memory_profile.h"
#include "core/settings_table.h"
#include "tasks/search_mode.h"

namespace quexa::tasks {
namespace {

TEST(MainMenuTest, EveryMainWindowCommandIsInOneMenuInTheTableOrder) {
    std::vector<Command> listed;
    for (const MenuInfo& menu : MainMenus()) {
        listed.insert(listed.end(), menu.commands.begin(), menu.commands.end());
    }
    // The menus run from "Open" to "About Quexa" in the command table; nothing else is there.
    std::vector<Command> expected;
    for (const CommandInfo& info : AllCommands()) {
        expected.push_back(info.command);
        if (info.command == Command::About) {
            break;
        }
    }
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(MainMenus().size(), 5u);
    EXPECT_EQ(MainMenus()[1].title, "&Task");
}

TEST(MainMenuTest, TheShortcutIsWhatFollowsTheTab) {
    const struct {
        Command command;
        std::string_view caption;
        std::string_view shortcut;
    } cases[] = {
        {Command::HelpTopic, "Help Topic", "F1"},
        {Command::SelectAll, "Select All", "Ctrl+Shift+A"},
        {Command::Summarize, "Summarize", "Ctrl+Y"},
        {Command::SaveAs, "Save as ...", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CaptionOf(c.command), c.caption);
        EXPECT_EQ(ShortcutOf(c.command), c.shortcut);
    }
}

TEST(SearchModeTest, TheProfileChoosesTheSearchAsTheWizardsLeaveIt) {
    namespace s = core::settings;
    const struct {
        const char* name;
        const char* keywords;
        const char* patterns;
        const char* target;
        SearchMode mode;
    } cases[] = {
        {"nothing stored", "", "", "", SearchMode::FreeEdit},
        {"key words", "solar kite", "", "", SearchMode::Internet},
        {"key words win", "solar", "*.txt", "/tmp;", SearchMode::Internet},
        {"blank key words", "   ", "*.txt", "/tmp;", SearchMode::Intranet},
        {"patterns without a target", "", "*.txt", "", SearchMode::FreeEdit},
    };
    for (const auto& c : cases) {
        core::MemoryProfile profile;
        s::kInternetKeywords.Write(profile, c.keywords);
        s::kIntranetPatterns.Write(profile, c.patterns);
        s::kLastSearchTarget.Write(profile, c.target);
        EXPECT_EQ(SearchModeFromProfile(profile), c.mode) << c.name;
    }
}

TEST(SearchModeTest, ModeNamesIgnoreLetterCase) {
    EXPECT_EQ(ParseSearchMode("Internet"), SearchMode::Internet);
    EXPECT_EQ(ParseSearchMode("INTRANET"), SearchMode::Intranet);
    EXPECT_EQ(ParseSearchMode("free"), SearchMode::FreeEdit);
    EXPECT_EQ(ParseSearchMode("web"), std::nullopt);
    EXPECT_EQ(ParseSearchMode(""), std::nullopt);
}

}  // namespace
}  // namespace quexa::tasks
