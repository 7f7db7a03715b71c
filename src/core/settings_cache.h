#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/app_folders.h"
#include "core/profile.h"

namespace quexa::core {

// The few settings held in memory after start-up, kept in step by the commands that change
// them. One instance, owned by the application and written only on its user-interface
// thread. Workers must not read the strings while the Options sheet may change them: a task
// copies proxyEnabled and proxyAddress when it starts, before its workers run.
struct SettingsCache {
    bool hangUpWhenFinished = false;
    std::string browserPath;  // empty: the desktop's default browser
    std::string appDirectory;
    std::string dataDirectory;
    bool proxyEnabled = false;
    std::string proxyAddress;  // "host:port"
    std::string contact;       // put into the user agent when not empty
    bool previewVisible = true;
    std::int32_t previewHeight = kPreviewHeight;
    bool autoScroll = false;
    std::int32_t autoScrollCount = 5;
    bool operateFileTargets = true;
    bool operateFolderTargets = true;
    std::string authorName;

    static constexpr std::int32_t kPreviewHeight = 50;

    // Main frame construction: hang-up, browser, folders (also written to AppPath), proxy and
    // preview. systemBrowserCommand is the system's "open" command for http locations when
    // the platform has one.
    void LoadFrameSettings(Profile& profile, const AppFolders& folders,
                           std::optional<std::string_view> systemBrowserCommand);
    // Result view construction: auto-scroll, target operations and author.
    void LoadViewSettings(const Profile& profile);
    // The proxy and the contact; also after the Network page of the Options sheet was applied.
    void LoadProxy(const Profile& profile);

    // Toggle commands: update the cache and store the new value at once.
    void SetPreviewVisible(Profile& profile, bool visible);
    void SetHangUp(Profile& profile, bool hangUp);
    void SetAutoScroll(Profile& profile, bool enabled);

    // The browser program named by an "open" command such as
    // "\"C:\\Program Files\\Browser\\BROWSER.EXE\" -nohome": the text up to the first ".exe",
    // lower-cased and without quotes; empty when the command names no ".exe".
    static std::string BrowserFromOpenCommand(std::string_view command);
    // Server and port trimmed and joined with ":"; port 80 when the port is empty.
    static std::string ProxyAddress(std::string_view server, std::string_view port);
};

}  // namespace quexa::core
