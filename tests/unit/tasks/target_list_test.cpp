#include "tasks/target_list.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/memory_profile.h"
#include "core/settings_table.h"
#include "tasks/query_page.h"

namespace quexa::tasks {
namespace {

// Rows as "text" ticked or "-text" unticked, for short expectations.
std::vector<std::string> Shown(const TargetList& list) {
    std::vector<std::string> shown;
    for (const TargetList::Row& row : list.rows()) {
        shown.push_back((row.ticked ? "" : "-") + row.text);
    }
    return shown;
}

TEST(TargetListTest, AddingTrimsAndTicksAFolderListedInAnotherCase) {
    TargetList list;
    EXPECT_EQ(list.Add("  /srv/Docs "), 1U);
    list.Toggle(1);
    EXPECT_EQ(list.Add("/SRV/docs"), 1U);
    EXPECT_EQ(list.Add("   "), std::nullopt);
    EXPECT_EQ(list.Add("all intranet resource"), 0U);
    EXPECT_EQ(Shown(list), (std::vector<std::string>{"All Intranet Resource", "/srv/Docs"}));
}

TEST(TargetListTest, CommandsAreEnabledAsTheRowsAllow) {
    struct Case {
        const char* name;
        std::vector<std::string> added;
        std::vector<bool> ticks;
        std::optional<std::size_t> current;
        bool selectAll, unselect, remove, removeSelected, removeAll;
    };
    const std::vector<Case> cases = {
        {"fresh list", {}, {true}, std::nullopt, false, true, false, false, false},
        {"first row clicked", {"/a"}, {true, true}, 0, false, true, false, true, true},
        {"no row clicked", {"/a"}, {true, false}, std::nullopt, true, true, false, true, true},
        {"second row clicked", {"/a"}, {false, false}, 1, true, false, true, false, true},
        {"only the first, unticked", {}, {false}, 0, true, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TargetList list;
        for (const std::string& text : c.added) {
            list.Add(text);
        }
        for (std::size_t row = 0; row < c.ticks.size(); ++row) {
            list.SetTicked(row, c.ticks[row]);
        }
        list.SetCurrent(c.current);
        EXPECT_EQ(list.CanSelectAll(), c.selectAll);
        EXPECT_EQ(list.CanUnselect(), c.unselect);
        EXPECT_EQ(list.CanRemove(), c.remove);
        EXPECT_EQ(list.CanRemoveSelected(), c.removeSelected);
        EXPECT_EQ(list.CanRemoveAll(), c.removeAll);
    }
}

TEST(TargetListTest, RemovingKeepsTheFirstRow) {
    TargetList list;
    list.Add("/a");
    list.Add("/b");
    list.Add("/c");
    list.SetTicked(0, false);
    list.SetTicked(2, false);
    list.RemoveSelected();
    EXPECT_EQ(Shown(list), (std::vector<std::string>{"-All Intranet Resource", "-/b"}));

    list.SetCurrent(1);
    list.Remove();
    EXPECT_EQ(list.current(), std::nullopt);
    EXPECT_EQ(Shown(list), (std::vector<std::string>{"-All Intranet Resource"}));

    list.Add("/d");
    list.ReverseSelect();
    EXPECT_EQ(Shown(list), (std::vector<std::string>{"All Intranet Resource", "-/d"}));
    list.SetCurrent(1);
    list.RemoveAll();
    EXPECT_EQ(list.current(), std::nullopt);
    EXPECT_EQ(Shown(list), (std::vector<std::string>{"All Intranet Resource"}));
    list.SetCurrent(5);
    EXPECT_EQ(list.current(), std::nullopt);
}

TEST(TargetListTest, TheTargetTextHoldsTheTickedFoldersInListOrder) {
    TargetList list;
    EXPECT_EQ(list.TargetText(), "");
    list.Add("/a");
    list.Add("/b");
    EXPECT_EQ(list.TargetText(), "/a;/b;");
    list.SetTicked(1, false);
    EXPECT_EQ(list.TargetText(), "/b;");
    list.Unselect();
    EXPECT_EQ(list.TargetText(), std::nullopt);
}

TEST(QueryPageTest, FinishStoresTheTrimmedQueryAndAddsOnlyNewOnes) {
    core::MemoryProfile profile;
    const QueryPage internet = QueryPage::Internet();
    const QueryPage intranet = QueryPage::Intranet();
    EXPECT_EQ(internet.Finish(profile, "", {}), std::nullopt);
    EXPECT_EQ(internet.Finish(profile, " Snow Day ", {}), "Snow Day");
    EXPECT_EQ(internet.Finish(profile, "snow day", internet.History(profile)), "snow day");
    EXPECT_EQ(internet.History(profile), std::vector<std::string>{"Snow Day"});
    EXPECT_EQ(internet.LastQuery(profile), "snow day");

    EXPECT_EQ(intranet.Finish(profile, "*.txt", {}), "*.txt");
    internet.ClearHistory(profile);
    EXPECT_TRUE(internet.History(profile).empty());
    EXPECT_EQ(intranet.History(profile), std::vector<std::string>{"*.txt"});
    // The box was emptied: the same query is new again and takes number 1.
    EXPECT_EQ(internet.Finish(profile, "rain", {}), "rain");
    EXPECT_EQ(internet.History(profile), std::vector<std::string>{"rain"});

    // Blanks pass the page and are stored empty; the search refuses them later.
    EXPECT_EQ(intranet.Finish(profile, "   ", intranet.History(profile)), "");
    EXPECT_EQ(core::settings::kIntranetPatterns.Read(profile), "");
    EXPECT_EQ(intranet.History(profile), std::vector<std::string>{"*.txt"});
}

}  // namespace
}  // namespace quexa::tasks
