#include "core/memory_profile.h"

#include <gtest/gtest.h>

#include <limits>

namespace quexa::core {
namespace {

TEST(ProfileTest, OnlyWholeDecimalNumbersAreIntegers) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {"45", 45},
        {" 45\t", 45},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"2147483647", std::numeric_limits<std::int32_t>::max()},
        {"2147483648", std::nullopt},
        {"4294967295", std::nullopt},
        {"+5", std::nullopt},
        {"12x", std::nullopt},
        {"0x10", std::nullopt},
        {"1 2", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Profile::ParseInt(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ProfileTest, SectionsNormalise) {
    EXPECT_EQ(Profile::NormaliseSection("System\\Setting"), "System\\Setting");
    EXPECT_EQ(Profile::NormaliseSection("/System//Setting\\"), "System\\Setting");
    EXPECT_EQ(Profile::NormaliseSection("\\\\"), "");
    EXPECT_TRUE(Profile::IsValidKey("Global.LastScheme"));
    EXPECT_FALSE(Profile::IsValidKey("a\\b"));
    EXPECT_FALSE(Profile::IsValidKey(""));
}

TEST(MemoryProfileTest, ReadsFollowTheStoreRules) {
    MemoryProfile profile;
    EXPECT_EQ(profile.GetInt("UserData", "STimeout", 45), 45);
    EXPECT_EQ(profile.GetString("UserData", "Key.Internet", "none"), "none");

    profile.WriteString("UserData", "STimeout", "soon");
    EXPECT_EQ(profile.GetInt("UserData", "STimeout", 45), 45) << "wrong type reads as missing";
    profile.WriteInt("System\\Setting", "Hangup", 1);
    EXPECT_EQ(profile.GetInt("system/SETTING", "hangup", 0), 1);
    EXPECT_EQ(profile.GetString("System\\Setting", "Hangup"), "1");
    EXPECT_FALSE(profile.WriteInt("", "Hangup", 1));
    EXPECT_FALSE(profile.WriteInt("System", "a/b", 1));
}

TEST(MemoryProfileTest, RemovingValuesAndSections) {
    MemoryProfile profile;
    profile.WriteInt("System", "Setting", 1);
    profile.WriteInt("System\\Setting", "Hangup", 1);
    profile.WriteInt("System\\Setting\\Deep", "X", 1);
    profile.WriteInt("System\\Settings", "Other", 1);

    EXPECT_TRUE(profile.RemoveSection("SYSTEM\\setting"));
    EXPECT_EQ(profile.GetInt("System\\Setting", "Hangup", 0), 0);
    EXPECT_EQ(profile.GetInt("System\\Setting\\Deep", "X", 0), 0);
    EXPECT_EQ(profile.GetInt("System", "Setting", 0), 1) << "a value is not the section";
    EXPECT_EQ(profile.GetInt("System\\Settings", "Other", 0), 1) << "a longer name is another";
    EXPECT_TRUE(profile.RemoveValue("System", "setting"));
    EXPECT_EQ(profile.size(), 1u);
    EXPECT_FALSE(profile.RemoveSection(""));
}

TEST(MemoryProfileTest, FailedWritesAreLost) {
    MemoryProfile profile;
    profile.WriteInt("UserData", "STimeout", 60);
    profile.SetWritable(false);
    EXPECT_FALSE(profile.WriteInt("UserData", "STimeout", 90));
    EXPECT_FALSE(profile.WriteInt("UserData", "CTimeout", 90));
    EXPECT_EQ(profile.GetInt("UserData", "STimeout", 45), 60);
    EXPECT_EQ(profile.GetInt("UserData", "CTimeout", 45), 45);
}

}  // namespace
}  // namespace quexa::core
