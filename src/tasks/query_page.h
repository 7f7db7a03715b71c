#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/keyword_history.h"
#include "core/profile.h"
#include "core/text_setting.h"

namespace quexa::tasks {

// The last page of either search wizard: the query box with its history and what Finish
// stores. The Internet and the Intranet wizard differ only in their keys.
class QueryPage {
  public:
    static constexpr std::string_view kNoKeywords =
        "Please input at least one key word what you want to search !";

    static QueryPage Internet();
    static QueryPage Intranet();

    std::vector<std::string> History(const core::Profile& profile) const;
    std::string LastQuery(const core::Profile& profile) const;
    void ClearHistory(core::Profile& profile) const;
    // Refuses only an empty text (kNoKeywords); a text of blanks passes and is stored empty.
    // Stores the trimmed text as the last query and adds it to the history unless shown, the
    // entries the box lists, holds it in any letter case. Returns what was stored.
    std::optional<std::string> Finish(core::Profile& profile, std::string_view text,
                                      const std::vector<std::string>& shown) const;

  private:
    QueryPage(core::KeywordHistory history, const core::TextSetting& last);

    core::KeywordHistory history_;
    const core::TextSetting* last_;
};

}  // namespace quexa::tasks
