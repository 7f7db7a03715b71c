#include "engines/search_url.h"

#include <algorithm>

#include "core/text.h"
#include "engines/engine_definition.h"
#include "engines/markup.h"

namespace quexa::engines {

namespace {

constexpr std::string_view kQuery = "_QUERY_";
constexpr std::string_view kPageNumber = "*PAGE_NUMBER*";
constexpr std::string_view kBaseZero = "</PAGE_NUMBER_BASE_ZERO/>";
constexpr std::string_view kIntervalOpen = "</PAGE_INTERVAL_";
constexpr std::string_view kIntervalClose = "/>";

}  // namespace

SearchUrl::SearchUrl(std::string_view urlTemplate, std::string_view query) {
    // The substituted URL lives in the definition's search URL field.
    url_ = core::BoundedCopy(FillQuery(urlTemplate, core::Trim(query)),
                             EngineDefinition::kSearchUrlField);
    DecodeEntities(url_);
    pageIntervalSeconds_ = TakePageInterval(url_);
    pagesByNumber_ = core::Contains(url_, kPageNumber);
    if (pagesByNumber_ && core::Contains(url_, kBaseZero)) {
        url_ = core::ReplaceAll(url_, kBaseZero, "");
        firstPage_ = 0;
    }
}

int SearchUrl::TakePageInterval(std::string& url) {
    int seconds = 0;
    std::size_t from = 0;
    for (std::size_t open = core::Find(url, kIntervalOpen); open != core::npos;
         open = core::Find(url, kIntervalOpen, from)) {
        std::size_t at = open + kIntervalOpen.size();
        int value = 0;
        for (; at < url.size() && url[at] >= '0' && url[at] <= '9'; ++at) {
            value = std::min(kMaxPageInterval, value * 10 + (url[at] - '0'));
        }
        // Only a whole marker counts; other text is left as it stands.
        if (at == open + kIntervalOpen.size() ||
            url.compare(at, kIntervalClose.size(), kIntervalClose) != 0) {
            from = open + 1;
            continue;
        }
        url.erase(open, at + kIntervalClose.size() - open);
        seconds = std::max(seconds, value);
        from = open;
    }
    return seconds;
}

std::string SearchUrl::FillQuery(std::string_view urlTemplate, std::string_view query) {
    return core::ReplaceAll(urlTemplate, kQuery, core::ReplaceAll(query, "#", "%23"));
}

std::string SearchUrl::PageUrl(int page) const {
    if (!pagesByNumber_) {
        return url_;
    }
    return core::ReplaceAll(url_, kPageNumber, std::to_string(page));
}

}  // namespace quexa::engines
