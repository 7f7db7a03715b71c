#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/memory_profile.h"
#include "core/settings_table.h"
#include "tasks/network_options.h"
#include "tasks/other_options.h"
#include "tasks/verify_options.h"

namespace quexa::tasks {
namespace {

namespace settings = core::settings;

TEST(NetworkOptionsTest, TimeoutTextHasMinutesAndSecondsWhenNotZero) {
    const struct {
        int seconds;
        const char* text;
    } cases[] = {{15, "15 Sec"},       {45, "45 Sec"},        {60, "1 Min "}, {75, "1 Min 15 Sec"},
                 {90, "1 Min 30 Sec"}, {299, "4 Min 59 Sec"}, {300, "5 Min "}};
    for (const auto& c : cases) {
        EXPECT_EQ(NetworkOptions::TimeoutText(c.seconds), c.text) << c.seconds;
    }
}

TEST(NetworkOptionsTest, ApplyTrimsTheProxyAndUpdatesTheCache) {
    core::MemoryProfile profile;
    core::SettingsCache cache;
    NetworkOptions page;
    page.Load(profile);
    page.values().SetInt(settings::kProxyUse, 1);
    page.values().SetText(settings::kProxyServer, " \tproxy.example ");
    page.values().SetText(settings::kProxyPort, " 8080 ");
    page.Apply(profile, cache);
    EXPECT_EQ(settings::kProxyServer.Read(profile), "proxy.example");
    EXPECT_EQ(settings::kProxyPort.Read(profile), "8080");
    EXPECT_TRUE(cache.proxyEnabled);
    EXPECT_EQ(cache.proxyAddress, "proxy.example:8080");
}

TEST(VerifyOptionsTest, ARuleThatVerifiesNothingIsStoredThenShownAsDefaults) {
    const core::IntSetting* following[] = {&settings::kVerifyNormal, &settings::kVerifyReachable,
                                           &settings::kVerifyUnreachable, &settings::kVerifyUnknown,
                                           &settings::kVerifySelected};
    for (const core::IntSetting* kept : following) {
        core::MemoryProfile profile;
        VerifyOptions page;
        page.Load(profile);
        for (const core::IntSetting* setting : following) {
            page.values().SetInt(*setting, setting == kept ? 1 : 0);
        }
        EXPECT_TRUE(page.Apply(profile)) << kept->key;
        EXPECT_EQ(kept->Read(profile), 1);
    }
    core::MemoryProfile profile;
    VerifyOptions page;
    for (const core::IntSetting* setting : following) {
        page.values().SetInt(*setting, 0);
    }
    page.values().SetInt(settings::kDeleteUnknown, 1);
    EXPECT_FALSE(page.Apply(profile));
    EXPECT_EQ(settings::kVerifyNormal.Read(profile), 0);
    EXPECT_EQ(settings::kDeleteUnknown.Read(profile), 1);
    EXPECT_TRUE(page.values().Flag(settings::kVerifyNormal));
    EXPECT_FALSE(page.values().Flag(settings::kDeleteUnknown));
}

TEST(OtherOptionsTest, DefaultsTurnAlternateColourOnAndKeepAuthorAndBrowser) {
    core::MemoryProfile profile;
    core::SettingsCache cache;
    cache.operateFileTargets = false;
    OtherOptions page;
    page.Load(profile, "/usr/bin/browser");
    EXPECT_EQ(page.values().Text(settings::kWebBrowser), "/usr/bin/browser");
    page.values().SetText(settings::kAuthorInfo, "Ann");
    page.values().SetInt(settings::kAutoSaveCount, 99);
    page.SetDefaults(cache);
    EXPECT_EQ(page.values().Int(settings::kAlternateColor), 1);
    EXPECT_EQ(page.values().Int(settings::kAutoSaveCount), 10);
    EXPECT_EQ(page.values().Text(settings::kAuthorInfo), "Ann");
    EXPECT_EQ(page.values().Text(settings::kWebBrowser), "/usr/bin/browser");
    EXPECT_TRUE(cache.operateFileTargets);
    EXPECT_EQ(cache.authorName, "Ann");
    EXPECT_EQ(profile.size(), 0U);
}

TEST(OtherOptionsTest, AMissingBrowserIsRefusedAndTheRestStored) {
    core::MemoryProfile profile;
    core::SettingsCache cache;
    OtherOptions page;
    page.Load(profile, "");
    page.values().SetInt(settings::kVerticalGrid, 1);
    page.values().SetText(settings::kWebBrowser, "/nonexistent/browser");
    EXPECT_FALSE(page.Apply(profile, cache));
    EXPECT_EQ(settings::kVerticalGrid.Read(profile), 1);
    EXPECT_EQ(profile.GetString(settings::kWebBrowser.section, settings::kWebBrowser.key, "none"),
              "none");
    page.values().SetText(settings::kWebBrowser, "");
    EXPECT_TRUE(page.Apply(profile, cache));
}

TEST(OptionValuesTest, ASettingNotOnThePageIsAProgrammingError) {
    OtherOptions page;
    EXPECT_THROW(page.values().Int(settings::kLineType), std::logic_error);
}

}  // namespace
}  // namespace quexa::tasks
