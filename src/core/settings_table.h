#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "core/int_setting.h"
#include "core/text_setting.h"

namespace quexa::core {

// Every value of the profile, once, with its type and default. Readers name these constants
// instead of repeating a section, key or default at the call site.
namespace settings {

inline constexpr std::string_view kSystem = "System";
inline constexpr std::string_view kSystemSetting = "System\\Setting";
inline constexpr std::string_view kSystemPosition = "System\\Position";
inline constexpr std::string_view kSystemProxy = "System\\Proxy";
inline constexpr std::string_view kSystemExport = "System\\Export";
inline constexpr std::string_view kSystemResultList = "System\\ResultList";
inline constexpr std::string_view kCheckOpt = "CheckOpt";
inline constexpr std::string_view kUserData = "UserData";
inline constexpr std::string_view kUserDataScheme = "UserData\\Scheme";
inline constexpr std::string_view kInternetHistory = "Key.History.Internet";
inline constexpr std::string_view kIntranetHistory = "Key.History.Intranet";
inline constexpr std::string_view kTip = "Tip";
inline constexpr std::string_view kSettings = "Settings";

// Main window bars and toggles.
inline constexpr IntSetting kEngineBarHeight{kSystem, "EngineBarHeight", 105};
inline constexpr IntSetting kLeftBarWidth{kSystem, "LeftBarWidth", 200};
inline constexpr IntSetting kShowLeft{kSystem, "ShowLeft", 1};
inline constexpr IntSetting kShowFastInfo{kSystem, "ShowFastInfo", 1};
inline constexpr IntSetting kPreview{kSystem, "Preview", 1};
inline constexpr IntSetting kAutoScroll{kSystem, "AutoScroll", 0};
inline constexpr IntSetting kAutoScrollCount{kSystem, "AutoScrollCount", 5};

// General behaviour (the Other page, the wizards, the hang-up command).
inline constexpr IntSetting kShowWelcome{kSystemSetting, "SWelcome", 1};
inline constexpr IntSetting kHangUp{kSystemSetting, "Hangup", 0};
inline constexpr IntSetting kAutoVerify{kSystemSetting, "AutoVerify", 0};
// Empty: the desktop's default browser.
inline constexpr TextSetting kWebBrowser{
    .section = kSystemSetting, .key = "WebBrowser", .existingFile = true};
inline constexpr TextSetting kAppPath{kSystemSetting, "AppPath"};
inline constexpr IntSetting kOperateFiles{kSystemSetting, "OFILE", 1};
inline constexpr IntSetting kOperateFolders{kSystemSetting, "OFLOE", 1};
inline constexpr TextSetting kAuthorInfo{
    .section = kSystemSetting, .key = "AuthorInfo", .maxCharacters = 20};
inline constexpr IntSetting kAutoSave{kSystemSetting, "AutoSave", 0};
inline constexpr IntSetting kAutoSaveCount{kSystemSetting, "ASNum", 10, 1, 5000};
inline constexpr IntSetting kTabbar{kSystemSetting, "Tabbar", 1};

// Main window rectangle when restored.
inline constexpr IntSetting kWindowTop{kSystemPosition, "Top", 0};
inline constexpr IntSetting kWindowLeft{kSystemPosition, "Left", 0};
inline constexpr IntSetting kWindowRight{kSystemPosition, "Right", 640};
inline constexpr IntSetting kWindowBottom{kSystemPosition, "Bottom", 480};
inline constexpr IntSetting kWindowZoomed{kSystemPosition, "Zoomed", 0};

// HTTP proxy; read through SettingsCache::proxyEnabled and proxyAddress.
inline constexpr IntSetting kProxyUse{kSystemProxy, "USE", 0};
inline constexpr TextSetting kProxyServer{
    .section = kSystemProxy, .key = "Server", .maxCharacters = 255};
inline constexpr TextSetting kProxyPort{
    .section = kSystemProxy, .key = "Port", .maxCharacters = 5, .digitsOnly = true};
// How the operators of a service can reach the user (an e-mail address or a web address): sent
// in the user agent, as services such as Wikimedia's ask. Read with the proxy.
inline constexpr TextSetting kContact{
    .section = kSystemProxy, .key = "Contact", .maxCharacters = 255};

// Export rule: which items match, which fields they carry, and the prefixes of the fields.
inline constexpr IntSetting kExportSelected{kSystemExport, "Selected", 0};
inline constexpr IntSetting kExportReachable{kSystemExport, "Ok", 1};
inline constexpr IntSetting kExportUnreachable{kSystemExport, "Error", 0};
inline constexpr IntSetting kExportUnknown{kSystemExport, "Unknown", 1};
inline constexpr IntSetting kExportNormal{kSystemExport, "Normal", 1};
inline constexpr IntSetting kExportVisited{kSystemExport, "Visited", 1};
inline constexpr IntSetting kExportUnvisited{kSystemExport, "NoVisit", 0};
inline constexpr IntSetting kExportTitle{kSystemExport, "Title", 1};
inline constexpr IntSetting kExportLocation{kSystemExport, "URL", 1};
inline constexpr IntSetting kExportTarget{kSystemExport, "Engine", 1};
inline constexpr IntSetting kExportPreview{kSystemExport, "Preview", 1};
inline constexpr TextSetting kExportTitlePrefix{kSystemExport, "sTitle", "Title: "};
inline constexpr TextSetting kExportLocationPrefix{kSystemExport, "sURL", "Location: "};
inline constexpr TextSetting kExportTargetPrefix{kSystemExport, "sEngine", "Search Target: "};
inline constexpr TextSetting kExportPreviewPrefix{kSystemExport, "sPreview", "Preview: "};

// Result list appearance.
inline constexpr IntSetting kUseBackgroundImage{kSystemResultList, "UseBkImg", 1};
inline constexpr IntSetting kBackgroundImage{kSystemResultList, "BkImg", 6, 0, 9};
inline constexpr IntSetting kHorizontalGrid{kSystemResultList, "HGrid", 1};
inline constexpr IntSetting kVerticalGrid{kSystemResultList, "VGrid", 0};
inline constexpr IntSetting kAlternateColor{kSystemResultList, "AlternateColor", 0};
inline constexpr IntSetting kDropDuplicates{kSystemResultList, "ImportADE", 1};

// Verify rule and what to delete after verifying.
inline constexpr IntSetting kVerifyNormal{kCheckOpt, "CNormal", 1};
inline constexpr IntSetting kVerifyReachable{kCheckOpt, "COk", 0};
inline constexpr IntSetting kVerifyUnreachable{kCheckOpt, "CErr", 0};
inline constexpr IntSetting kVerifyUnknown{kCheckOpt, "CUn", 1};
inline constexpr IntSetting kVerifySelected{kCheckOpt, "CSel", 0};
inline constexpr IntSetting kDeleteUnreachable{kCheckOpt, "DErr", 1};
inline constexpr IntSetting kDeleteUnknown{kCheckOpt, "DUn", 0};

// Tasks: time-outs in seconds, line type (worker count), the last searches.
inline constexpr IntSetting kSearchTimeout{kUserData, "STimeout", 45, 15, 300};
inline constexpr IntSetting kVerifyTimeout{kUserData, "CTimeout", 45, 15, 300};
inline constexpr IntSetting kLineType{kUserData, "LineType", 0, 0, 5};
inline constexpr TextSetting kInternetKeywords{kUserData, "Key.Internet"};
inline constexpr TextSetting kIntranetPatterns{kUserData, "Key.Intranet"};
inline constexpr TextSetting kLastSearchTarget{kUserData, "LastSearchTarget"};
inline constexpr TextSetting kLastCategory{kUserData, "LastCategory"};
// Key: the category's directory name followed by ".LastScheme".
inline constexpr TextSetting kLastScheme{
    .section = kUserDataScheme, .key = ".LastScheme", .form = KeyForm::Suffixed};

// Keyword histories of the search wizards (see KeywordHistory).
inline constexpr IntSetting kInternetHistoryCount{kInternetHistory, "Num", 0};
inline constexpr TextSetting kInternetHistoryEntry{
    .section = kInternetHistory, .key = "Key", .form = KeyForm::Numbered};
inline constexpr IntSetting kIntranetHistoryCount{kIntranetHistory, "Num", 0};
inline constexpr TextSetting kIntranetHistoryEntry{
    .section = kIntranetHistory, .key = "Key", .form = KeyForm::Numbered};

// Tip of the day.
inline constexpr IntSetting kTipStartUp{kTip, "StartUp", 0};
inline constexpr IntSetting kTipFilePos{kTip, "FilePos", 0};
inline constexpr TextSetting kTipTimeStamp{kTip, "TimeStamp"};

// Column widths and order of the result list (see ColumnLayout).
inline constexpr TextSetting kResultListLayout{kSettings, "iResultListCtrl"};

}  // namespace settings

using SettingEntry = std::variant<const IntSetting*, const TextSetting*>;

// A table entry found for a section and key given in any letter case.
struct SettingMatch {
    SettingEntry entry;
    std::string key;  // the full key in the table's spelling ("Key3", "Global.LastScheme")
};

class SettingsTable {
  public:
    // Every entry in the order of the table.
    static std::span<const SettingEntry> All();
    static std::optional<SettingMatch> Find(std::string_view section, std::string_view key);
};

std::string_view SectionOf(const SettingEntry& entry);

// Only the value 1 shows the welcome image; 0, 2 or anything else hides it.
bool ShowsWelcomeImage(const Profile& profile);

}  // namespace quexa::core
