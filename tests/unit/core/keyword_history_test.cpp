#include "core/keyword_history.h"

#include <gtest/gtest.h>

#include "core/memory_profile.h"
#include "core/settings_table.h"

namespace quexa::core {
namespace {

using Entries = std::vector<std::string>;

TEST(KeywordHistoryTest, AddsOnlyNewQueriesLetterCaseIgnored) {
    MemoryProfile profile;
    const KeywordHistory history = KeywordHistory::Internet();
    struct Step {
        const char* query;
        bool added;
    };
    const Step steps[] = {
        {"news game", true}, {"NEWS Game", false}, {"stock", true},
        {"", false},         {"Stock", false},     {"news  game", true},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(history.Add(profile, step.query, history.Load(profile)), step.added)
            << step.query;
    }
    EXPECT_EQ(history.Load(profile), (Entries{"news game", "stock", "news  game"}));
    EXPECT_EQ(settings::kInternetHistoryCount.Read(profile), 3);
    EXPECT_EQ(profile.GetString("Key.History.Internet", "Key3"), "news  game");
    EXPECT_TRUE(KeywordHistory::Intranet().Load(profile).empty()) << "histories are separate";
}

TEST(KeywordHistoryTest, ClearingKeepsTheTextsUntilOverwritten) {
    MemoryProfile profile;
    const KeywordHistory history = KeywordHistory::Intranet();
    history.Add(profile, "*.txt", {});
    history.Add(profile, "*.doc", {"*.txt"});
    history.Clear(profile);
    EXPECT_EQ(settings::kIntranetHistoryCount.Read(profile), 0);
    EXPECT_TRUE(history.Load(profile).empty());
    EXPECT_EQ(profile.GetString("Key.History.Intranet", "Key2"), "*.doc");

    // The comparison is with the entries the wizard shows, so a cleared text comes back.
    EXPECT_TRUE(history.Add(profile, "*.TXT", history.Load(profile)));
    EXPECT_EQ(history.Load(profile), (Entries{"*.TXT"}));
}

TEST(KeywordHistoryTest, ReadingSkipsGapsAndSurvivesDamagedCounts) {
    struct Case {
        const char* num;
        Entries expected;
    };
    const Case cases[] = {
        {"4", {"zero", "one", "three"}},  // entry 0 is read though never written; 2, 4 empty
        {"-3", {"zero"}},
        {"2147483647", {"zero", "one", "three"}},  // stops at the limit instead of stalling
        {"lots", {"zero"}},
    };
    for (const auto& c : cases) {
        MemoryProfile profile;
        profile.WriteString("Key.History.Internet", "Num", c.num);
        profile.WriteString("Key.History.Internet", "Key0", "zero");
        profile.WriteString("Key.History.Internet", "Key1", "one");
        profile.WriteString("Key.History.Internet", "Key3", "three");
        EXPECT_EQ(KeywordHistory::Internet().Load(profile), c.expected) << c.num;
    }
    MemoryProfile full;
    settings::kInternetHistoryCount.Write(full, KeywordHistory::kMaxEntries);
    EXPECT_FALSE(KeywordHistory::Internet().Add(full, "more", {}));
    EXPECT_EQ(settings::kInternetHistoryCount.Read(full), KeywordHistory::kMaxEntries);
}

}  // namespace
}  // namespace quexa::core
