#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engines/engine_definition.h"
#include "engines/page_parser.h"
#include "engines/url_rule_list.h"

namespace quexa::engines {

// One finished result item, as a search worker hands it on.
struct ExtractedItem {
    static constexpr std::size_t kTitleLimit = 255;
    static constexpr std::size_t kLocationLimit = 255;
    static constexpr std::size_t kPreviewLimit = 1023;

    std::string title;
    std::string location;
    std::string preview;
};

// The whole road from a fetched page to finished items and the next page's link, with one
// engine's templates and URL rules.
class PageExtractor {
  public:
    // Returns false to stop taking items from the page.
    using ItemSink = std::function<bool(ExtractedItem&&)>;

    explicit PageExtractor(const EngineDefinition& engine);

    // Items of every item template in order; stops early when the sink says so.
    void ExtractItems(std::string page, const ItemSink& sink);
    std::vector<ExtractedItem> ExtractItems(std::string page);
    // The first non-empty link over the next-page templates, from the last page given.
    std::string NextPageUrl();

    // Quote trimming, URL rules, the second entity pass and the length limits. False when the
    // item has no title or no location and is not counted.
    static bool FinishItem(ExtractedItem& item, const UrlRuleList& rules);

  private:
    PageParser parser_;
    UrlRuleList urlRules_;
    std::vector<std::string> itemTemplates_;
    std::vector<std::string> nextPageTemplates_;
    std::string nextPageRoot_;
};

}  // namespace quexa::engines
