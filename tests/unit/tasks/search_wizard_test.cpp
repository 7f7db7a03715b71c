#include "tasks/search_wizard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "category_home.h"
#include "core/keyword_history.h"
#include "core/memory_profile.h"
#include "core/settings_table.h"
#include "engines/scheme_list.h"
#include "tasks/intranet_wizard.h"

namespace quexa::tasks {
namespace {

using engines::testing::CategoryHome;
using engines::testing::SchemeBytes;
namespace settings = core::settings;

engines::CategoryRecord Record(std::string name, std::string directory) {
    engines::CategoryRecord record;
    record.name = std::move(name);
    record.directory = std::move(directory);
    return record;
}

TEST(SearchWizardTest, WhatASearchRemembersIsSelectedTheNextTime) {
    CategoryHome home;
    home.WriteCategories({Record("News", "NewsDir"), Record("Books", "BooksDir")});
    home.WriteScheme("NewsDir", "fast", SchemeBytes("", {}));
    home.WriteScheme("NewsDir", "slow", SchemeBytes("", {}));
    core::MemoryProfile profile;

    SearchWizard first(profile, home.folders());
    EXPECT_EQ(first.RememberedCategory(), 0U);
    ASSERT_TRUE(first.ChooseCategory(1));
    EXPECT_EQ(first.schemes(),
              (std::vector<std::string>{std::string(engines::kSystemSchemeName), "fast", "slow"}));
    EXPECT_EQ(first.RememberedScheme(), 0U);
    const WizardChoices choices = first.Finish(2, "rain");
    EXPECT_EQ(choices.category, "News");
    EXPECT_EQ(std::filesystem::path(choices.schemePath).filename(), "slow.scm");
    SearchWizard::Remember(profile, choices, true);

    SearchWizard second(profile, home.folders());
    EXPECT_EQ(second.RememberedCategory(), 1U);
    ASSERT_TRUE(second.ChooseCategory(1));
    EXPECT_EQ(second.RememberedScheme(), 2U);
    // Another category keeps its own scheme.
    ASSERT_TRUE(second.ChooseCategory(2));
    EXPECT_EQ(second.RememberedScheme(), 0U);
    EXPECT_EQ(settings::kAutoVerify.Read(profile), 1);
    EXPECT_EQ(settings::kInternetKeywords.Read(profile), "rain");
    EXPECT_EQ(core::KeywordHistory::Internet().Load(profile).front(), "rain");

    // The system scheme is remembered as nothing.
    SearchWizard::Remember(profile, second.Finish(0, "snow"), false);
    SearchWizard third(profile, home.folders());
    ASSERT_TRUE(third.ChooseCategory(third.RememberedCategory()));
    EXPECT_EQ(third.RememberedScheme(), 0U);
    EXPECT_EQ(settings::kAutoVerify.Read(profile), 0);
}

TEST(SearchWizardTest, EachPageStoresItsOwnChoice) {
    CategoryHome home;
    home.WriteCategories({Record("News", "NewsDir")});
    home.WriteScheme("NewsDir", "fast", SchemeBytes("quick ones", {}));
    core::MemoryProfile profile;
    core::SettingsCache cache;

    SearchWizard wizard(profile, home.folders());
    wizard.StoreCategory(profile, 0);
    EXPECT_EQ(settings::kLastCategory.Read(profile), "Global");
    wizard.StoreCategory(profile, 1);
    EXPECT_EQ(settings::kLastCategory.Read(profile), "News");
    ASSERT_TRUE(wizard.ChooseCategory(1));
    EXPECT_EQ(wizard.SchemeDirectory(), "NewsDir");
    wizard.StoreScheme(profile, 1);
    EXPECT_EQ(std::filesystem::path(engines::GetLastScheme(profile, "NewsDir")).filename(),
              "fast.scm");
    EXPECT_EQ(wizard.SchemeNote(0), "    " + std::string(engines::kSystemSchemeNote));
    EXPECT_EQ(wizard.SchemeNote(1), "    quick ones");
    // A file that is not a scheme (a folder by that name, for a test run as root too).
    std::filesystem::remove(engines::SchemePath(wizard.folder(), "fast"));
    std::filesystem::create_directory(engines::SchemePath(wizard.folder(), "fast"));
    EXPECT_EQ(wizard.SchemeNote(1), "    ");
    wizard.StoreScheme(profile, 0);
    EXPECT_EQ(engines::GetLastScheme(profile, "NewsDir"), "");

    ASSERT_TRUE(wizard.ChooseCategory(0));
    EXPECT_EQ(wizard.SchemeDirectory(), "Global");
    std::filesystem::remove(home.Path() / "Categories" / "config.qcf");
    ASSERT_FALSE(wizard.ChooseCategory(1));
    EXPECT_EQ(wizard.SchemeDirectory(), std::nullopt);

    SearchWizard::StoreFinishingOptions(profile, cache, true, true);
    EXPECT_EQ(settings::kAutoVerify.Read(profile), 1);
    EXPECT_EQ(settings::kHangUp.Read(profile), 1);
    EXPECT_TRUE(cache.hangUpWhenFinished);
}

TEST(SearchWizardTest, AQueryOfBlanksIsRefused) {
    EXPECT_EQ(SearchWizard::CheckQuery("  \t "), std::nullopt);
    EXPECT_EQ(SearchWizard::CheckQuery(""), std::nullopt);
    EXPECT_EQ(SearchWizard::CheckQuery("  c# tutorial "), "c# tutorial");
}

TEST(IntranetWizardTest, TargetsAndPatternsAreStoredAsThePagesStoreThem) {
    const std::string folder = std::filesystem::absolute("docs").string();
    EXPECT_EQ(IntranetWizard::TargetText({"docs", "//server/share", "\\\\host\\share", "nfs:/x"}),
              folder + ";//server/share;\\\\host\\share;nfs:/x;");
    EXPECT_EQ(IntranetWizard::TargetText({"//Server/Share", "//server/SHARE"}), "//Server/Share;");
    EXPECT_EQ(IntranetWizard::TargetText({}), "");
    EXPECT_EQ(IntranetWizard::JoinPatterns({"*.txt", "a?.doc"}), "*.txt;a?.doc");
    core::MemoryProfile profile;
    IntranetWizard::Remember(profile, "*.txt", folder + ";");
    EXPECT_EQ(settings::kIntranetPatterns.Read(profile), "*.txt");
    EXPECT_EQ(settings::kLastSearchTarget.Read(profile), folder + ";");
    EXPECT_EQ(core::KeywordHistory::Intranet().Load(profile).front(), "*.txt");
}

}  // namespace
}  // namespace quexa::tasks
