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

}  // namespace

UrlRuleList::UrlRuleList(std::string_view field) {
    if (!field.empty()) {
        rules_ = SplitTemplateList(field);
    }
    for (const std::string& rule : rules_) {
        parsed_.push_back(Parse(rule));
    }
}

UrlRuleList::Rule UrlRuleList::Parse(std::string_view text) {
    Rule rule;
    rule.extraction = core::Contains(text, kUrlOpen) && core::Contains(text, kUrlClose);
    const std::size_t marker = core::Find(text, kUrlMarker);
    rule.marker = rule.extraction && marker != core::npos;
    if (rule.marker) {
        rule.prefix = Between(text, kUrlOpen.size(), marker);
        rule.suffix = Between(text, marker + kUrlMarker.size(), text.size() - kUrlClose.size());
    }
    rule.root = core::Contains(text, kRootOpen) && core::Contains(text, kRootClose);
    if (rule.root) {
        rule.rootText = core::ReplaceAll(core::ReplaceAll(text, kRootOpen, ""), kRootClose, "");
    }
    return rule;
}

// False when the rule did not match, so that its root step is skipped.
bool UrlRuleList::Extract(const Rule& rule, std::string& location) {
    if (!rule.marker) {
        return false;
    }
    const std::size_t prefixAt = core::Find(location, rule.prefix);
    if (prefixAt == core::npos) {
        return false;
    }
    const std::size_t suffixAt = core::Find(location, rule.suffix, prefixAt);
    const std::size_t end =
        (suffixAt == core::npos || suffixAt <= prefixAt) ? location.size() : suffixAt;
    const std::size_t begin = prefixAt + rule.prefix.size();
    if (begin >= end || begin >= location.size()) {
        location.clear();
    } else {
        location.erase(end);
        location.erase(0, begin);
    }
    return true;
}

void UrlRuleList::ApplyUrlRules(std::string& location) const {
    for (const Rule& rule : parsed_) {
        // An extraction rule that found nothing skips its own root step.
        const bool matched = !rule.extraction || Extract(rule, location);
        if (matched && rule.root) {
            location.insert(0, rule.rootText);
        }
        if (!core::Contains(location, "://")) {
            location.insert(0, "http://");
        }
    }
}

}  // namespace quexa::engines
