#include "engines/search_url.h"

#include "core/text.h"
#include "engines/engine_definition.h"
#include "engines/markup.h"

namespace quexa::engines {

namespace {

constexpr std::string_view kQuery = "_QUERY_";
constexpr std::string_view kPageNumber = "*PAGE_NUMBER*";
constexpr std::string_view kBaseZero = "</PAGE_NUMBER_BASE_ZERO/>";

}  // namespace

SearchUrl::SearchUrl(std::string_view urlTemplate, std::string_view query) {
    // The substituted URL lives in the definition's search URL field.
    url_ = core::BoundedCopy(FillQuery(urlTemplate, core::Trim(query)),
                             EngineDefinition::kSearchUrlField);
    DecodeEntities(url_);
    pagesByNumber_ = core::Contains(url_, kPageNumber);
    if (pagesByNumber_ && core::Contains(url_, kBaseZero)) {
        url_ = core::ReplaceAll(url_, kBaseZero, "");
        firstPage_ = 0;
    }
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
