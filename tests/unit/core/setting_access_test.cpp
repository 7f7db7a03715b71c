#include "core/setting_access.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/memory_profile.h"

namespace quexa::core {
namespace {

SettingMatch Match(const char* section, const char* key) {
    auto match = SettingsTable::Find(section, key);
    EXPECT_TRUE(match) << section << " / " << key;
    return *match;
}

TEST(SettingAccessTest, WritesCheckTypeAndLimits) {
    MemoryProfile profile;
    struct Case {
        const char* section;
        const char* key;
        const char* text;
        bool stored;
    };
    const Case cases[] = {
        {"UserData", "STimeout", "300", true},
        {"UserData", "STimeout", " 15 ", true},
        {"UserData", "STimeout", "14", false},
        {"UserData", "CTimeout", "4.5", false},
        {"System\\Setting", "Hangup", "-3", true},  // stored as typed, like the registry
        {"System\\Setting", "ASNum", "0", false},
        {"System\\ResultList", "BkImg", "10", false},
        {"System\\Proxy", "Port", "", true},
        {"System\\Proxy", "Port", "65535", true},
        {"System\\Proxy", "Port", " 80", false},
        {"System\\Setting", "WebBrowser", "", true},
        {"System\\Setting", "WebBrowser", "/no/such/browser", false},
        {"Key.History.Internet", "Key4", "anything at all", true},
    };
    for (const auto& c : cases) {
        const std::string problem = SettingAccess::Write(profile, Match(c.section, c.key), c.text);
        EXPECT_EQ(problem.empty(), c.stored) << c.key << " = " << c.text << ": " << problem;
    }
    EXPECT_EQ(profile.GetInt("UserData", "STimeout", 0), 15);

    const auto program = std::filesystem::read_symlink("/proc/self/exe").string();
    EXPECT_EQ(SettingAccess::Write(profile, Match("System\\Setting", "WebBrowser"), program), "");
    profile.SetWritable(false);
    EXPECT_NE(SettingAccess::Write(profile, Match("UserData", "LineType"), "1"), "");
}

TEST(SettingAccessTest, ReadShowsTheDefaultForWrongTypes) {
    MemoryProfile profile;
    profile.WriteString("UserData", "LineType", "fast");
    const SettingRow row = SettingAccess::Read(profile, Match("userdata", "linetype"));
    EXPECT_EQ(row.section, "UserData");
    EXPECT_EQ(row.key, "LineType");
    EXPECT_TRUE(row.integer);
    EXPECT_EQ(row.value, "0");
}

TEST(SettingAccessTest, ListNamesFamilyMembersInNumberOrder) {
    MemoryProfile profile;
    const auto keysOf = [](std::string_view section) -> std::vector<std::string> {
        if (section == "Key.History.Internet") {
            return {"Key10", "key2", "Num", "Key02", "Key1"};
        }
        return {};
    };
    const auto rows = SettingAccess::List(profile, keysOf);
    std::vector<std::string> internet;
    std::vector<std::string> intranet;
    for (const auto& row : rows) {
        if (row.section == "Key.History.Internet") {
            internet.push_back(row.key);
        } else if (row.section == "Key.History.Intranet") {
            intranet.push_back(row.key + (row.stored ? "" : " (none)"));
        }
    }
    EXPECT_EQ(internet, (std::vector<std::string>{"Num", "Key1", "Key2", "Key10"}));
    EXPECT_EQ(intranet, (std::vector<std::string>{"Num", "Key%d (none)"}));
    EXPECT_EQ(rows.size(), SettingsTable::All().size() + 2);
}

}  // namespace
}  // namespace quexa::core
