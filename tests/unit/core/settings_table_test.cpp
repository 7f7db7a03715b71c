#include "core/settings_table.h"

#include <gtest/gtest.h>

#include <set>

#include "core/memory_profile.h"
#include "core/text.h"

namespace quexa::core {
namespace {

using namespace settings;

TEST(SettingsTableTest, AnEmptyProfileRunsOnDefaults) {
    const MemoryProfile empty;
    struct Case {
        const IntSetting& setting;
        std::int32_t expected;
    };
    // Window at (0,0)-(640,480) not maximised, bars shown, preview on, 45-second time-outs,
    // the smallest line type (two workers), no proxy.
    const Case cases[] = {
        {kWindowTop, 0},         {kWindowLeft, 0},      {kWindowRight, 640},
        {kWindowBottom, 480},    {kWindowZoomed, 0},    {kShowLeft, 1},
        {kShowFastInfo, 1},      {kPreview, 1},         {kSearchTimeout, 45},
        {kVerifyTimeout, 45},    {kLineType, 0},        {kProxyUse, 0},
        {kEngineBarHeight, 105}, {kLeftBarWidth, 200},  {kAutoScrollCount, 5},
        {kBackgroundImage, 6},   {kAutoSaveCount, 10},  {kDeleteUnreachable, 1},
        {kExportReachable, 1},   {kExportUnvisited, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.setting.Read(empty), c.expected) << c.setting.section << " " << c.setting.key;
    }
    EXPECT_EQ(kExportTargetPrefix.Read(empty), "Search Target: ");
    EXPECT_EQ(kExportLocationPrefix.Read(empty), "Location: ");
    EXPECT_EQ(kWebBrowser.Read(empty), "");
    EXPECT_TRUE(ShowsWelcomeImage(empty));
}

TEST(SettingsTableTest, EveryKeyIsListedOnce) {
    std::set<std::string> seen;
    for (const SettingEntry& entry : SettingsTable::All()) {
        const std::string key =
            std::visit([](const auto* s) { return std::string(s->key); }, entry);
        const std::string name = AsciiLower(SectionOf(entry)) + "/" + AsciiLower(key);
        EXPECT_TRUE(seen.insert(name).second) << name;
        const auto found = SettingsTable::Find(SectionOf(entry), key);
        if (std::holds_alternative<const IntSetting*>(entry) ||
            std::get<const TextSetting*>(entry)->form == KeyForm::Fixed) {
            ASSERT_TRUE(found) << name;
            EXPECT_EQ(found->entry, entry) << name;
        }
    }
    EXPECT_EQ(seen.size(), SettingsTable::All().size());
}

TEST(SettingsTableTest, FindIgnoresCaseAndKnowsTheFamilies) {
    struct Case {
        const char* section;
        const char* key;
        SettingEntry expected;  // a null pointer: not found
        const char* fullKey;
    };
    const Case cases[] = {
        {"system/proxy", "server", &kProxyServer, "Server"},
        {"SYSTEM\\\\PROXY\\", "Port", &kProxyPort, "Port"},
        {"System\\Export", "Preview", &kExportPreview, "Preview"},
        {"System", "Preview", &kPreview, "Preview"},
        {"key.history.internet", "KEY12", &kInternetHistoryEntry, "Key12"},
        {"Key.History.Intranet", "Key0", &kIntranetHistoryEntry, "Key0"},
        {"Key.History.Intranet", "num", &kIntranetHistoryCount, "Num"},
        {"UserData\\Scheme", "Global.lastscheme", &kLastScheme, "Global.LastScheme"},
        {"Key.History.Internet", "Key012", static_cast<const TextSetting*>(nullptr), ""},
        {"Key.History.Internet", "Key", static_cast<const TextSetting*>(nullptr), ""},
        {"Key.History.Internet", "Key-1", static_cast<const TextSetting*>(nullptr), ""},
        {"Key.History.Internet", "Key99999999999", static_cast<const TextSetting*>(nullptr), ""},
        {"UserData\\Scheme", ".LastScheme", static_cast<const TextSetting*>(nullptr), ""},
        {"UserData", "Global.LastScheme", static_cast<const TextSetting*>(nullptr), ""},
        {"System\\Setting", "Nothing", static_cast<const TextSetting*>(nullptr), ""},
        {"Nowhere", "Hangup", static_cast<const TextSetting*>(nullptr), ""},
    };
    for (const auto& c : cases) {
        const auto found = SettingsTable::Find(c.section, c.key);
        const bool expectFound = std::visit([](const auto* s) { return s != nullptr; }, c.expected);
        ASSERT_EQ(found.has_value(), expectFound) << c.section << " / " << c.key;
        if (found) {
            EXPECT_EQ(found->entry, c.expected) << c.section << " / " << c.key;
            EXPECT_EQ(found->key, c.fullKey);
        }
    }
}

TEST(SettingsTableTest, WelcomeImageOnlyForOne) {
    MemoryProfile profile;
    for (const auto& [value, shown] : {std::pair{1, true}, {0, false}, {2, false}, {-1, false}}) {
        kShowWelcome.Write(profile, value);
        EXPECT_EQ(ShowsWelcomeImage(profile), shown) << value;
    }
}

TEST(SettingsTableTest, EditorLimits) {
    EXPECT_TRUE(kSearchTimeout.InRange(15));
    EXPECT_TRUE(kSearchTimeout.InRange(300));
    EXPECT_FALSE(kSearchTimeout.InRange(14));
    EXPECT_FALSE(kLineType.InRange(6));
    EXPECT_TRUE(kHangUp.InRange(-5)) << "no range: everything goes";
    EXPECT_TRUE(
        kAuthorInfo.Accepts("\xC3\xA9"
                            "abcdefghijklmnopqrs"));  // 20 characters
    EXPECT_FALSE(kAuthorInfo.Accepts("abcdefghijklmnopqrstu"));
    EXPECT_TRUE(kProxyPort.Accepts("8080"));
    EXPECT_TRUE(kProxyPort.Accepts(""));
    EXPECT_FALSE(kProxyPort.Accepts("80a"));
    EXPECT_FALSE(kProxyPort.Accepts("123456"));
    EXPECT_EQ(kInternetHistoryEntry.DisplayKey(), "Key%d");
    EXPECT_EQ(kLastScheme.KeyFor("Global"), "Global.LastScheme");
}

}  // namespace
}  // namespace quexa::core
