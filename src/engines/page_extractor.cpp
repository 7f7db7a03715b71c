#include "engines/page_extractor.h"

#include "core/text.h"
#include "engines/markup.h"
#include "engines/template_list.h"

namespace quexa::engines {

namespace {

// Decoded bytes that settle the first limit + 1 bytes of the symbol pass, all the cut looks at.
// That pass turns at most 11 bytes into one, looks 13 bytes ahead and rewrites at most 5 bytes
// behind it.
constexpr std::size_t SettledBytesFor(std::size_t limit) {
    return 16 * (limit + 1) + 64;
}

}  // namespace

PageExtractor::PageExtractor(const EngineDefinition& engine)
    : urlRules_(engine.urlRules),
      itemTemplates_(SplitTemplateList(engine.itemTemplates)),
      nextPageTemplates_(SplitTemplateList(engine.nextPageTemplates)),
      nextPageRoot_(engine.nextPageRoot) {
    parser_.LimitValues(SettledBytesFor(ExtractedItem::kTitleLimit),
                        SettledBytesFor(ExtractedItem::kPreviewLimit));
}

void PageExtractor::ExtractItems(std::string page, const ItemSink& sink) {
    parser_.SetPage(std::move(page));
    bool taking = true;
    for (const std::string& itemTemplate : itemTemplates_) {
        // Every template is prepared, so the page loses its line breaks even when none matches.
        parser_.SetItemTemplate(itemTemplate);
        parser_.PrepareItemTemplate();
        ExtractedItem item;
        while (taking && parser_.ExtractNextItem(item.title, item.location, item.preview)) {
            if (FinishItem(item, urlRules_)) {
                taking = sink(std::move(item));
            }
            item = ExtractedItem();
        }
    }
}

std::vector<ExtractedItem> PageExtractor::ExtractItems(std::string page) {
    std::vector<ExtractedItem> items;
    ExtractItems(std::move(page), [&items](ExtractedItem&& item) {
        items.push_back(std::move(item));
        return true;
    });
    return items;
}

std::string PageExtractor::NextPageUrl() {
    for (const std::string& nextPageTemplate : nextPageTemplates_) {
        parser_.SetNextPageRoot(nextPageRoot_);
        parser_.SetNextPageTemplate(nextPageTemplate);
        std::string url = parser_.ExtractNextPageUrl();
        if (!url.empty()) {
            return url;
        }
    }
    return {};
}

bool PageExtractor::FinishItem(ExtractedItem& item, const UrlRuleList& rules) {
    if (item.title.empty() || item.location.empty()) {
        return false;
    }
    core::TrimCharInPlace(item.location, '"');
    rules.ApplyUrlRules(item.location);
    ReplaceSymbolEntities(item.title);
    ReplaceSymbolEntities(item.preview);
    core::CutInPlace(item.title, ExtractedItem::kTitleLimit);
    core::CutInPlace(item.location, ExtractedItem::kLocationLimit);
    core::CutInPlace(item.preview, ExtractedItem::kPreviewLimit);
    return true;
}

}  // namespace quexa::engines
