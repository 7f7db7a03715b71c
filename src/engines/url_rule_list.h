#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quexa::engines {

// The URL rules of an engine: extraction rules "<URL>prefix*URL*suffix</URL>" cut the real
// location out of a redirecting link, root rules "<URLROOT>text</URLROOT>" put text in front.
class UrlRuleList {
  public:
    UrlRuleList() = default;
    explicit UrlRuleList(std::string_view field);

    void ApplyUrlRules(std::string& location) const;
    const std::vector<std::string>& rules() const { return rules_; }

  private:
    // A rule taken apart once, as every item's location passes through it.
    struct Rule {
        bool extraction = false;  // holds "<URL>" and "</URL>"
        bool marker = false;      // an extraction rule holding "*URL*"
        std::string prefix;
        std::string suffix;
        bool root = false;  // holds "<URLROOT>" and "</URLROOT>"
        std::string rootText;
    };
    static Rule Parse(std::string_view text);
    static bool Extract(const Rule& rule, std::string& location);

    std::vector<std::string> rules_;
    std::vector<Rule> parsed_;
};

}  // namespace quexa::engines
