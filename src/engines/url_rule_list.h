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
    std::vector<std::string> rules_;
};

}  // namespace quexa::engines
