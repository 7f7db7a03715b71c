#include "engines/url_rule_list.h"

#include "core/text.h"
#include "engines/template_list.h"

namespace quexa::engines {

namespace {

constexpr std::string_view kUrlOpen = "<URL>";
constexpr std::string_view kUrlClose = "</URL>";
constexpr std::string_view kUrlMarker = "*URL*";
constexpr std::string_view kRootOpen = "<URLROOT>";
constexpr std::string_view kRootClose = "</URLROOT>";

// Text from begin to end, empty when the range is reversed.
std::string_view Between(std::string_view text, std::size_t begin, std::size_t end) {
    if (begin >= end || begin >= text.size()) {
        return {};
    }
    return text.substr(begin, end - begin);
}

// False when the rule did not match, so that its root step is skipped.
bool ApplyExtraction(std::string_view rule, std::string& location) {
    const std::size_t marker = core::Find(rule, kUrlMarker);
    if (marker == core::npos) {
        return false;
    }
    const std::string_view prefix = Between(rule, kUrlOpen.size(), marker);
    const std::string_view suffix =
        Between(rule, marker + kUrlMarker.size(), rule.size() - kUrlClose.size());
    const std::size_t prefixAt = core::Find(location, prefix);
    if (prefixAt == core::npos) {
        return false;
    }
    const std::size_t suffixAt = core::Find(location, suffix, prefixAt);
    const std::size_t end =
        (suffixAt == core::npos || suffixAt <= prefixAt) ? location.size() : suffixAt;
    location = std::string(Between(location, prefixAt + prefix.size(), end));
    return true;
}

void ApplyRoot(std::string_view rule, std::string& location) {
    if (!core::Contains(rule, kRootOpen) || !core::Contains(rule, kRootClose)) {
        return;
    }
    const std::string root =
        core::ReplaceAll(core::ReplaceAll(rule, kRootOpen, ""), kRootClose, "");
    location.insert(0, root);
}

}  // namespace

UrlRuleList::UrlRuleList(std::string_view field) {
    if (!field.empty()) {
        rules_ = SplitTemplateList(field);
    }
}

void UrlRuleList::ApplyUrlRules(std::string& location) const {
    for (const std::string& rule : rules_) {
        const bool extraction = core::Contains(rule, kUrlOpen) && core::Contains(rule, kUrlClose);
        if (!extraction || ApplyExtraction(rule, location)) {
            ApplyRoot(rule, location);
        }
        if (!core::Contains(location, "://")) {
            location.insert(0, "http://");
        }
    }
}

}  // namespace quexa::engines
