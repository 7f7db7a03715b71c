#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quexa::engines {

// Cuts result items and the next page's link out of one engine result page by plain substring
// matching with the engine's templates. One per worker, reused for every page.
class PageParser {
  public:
    void SetPage(std::string page);
    void SetItemTemplate(std::string_view itemTemplate);
    void SetNextPageTemplate(std::string_view nextPageTemplate);
    void SetNextPageRoot(std::string_view root);
    // Titles and previews longer than these counts may come back cut: then they are a prefix of
    // the full text, at least this long. A hostile page's huge values cost only what is kept.
    void LimitValues(std::size_t titleBytes, std::size_t previewBytes);

    // Drops the page's line breaks and cuts the item template into its four delimiters.
    void PrepareItemTemplate();
    // The next item after the scan position; false when there is none.
    bool ExtractNextItem(std::string& title, std::string& location, std::string& preview);
    // The next page's link, or empty.
    std::string ExtractNextPageUrl() const;

    const std::string& page() const { return page_; }

  private:
    enum class Value { kTitle, kLocation, kPreview };

    bool FindNextPageLink(std::string_view start, std::string_view end, std::string& link) const;

    std::string page_;
    bool lineBreaksRemoved_ = false;
    std::string itemTemplate_;
    std::string nextPageTemplate_;
    std::string nextPageRoot_;
    std::size_t scanPosition_ = 0;
    std::size_t titleBudget_ = std::string::npos;
    std::size_t previewBudget_ = std::string::npos;
    std::array<std::string, 4> delimiters_;
    std::array<Value, 3> order_{Value::kTitle, Value::kLocation, Value::kPreview};
    // A template lacking a placeholder matches nothing.
    bool templateUsable_ = false;
};

}  // namespace quexa::engines
