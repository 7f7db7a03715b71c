// The end of every task: automatic verification, hang-up and the closing note, once each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/settings_table.h"
#include "task_fixture.h"

namespace quexa::test {
namespace {

namespace settings = core::settings;
using demo::FakeEngine;

// What the window is asked to show at the end of a search, for each way the task ends.
struct EndingCase {
    std::string name;
    int autoVerify;
    bool hangUp;
    bool countdownAnswer;
    bool stop;
    std::vector<std::string> closing;  // the dialogs, in order
    bool verified;
};

class EndingTest : public ::testing::TestWithParam<EndingCase> {
  protected:
    quexa::testing::TaskFixture fixture;
};

TEST_P(EndingTest, ShowsEachClosingStepOnce) {
    const EndingCase& c = GetParam();
    fixture.UseCategory("End", {FakeEngine::Bench(60, 2, 2)});
    settings::kAutoVerify.Write(fixture.profile, c.autoVerify);
    settings::kInternetKeywords.Write(fixture.profile, "wind");
    fixture.cache.hangUpWhenFinished = c.hangUp;
    fixture.host.countdownAnswer = c.countdownAnswer;
    if (c.stop) {
        fixture.farm.SetHangEngines(true);
    }
    ASSERT_TRUE(fixture.control->RunInternetSearch());
    if (c.stop) {
        ASSERT_TRUE(fixture.RunUntil([this] { return fixture.farm.HeldRequests() >= 1; }));
        fixture.control->StopTask();
    }
    ASSERT_TRUE(fixture.RunToIdle());

    std::vector<std::string> closing;
    for (const std::string& event : fixture.host.events) {
        if (!event.starts_with("wait")) {
            closing.push_back(event);
        }
    }
    EXPECT_EQ(closing, c.closing);
    const bool verified = fixture.farm.RequestCountUnder("/loc/") > 0;
    EXPECT_EQ(verified, c.verified);
    EXPECT_FALSE(fixture.control->state().taskRunning);
    EXPECT_FALSE(fixture.control->state().verifyRunning);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, EndingTest,
    ::testing::Values(EndingCase{"plain", 0, false, true, false, {"note"}, false},
                      EndingCase{"hang_up", 0, true, true, false, {"hang up", "note"}, false},
                      EndingCase{"auto_verify_then_hang_up",
                                 1,
                                 true,
                                 true,
                                 false,
                                 {"countdown ok", "hang up", "note"},
                                 true},
                      EndingCase{"countdown_cancelled",
                                 1,
                                 true,
                                 false,
                                 false,
                                 {"countdown cancel", "hang up", "note"},
                                 false},
                      EndingCase{"stopped", 1, true, true, true, {"hang up", "note"}, false}),
    [](const ::testing::TestParamInfo<EndingCase>& info) { return info.param.name; });

TEST(TaskCommands, EnablingFollowsTheTaskState) {
    quexa::testing::TaskFixture fixture;
    EXPECT_TRUE(fixture.control->CanStartNewSearch());
    EXPECT_FALSE(fixture.control->CanVerify()) << "nothing to verify in an empty list";
    EXPECT_FALSE(fixture.control->VerifyResult());
    fixture.AddItem(fixture.farm.LocationUrl(demo::LocationKind::kNever, "x"));
    EXPECT_TRUE(fixture.control->CanVerify());
    settings::kVerifyTimeout.Write(fixture.profile, 15);
    ASSERT_TRUE(fixture.control->VerifyResult());
    EXPECT_FALSE(fixture.control->CanStartNewSearch());
    EXPECT_FALSE(fixture.control->CanVerify());
    EXPECT_FALSE(fixture.control->BeginNewSearch({}));
    fixture.control->StopTask();
    EXPECT_TRUE(fixture.control->CanStartNewSearch());
    fixture.control->StopTask();  // nothing runs: nothing happens
    EXPECT_EQ(fixture.host.Count("note"), 1);
}

TEST(TaskCommands, NewSearchOffersToSaveChanges) {
    quexa::testing::TaskFixture fixture;
    int saves = 0;
    fixture.control->state().currentFile = "old.qzr";
    EXPECT_TRUE(fixture.control->BeginNewSearch([&saves] { ++saves; }));
    EXPECT_EQ(saves, 0) << "an unmodified list is not saved";
    EXPECT_TRUE(fixture.control->state().currentFile.empty());
    fixture.AddItem("http://example.invalid/");
    class YesPrompter : public quexa::testing::NullPrompter {
        Answer Ask(Title, std::string_view text, Buttons) override {
            EXPECT_EQ(text, "Do you want save ?");
            return Answer::Yes;
        }
    } yes;
    tasks::TaskControl control(tasks::TaskEnvironment{fixture.list, fixture.profile, fixture.cache,
                                                      fixture.mainThread, fixture.host, yes});
    EXPECT_TRUE(control.BeginNewSearch([&saves] { ++saves; }));
    EXPECT_EQ(saves, 1);
}

}  // namespace
}  // namespace quexa::test
