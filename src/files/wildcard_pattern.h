#pragma once

#include <string>
#include <string_view>

namespace quexa::files {

// A file-name wildcard: "*" matches any run of characters, also none, "?" exactly one
// character (one UTF-8 sequence), everything else itself with ASCII letter case ignored.
// "*.*" matches every name, also one without a dot.
class WildcardPattern {
  public:
    explicit WildcardPattern(std::string_view pattern);

    bool Matches(std::string_view name) const;
    const std::string& Text() const { return text_; }

  private:
    enum class Form { General, Everything, Literal, Suffix };

    bool MatchesGeneral(std::string_view name) const;

    std::string text_;
    // Lower-cased pattern; for Suffix the literal tail after the leading "*".
    std::string lower_;
    Form form_ = Form::General;
};

}  // namespace quexa::files
