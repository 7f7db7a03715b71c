#include "tasks/list_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripted_prompter.h"

namespace quexa::tasks {
namespace {

using core::StatusCode;
using core::VisitCode;
using Answer = core::Prompter::Answer;

core::ResultItem Item(const std::string& name, StatusCode status, VisitCode visit, bool selected) {
    core::ResultItem item;
    item.title = name;
    item.location = "http://example.org/" + name;
    item.status = status;
    item.visit = visit;
    item.selected = selected;
    return item;
}

// Four rows: a checked Reachable, an unchecked Unreachable, a checked visited Normal, an
// unchecked Unknown.
void Fill(core::ResultList& list) {
    list.AddItem(static_cast<std::ptrdiff_t>(list.Count()),
                 Item("a", StatusCode::Reachable, VisitCode::WithoutVisit, true));
    list.AddItem(static_cast<std::ptrdiff_t>(list.Count()),
                 Item("b", StatusCode::Unreachable, VisitCode::WithoutVisit, false));
    list.AddItem(static_cast<std::ptrdiff_t>(list.Count()),
                 Item("c", StatusCode::Normal, VisitCode::Visited, true));
    list.AddItem(static_cast<std::ptrdiff_t>(list.Count()),
                 Item("d", StatusCode::Unknown, VisitCode::WithoutVisit, false));
    list.ClearModified();
}

std::string Titles(const core::ResultList& list) {
    std::string titles;
    for (std::size_t row = 0; row < list.Count(); ++row) {
        titles += list.Item(row).title;
    }
    return titles;
}

std::string Checks(const core::ResultList& list) {
    std::string checks;
    for (std::size_t row = 0; row < list.Count(); ++row) {
        checks += list.Item(row).selected ? 'x' : '-';
    }
    return checks;
}

TEST(ListCommandsTest, EachCommandChangesTheRowsItNamesAfterItsQuestion) {
    const struct {
        Command command;
        std::optional<std::size_t> current;
        std::vector<Answer> answers;
        ListChange change;
        const char* titles;
        const char* checks;
        const char* question;
        bool modified;
    } cases[] = {
        {Command::SelectAll, {}, {}, ListChange::Checks, "abcd", "xxxx", "", true},
        {Command::UnselectAll, {}, {}, ListChange::Checks, "abcd", "----", "", true},
        {Command::ReverseSelect, {}, {}, ListChange::Checks, "abcd", "-x-x", "", true},
        {Command::SelectUnreachable, {}, {}, ListChange::Checks, "abcd", "xxx-", "", true},
        {Command::SelectUnknown, {}, {}, ListChange::Checks, "abcd", "x-xx", "", true},
        {Command::SelectVisited, {}, {}, ListChange::Checks, "abcd", "x-x-", "", true},
        // Rows already checked match too: the checks stay, the list counts as changed.
        {Command::SelectReachable, {}, {}, ListChange::Checks, "abcd", "x-x-", "", true},
        {Command::SelectNormal, {}, {}, ListChange::Checks, "abcd", "x-x-", "", true},
        {Command::DeleteCurrent, 1, {}, ListChange::Rows, "acd", "xx-", "", true},
        {Command::DeleteCurrent, {}, {}, ListChange::None, "abcd", "x-x-", "", false},
        {Command::DeleteCurrent, 9, {}, ListChange::None, "abcd", "x-x-", "", false},
        {Command::DeleteSelected,
         {},
         {Answer::Yes},
         ListChange::Rows,
         "bd",
         "--",
         "Warning: Are you sure delete all selected item ?",
         true},
        {Command::DeleteSelected,
         {},
         {Answer::No},
         ListChange::None,
         "abcd",
         "x-x-",
         "Warning: Are you sure delete all selected item ?",
         false},
        {Command::DeleteAll,
         {},
         {Answer::Yes},
         ListChange::Rows,
         "",
         "",
         "Warning: Are you sure delete all ?",
         true},
        {Command::DeleteAll,
         {},
         {},
         ListChange::None,
         "abcd",
         "x-x-",
         "Warning: Are you sure delete all ?",
         false},
        {Command::CopyItem, 0, {}, ListChange::None, "abcd", "x-x-", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(InfoOf(c.command).text);
        core::ResultList list;
        Fill(list);
        testing::ScriptedPrompter prompter;
        prompter.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(RunListCommand(c.command, list, c.current, prompter), c.change);
        EXPECT_EQ(Titles(list), c.titles);
        EXPECT_EQ(Checks(list), c.checks);
        EXPECT_EQ(list.IsModified(), c.modified);
        if (*c.question == '\0') {
            EXPECT_TRUE(prompter.boxes.empty());
        } else {
            EXPECT_EQ(prompter.boxes, std::vector<std::string>{c.question});
        }
    }
}

TEST(ListCommandsTest, SelectingAStatusNoRowHasChangesNothing) {
    core::ResultList list;
    list.AddItem(0, Item("a", StatusCode::Timeout, VisitCode::WithoutVisit, false));
    list.ClearModified();
    testing::ScriptedPrompter prompter;
    for (const Command command :
         {Command::SelectReachable, Command::SelectUnreachable, Command::SelectNormal,
          Command::SelectUnknown, Command::SelectVisited}) {
        EXPECT_EQ(RunListCommand(command, list, std::nullopt, prompter), ListChange::None);
    }
    EXPECT_FALSE(list.IsModified());
    EXPECT_EQ(Checks(list), "-");
}

TEST(ListCommandsTest, DeletedLocationsCanBeListedAgain) {
    core::ResultList list;
    Fill(list);
    testing::ScriptedPrompter prompter;
    prompter.answers = {Answer::Yes};
    RunListCommand(Command::DeleteSelected, list, std::nullopt, prompter);
    EXPECT_FALSE(list.Locations().Contains("http://example.org/a"));
    EXPECT_TRUE(list.Locations().Contains("http://example.org/b"));
}

TEST(ListCommandsTest, AddGoesBeforeTheCurrentRowAndNotesALocationListedBefore) {
    core::ResultList list;
    Fill(list);
    testing::ScriptedPrompter prompter;
    core::ResultItem added = Item("n", StatusCode::Reachable, VisitCode::Visited, true);
    EXPECT_EQ(AddItemByHand(list, 2, added, prompter), 2U);
    EXPECT_EQ(Titles(list), "abncd");
    EXPECT_FALSE(list.Item(2).selected);
    EXPECT_TRUE(prompter.boxes.empty());

    added.location = "http://example.org/D";
    EXPECT_EQ(AddItemByHand(list, std::nullopt, added, prompter), 0U);
    EXPECT_EQ(Titles(list), "nabncd");
    EXPECT_EQ(prompter.boxes, std::vector<std::string>{"Note: This item have existing !"});
    EXPECT_TRUE(list.IsModified());
}

}  // namespace
}  // namespace quexa::tasks
