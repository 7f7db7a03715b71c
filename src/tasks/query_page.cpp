#include "tasks/query_page.h"

#include "core/settings_table.h"
#include "core/text.h"

namespace quexa::tasks {

QueryPage::QueryPage(core::KeywordHistory history, const core::TextSetting& last)
    : history_(history), last_(&last) {}

QueryPage QueryPage::Internet() {
    return {core::KeywordHistory::Internet(), core::settings::kInternetKeywords};
}

QueryPage QueryPage::Intranet() {
    return {core::KeywordHistory::Intranet(), core::settings::kIntranetPatterns};
}

std::vector<std::string> QueryPage::History(const core::Profile& profile) const {
    return history_.Load(profile);
}

std::string QueryPage::LastQuery(const core::Profile& profile) const {
    return last_->Read(profile);
}

void QueryPage::ClearHistory(core::Profile& profile) const {
    history_.Clear(profile);
}

std::optional<std::string> QueryPage::Finish(core::Profile& profile, std::string_view text,
                                             const std::vector<std::string>& shown) const {
    if (text.empty()) {
        return std::nullopt;
    }
    std::string query(core::Trim(text));
    last_->Write(profile, query);
    history_.Add(profile, query, shown);
    return query;
}

}  // namespace quexa::tasks
