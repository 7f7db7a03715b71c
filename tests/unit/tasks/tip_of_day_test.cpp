#include "tasks/tip_of_day.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/memory_profile.h"
#include "core/settings_table.h"
#include "temp_folder.h"

namespace quexa::tasks {
namespace {

namespace fs = std::filesystem;
using core::settings::kTipFilePos;
using core::settings::kTipTimeStamp;
using quexa::testing::TempFolder;
using quexa::testing::WriteAll;

class TipOfDayTest : public ::testing::Test {
  protected:
    TipOfDayTest() { WriteAll(file_, "; ours\nFirst tip.\n\n  ; not a tip\nSecond tip.\r\nThird"); }

    std::vector<std::string> Next(int count) {
        std::vector<std::string> tips;
        for (int i = 0; i < count; ++i) {
            TipOfDay tips_(profile_, file_);
            tips.push_back(tips_.NextTip().value_or("<none>"));
        }
        return tips;
    }

    TempFolder temp_;
    fs::path file_ = temp_.File("tips.txt");
    core::MemoryProfile profile_;
};

TEST_F(TipOfDayTest, TipsFollowEachOtherAndWrapAround) {
    EXPECT_EQ(Next(5), (std::vector<std::string>{"First tip.", "Second tip.", "Third", "First tip.",
                                                 "Second tip."}));
    EXPECT_EQ(kTipTimeStamp.Read(profile_), TipOfDay::TimeStampOf(file_));
    EXPECT_FALSE(kTipTimeStamp.Read(profile_).empty());
}

TEST_F(TipOfDayTest, AStoredPositionIsKeptOnlyWhenItFitsTheSameFile) {
    const std::string text = "A.\nBravo.\nC.\n";
    const struct {
        const char* name;
        std::int32_t position;
        bool sameStamp;
        const char* tip;
    } cases[] = {
        {"start of a line", 3, true, "Bravo."},
        {"inside a line", 5, true, "C."},
        {"at the end", static_cast<std::int32_t>(text.size()), true, "A."},
        {"beyond the end", 500, true, "A."},
        {"negative", -7, true, "A."},
        {"another file's stamp", 3, false, "A."},
    };
    WriteAll(file_, text);
    for (const auto& c : cases) {
        kTipFilePos.Write(profile_, c.position);
        kTipTimeStamp.Write(profile_, c.sameStamp ? TipOfDay::TimeStampOf(file_) : "1.000000001");
        EXPECT_EQ(Next(1).front(), c.tip) << c.name;
    }
}

TEST_F(TipOfDayTest, NoTipWithoutAReadableFileOfTips) {
    WriteAll(file_, "; only comments\n\n   \n");
    EXPECT_EQ(Next(1).front(), "<none>");
    WriteAll(file_, "");
    EXPECT_EQ(Next(1).front(), "<none>");
    fs::remove(file_);
    EXPECT_EQ(Next(1).front(), "<none>");
    WriteAll(file_, std::string(TipOfDay::kLargestFile + 1, 'x'));
    EXPECT_EQ(Next(1).front(), "<none>");
}

TEST_F(TipOfDayTest, StartUpZeroShowsTheDialog) {
    TipOfDay tips(profile_, file_);
    EXPECT_TRUE(tips.ShowsAtStartUp());
    tips.SetShowsAtStartUp(false);
    EXPECT_EQ(core::settings::kTipStartUp.Read(profile_), 1);
    EXPECT_FALSE(tips.ShowsAtStartUp());
    tips.SetShowsAtStartUp(true);
    EXPECT_TRUE(tips.ShowsAtStartUp());
}

TEST(ShippedTipsTest, EveryLineIsATipOrAComment) {
    core::MemoryProfile profile;
    const fs::path shipped =
        fs::path(QUEXA_TEST_DATA) / ".." / ".." / "data" / std::string(TipOfDay::kFileName);
    TipOfDay tips(profile, shipped);
    std::vector<std::string> seen;
    for (int i = 0; i < 40; ++i) {
        const std::optional<std::string> tip = tips.NextTip();
        ASSERT_TRUE(tip.has_value());
        EXPECT_LE(tip->size(), 200U) << *tip;
        if (!seen.empty() && *tip == seen.front()) {
            break;
        }
        seen.push_back(*tip);
    }
    EXPECT_GE(seen.size(), 15U);
}

}  // namespace
}  // namespace quexa::tasks
