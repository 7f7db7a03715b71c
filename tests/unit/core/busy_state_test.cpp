#include "core/busy_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quexa::core {
namespace {

TEST(BusyStateTest, EachLoopRefusesItsCommands) {
    using W = BusyWork;
    using C = Command;
    struct Case {
        Command command;
        // Refused during: Loading, Saving, IntranetSearch, StopWait, Sorting.
        bool refused[5];
    };
    const Case cases[] = {
        {C::Exit, {true, true, true, true, true}},
        {C::NewSearch, {true, true, true, true, true}},
        {C::VerifyResult, {true, true, true, true, true}},
        {C::Open, {true, true, true, true, true}},
        {C::OpenRequested, {true, true, true, true, true}},
        {C::Import, {true, true, true, true, true}},
        {C::Save, {true, true, true, true, true}},
        {C::SaveAs, {true, true, true, true, true}},
        {C::CloseCurrentFile, {true, true, true, true, true}},
        {C::Export, {true, true, true, true, true}},
        {C::Summarize, {true, true, true, true, true}},
        {C::Sort, {true, true, true, true, true}},
        {C::CopyTarget, {true, true, true, true, true}},
        {C::StopTask, {true, true, false, true, true}},
        {C::AddItem, {true, true, false, true, true}},
        {C::EditItem, {true, true, false, true, true}},
        {C::DeleteCurrent, {true, true, false, true, true}},
        {C::DeleteSelected, {true, true, false, true, true}},
        {C::DeleteAll, {true, true, false, true, true}},
        {C::Select, {true, true, false, true, true}},
        {C::BrowseTarget, {true, true, false, true, true}},
        {C::DeleteTarget, {true, true, false, true, true}},
        {C::CopyItem, {false, false, false, false, false}},
        {C::Options, {false, false, false, false, false}},
    };
    const BusyWork works[] = {W::Loading, W::Saving, W::IntranetSearch, W::StopWait, W::Sorting};
    for (const Case& c : cases) {
        EXPECT_FALSE(Refuses(W::None, c.command)) << static_cast<int>(c.command);
        for (std::size_t i = 0; i < std::size(works); ++i) {
            EXPECT_EQ(Refuses(works[i], c.command), c.refused[i])
                << "command " << static_cast<int>(c.command) << " during work " << i;
        }
    }
}

TEST(BusyStateTest, ScopesNestAndRestoreTheOuterWork) {
    BusyState busy;
    EXPECT_FALSE(busy.IsBusy());
    {
        const BusyState::Scope search(busy, BusyWork::IntranetSearch);
        EXPECT_FALSE(busy.Refuses(Command::StopTask));
        {
            const BusyState::Scope save(busy, BusyWork::Saving);
            EXPECT_EQ(busy.Current(), BusyWork::Saving);
            EXPECT_TRUE(busy.Refuses(Command::StopTask));
        }
        EXPECT_EQ(busy.Current(), BusyWork::IntranetSearch);
    }
    EXPECT_EQ(busy.Current(), BusyWork::None);
}

TEST(BusyStateTest, WorkArrivingDuringASortRunsOnceItEnds) {
    BusyState busy;
    std::vector<std::string> ran;
    EXPECT_FALSE(busy.DeferWhileSorting([&ran] { ran.push_back("not sorting"); }));
    EXPECT_TRUE(ran.empty()) << "the caller runs it itself";
    {
        const BusyState::Scope save(busy, BusyWork::Saving);
        EXPECT_FALSE(busy.DeferWhileSorting([] {}));
    }
    {
        const BusyState::Scope sort(busy, BusyWork::Sorting);
        EXPECT_TRUE(busy.DeferWhileSorting([&] {
            ran.push_back("drain");
            EXPECT_FALSE(busy.IsBusy()) << "the sort is over when it runs";
        }));
        EXPECT_TRUE(busy.DeferWhileSorting([&ran] { ran.push_back("stop"); }));
        EXPECT_TRUE(ran.empty());
    }
    EXPECT_EQ(ran, (std::vector<std::string>{"drain", "stop"}));
}

}  // namespace
}  // namespace quexa::core
