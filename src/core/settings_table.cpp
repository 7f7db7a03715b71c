#include "core/settings_table.h"

#include <array>

#include "core/text.h"

namespace quexa::core {
namespace {

using namespace settings;

// clang-format off
constexpr std::array<SettingEntry, 71> kTable{
    &kEngineBarHeight, &kLeftBarWidth, &kShowLeft, &kShowFastInfo, &kPreview, &kAutoScroll,
    &kAutoScrollCount,
    &kShowWelcome, &kHangUp, &kAutoVerify, &kWebBrowser, &kAppPath, &kOperateFiles,
    &kOperateFolders, &kAuthorInfo, &kAutoSave, &kAutoSaveCount, &kTabbar,
    &kWindowTop, &kWindowLeft, &kWindowRight, &kWindowBottom, &kWindowZoomed,
    &kProxyUse, &kProxyServer, &kProxyPort, &kContact,
    &kExportSelected, &kExportReachable, &kExportUnreachable, &kExportUnknown, &kExportNormal,
    &kExportVisited, &kExportUnvisited, &kExportTitle, &kExportLocation, &kExportTarget,
    &kExportPreview, &kExportTitlePrefix, &kExportLocationPrefix, &kExportTargetPrefix,
    &kExportPreviewPrefix,
    &kUseBackgroundImage, &kBackgroundImage, &kHorizontalGrid, &kVerticalGrid, &kAlternateColor,
    &kDropDuplicates,
    &kVerifyNormal, &kVerifyReachable, &kVerifyUnreachable, &kVerifyUnknown, &kVerifySelected,
    &kDeleteUnreachable, &kDeleteUnknown,
    &kSearchTimeout, &kVerifyTimeout, &kLineType, &kInternetKeywords, &kIntranetPatterns,
    &kLastSearchTarget, &kLastCategory,
    &kLastScheme,
    &kInternetHistoryCount, &kInternetHistoryEntry, &kIntranetHistoryCount,
    &kIntranetHistoryEntry,
    &kTipStartUp, &kTipFilePos, &kTipTimeStamp,
    &kResultListLayout,
};
// clang-format on

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && AsciiLower(a) == AsciiLower(b);
}

bool StartsWithName(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameName(text.substr(0, prefix.size()), prefix);
}

bool EndsWithName(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           SameName(text.substr(text.size() - suffix.size()), suffix);
}

// "Key7" for the family "Key%d": decimal digits without a leading zero, within int range.
std::optional<std::string> MatchNumbered(const TextSetting& family, std::string_view key) {
    if (!StartsWithName(key, family.key)) {
        return std::nullopt;
    }
    const std::string_view number = key.substr(family.key.size());
    const auto value = Profile::ParseInt(number);
    if (!value || *value < 0 || number != std::to_string(*value)) {
        return std::nullopt;
    }
    return family.KeyFor(*value);
}

std::optional<std::string> MatchSuffixed(const TextSetting& family, std::string_view key) {
    if (key.size() <= family.key.size() || !EndsWithName(key, family.key) ||
        !Profile::IsValidKey(key)) {
        return std::nullopt;
    }
    return family.KeyFor(key.substr(0, key.size() - family.key.size()));
}

std::optional<std::string> MatchKey(const SettingEntry& entry, std::string_view key) {
    if (const auto* integer = std::get_if<const IntSetting*>(&entry)) {
        return SameName((*integer)->key, key) ? std::optional(std::string((*integer)->key))
                                              : std::nullopt;
    }
    const TextSetting& text = *std::get<const TextSetting*>(entry);
    switch (text.form) {
        case KeyForm::Numbered:
            return MatchNumbered(text, key);
        case KeyForm::Suffixed:
            return MatchSuffixed(text, key);
        case KeyForm::Fixed:
            break;
    }
    return SameName(text.key, key) ? std::optional(std::string(text.key)) : std::nullopt;
}

}  // namespace

std::span<const SettingEntry> SettingsTable::All() {
    return kTable;
}

std::optional<SettingMatch> SettingsTable::Find(std::string_view section, std::string_view key) {
    const std::string wanted = Profile::NormaliseSection(section);
    for (const SettingEntry& entry : kTable) {
        if (!SameName(SectionOf(entry), wanted)) {
            continue;
        }
        if (auto fullKey = MatchKey(entry, key)) {
            return SettingMatch{entry, std::move(*fullKey)};
        }
    }
    return std::nullopt;
}

std::string_view SectionOf(const SettingEntry& entry) {
    return std::visit([](const auto* setting) { return setting->section; }, entry);
}

bool ShowsWelcomeImage(const Profile& profile) {
    return settings::kShowWelcome.Read(profile) == 1;
}

}  // namespace quexa::core
