#include "core/settings_cache.h"

#include "core/settings_table.h"
#include "core/text.h"

namespace quexa::core {

void SettingsCache::LoadFrameSettings(Profile& profile, const AppFolders& folders,
                                      std::optional<std::string_view> systemBrowserCommand) {
    hangUpWhenFinished = settings::kHangUp.ReadFlag(profile);
    browserPath = settings::kWebBrowser.Read(profile);
    if (browserPath.empty() && systemBrowserCommand) {
        browserPath = BrowserFromOpenCommand(*systemBrowserCommand);
    }
    appDirectory = folders.appDirectory;
    dataDirectory = folders.dataDirectory;
    settings::kAppPath.Write(profile, appDirectory);
    LoadProxy(profile);
    previewVisible = settings::kPreview.ReadFlag(profile);
    previewHeight = previewVisible ? kPreviewHeight : 0;
}

void SettingsCache::LoadViewSettings(const Profile& profile) {
    autoScroll = settings::kAutoScroll.ReadFlag(profile);
    autoScrollCount = settings::kAutoScrollCount.Read(profile);
    operateFileTargets = settings::kOperateFiles.ReadFlag(profile);
    operateFolderTargets = settings::kOperateFolders.ReadFlag(profile);
    authorName = settings::kAuthorInfo.Read(profile);
}

void SettingsCache::LoadProxy(const Profile& profile) {
    const std::string server = settings::kProxyServer.Read(profile);
    // Without a server there is nothing to connect through: go direct rather than fail.
    proxyEnabled = settings::kProxyUse.ReadFlag(profile) && !Trim(server).empty();
    proxyAddress = ProxyAddress(server, settings::kProxyPort.Read(profile));
    contact = settings::kContact.Read(profile);
}

void SettingsCache::SetPreviewVisible(Profile& profile, bool visible) {
    previewVisible = visible;
    previewHeight = visible ? kPreviewHeight : 0;
    settings::kPreview.Write(profile, visible ? 1 : 0);
}

void SettingsCache::SetHangUp(Profile& profile, bool hangUp) {
    hangUpWhenFinished = hangUp;
    settings::kHangUp.Write(profile, hangUp ? 1 : 0);
}

void SettingsCache::SetAutoScroll(Profile& profile, bool enabled) {
    autoScroll = enabled;
    settings::kAutoScroll.Write(profile, enabled ? 1 : 0);
}

std::string SettingsCache::BrowserFromOpenCommand(std::string_view command) {
    std::string text = AsciiLower(Trim(command.substr(0, command.find('\0'))));
    const std::size_t exe = Find(text, ".exe");
    if (exe == npos) {
        return {};
    }
    text.erase(exe + 4);
    TrimInPlace(text);
    TrimCharInPlace(text, '"');
    return text;
}

std::string SettingsCache::ProxyAddress(std::string_view server, std::string_view port) {
    const std::string_view trimmedPort = Trim(port);
    return std::string(Trim(server)) + ":" +
           std::string(trimmedPort.empty() ? std::string_view("80") : trimmedPort);
}

}  // namespace quexa::core
