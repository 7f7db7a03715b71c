#include "core/settings_cache.h"

#include <gtest/gtest.h>

#include "core/memory_profile.h"
#include "core/settings_table.h"

namespace quexa::core {
namespace {

using namespace settings;

TEST(SettingsCacheTest, BrowserFromOpenCommand) {
    struct Case {
        const char* command;
        const char* expected;
    };
    const Case cases[] = {
        {"\"C:\\PROGRAM FILES\\WEB BROWSER\\BROWSER.EXE\" -nohome \"%1\"",
         "c:\\program files\\web browser\\browser.exe"},
        {"  C:\\Apps\\View.Exe %1  ", "c:\\apps\\view.exe"},
        {"\"\"c:\\b.exe\"\"", "c:\\b.exe"},
        {"c:\\first.exe\\second.exe", "c:\\first.exe"},
        {"\"c:\\dir.executables\\b.exe\"", "c:\\dir.exe"},
        {"/usr/bin/firefox %u", ""},
        {"browser.ex", ""},
        {"", ""},
        {"\".exe\"", ".exe"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SettingsCache::BrowserFromOpenCommand(c.command), c.expected) << c.command;
    }
}

TEST(SettingsCacheTest, ProxyAddress) {
    struct Case {
        const char* server;
        const char* port;
        const char* expected;
    };
    const Case cases[] = {
        {"proxy.example", "8080", "proxy.example:8080"},
        {"proxy.example", "", "proxy.example:80"},
        {"  proxy.example\t", " 3128 ", "proxy.example:3128"},
        {"proxy.example", "   ", "proxy.example:80"},
        {"", "", ":80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SettingsCache::ProxyAddress(c.server, c.port), c.expected) << c.server;
    }
}

TEST(SettingsCacheTest, ProxyLoad) {
    struct Case {
        const char* use;
        const char* server;
        const char* port;
        bool enabled;
        const char* address;
    };
    const Case cases[] = {
        {"1", " proxy.example ", "", true, "proxy.example:80"},
        {"1", "proxy.example", "3128", true, "proxy.example:3128"},
        {"0", "proxy.example", "3128", false, "proxy.example:3128"},
        {"1", "  ", "3128", false, ":3128"},  // nothing to connect through: go direct
        {"yes", "proxy.example", "", false, "proxy.example:80"},
    };
    for (const auto& c : cases) {
        MemoryProfile profile;
        profile.WriteString(kSystemProxy, "USE", c.use);
        profile.WriteString(kSystemProxy, "Server", c.server);
        profile.WriteString(kSystemProxy, "Port", c.port);
        SettingsCache cache;
        cache.LoadProxy(profile);
        EXPECT_EQ(cache.proxyEnabled, c.enabled) << c.use << " " << c.server;
        EXPECT_EQ(cache.proxyAddress, c.address);
    }
}

TEST(SettingsCacheTest, FrameSettingsFromAnEmptyProfile) {
    MemoryProfile profile;
    SettingsCache cache;
    cache.LoadFrameSettings(profile, {"/opt/quexa", "/home/u/.local/share/Morvane/Quexa"},
                            std::nullopt);
    EXPECT_FALSE(cache.hangUpWhenFinished);
    EXPECT_EQ(cache.browserPath, "") << "the desktop's default browser";
    EXPECT_EQ(cache.appDirectory, "/opt/quexa");
    EXPECT_EQ(cache.dataDirectory, "/home/u/.local/share/Morvane/Quexa");
    EXPECT_EQ(kAppPath.Read(profile), "/opt/quexa") << "written at every start";
    EXPECT_FALSE(cache.proxyEnabled);
    EXPECT_TRUE(cache.previewVisible);
    EXPECT_EQ(cache.previewHeight, 50);
}

TEST(SettingsCacheTest, BrowserChoice) {
    const char* command = "\"C:\\B\\B.EXE\" %1";
    struct Case {
        const char* stored;
        std::optional<std::string_view> system;
        const char* expected;
    };
    const Case cases[] = {
        {"/usr/bin/mybrowser", command, "/usr/bin/mybrowser"},
        {"", command, "c:\\b\\b.exe"},
        {"", std::nullopt, ""},
        {"", "xdg-open %u", ""},
    };
    for (const auto& c : cases) {
        MemoryProfile profile;
        kWebBrowser.Write(profile, c.stored);
        SettingsCache cache;
        cache.LoadFrameSettings(profile, {}, c.system);
        EXPECT_EQ(cache.browserPath, c.expected) << c.stored;
        EXPECT_EQ(kWebBrowser.Read(profile), c.stored) << "never written back";
    }
}

TEST(SettingsCacheTest, TogglesAndViewSettings) {
    MemoryProfile profile;
    kPreview.Write(profile, 0);
    kHangUp.Write(profile, 1);
    kAuthorInfo.Write(profile, "Ann");
    kOperateFolders.Write(profile, 0);
    kAutoScrollCount.Write(profile, 9);
    SettingsCache cache;
    cache.LoadFrameSettings(profile, {}, std::nullopt);
    cache.LoadViewSettings(profile);
    EXPECT_FALSE(cache.previewVisible);
    EXPECT_EQ(cache.previewHeight, 0);
    EXPECT_TRUE(cache.hangUpWhenFinished);
    EXPECT_EQ(cache.authorName, "Ann");
    EXPECT_TRUE(cache.operateFileTargets);
    EXPECT_FALSE(cache.operateFolderTargets);
    EXPECT_EQ(cache.autoScrollCount, 9);
    EXPECT_FALSE(cache.autoScroll);

    cache.SetPreviewVisible(profile, true);
    cache.SetHangUp(profile, false);
    cache.SetAutoScroll(profile, true);
    EXPECT_EQ(cache.previewHeight, 50);
    EXPECT_EQ(kPreview.Read(profile), 1);
    EXPECT_EQ(kHangUp.Read(profile), 0);
    EXPECT_EQ(kAutoScroll.Read(profile), 1);
}

TEST(AppFoldersTest, HomeHoldsEverything) {
    struct Case {
        AppFolders::Facts facts;
        const char* app;
        const char* data;
    };
    const Case cases[] = {
        {{"/portable/", "/usr/bin", true, "/usr/share/quexa", "/home/u/d"},
         "/portable",
         "/portable"},
        {{"", "/src/build/bin", true, "/src/build/share/quexa", "/home/u/d"},
         "/src/build/bin",
         "/home/u/d"},
        {{"", "/usr/bin", false, "/usr/share/quexa", "/home/u/d/"},
         "/usr/share/quexa",
         "/home/u/d"},
    };
    for (const auto& c : cases) {
        const AppFolders folders = AppFolders::Resolve(c.facts);
        EXPECT_EQ(folders.appDirectory, c.app);
        EXPECT_EQ(folders.dataDirectory, c.data);
    }
}

}  // namespace
}  // namespace quexa::core
