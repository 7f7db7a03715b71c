#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

    // Drops the page's line breaks (remembering where they stood, so that they still part the
    // words of a value) and cuts the item template into its four delimiters.
    void PrepareItemTemplate();
    // The next item after the scan position; false when there is none.
    bool ExtractNextItem(std::string& title, std::string& location, std::string& preview);
    // The next page's link, or empty.
    std::string ExtractNextPageUrl() const;

    const std::string& page() const { return page_; }

  private:
    enum class Value { kTitle, kLocation, kPreview };

    // A delimiter: its first piece, then the pieces that follow it after skipped text.
    struct Delimiter {
        std::string first;
        std::vector<std::string> rest;
    };

    void CutDelimiter(std::size_t index, std::string_view text);
    // Where the delimiter starts at or after from, and where the text after it begins.
    bool FindDelimiter(const Delimiter& delimiter, std::size_t from, std::size_t& start,
                       std::size_t& after) const;
    // The first byte at or after from, before end, that had a line break before it; else end.
    std::size_t NextBreak(std::size_t from, std::size_t end) const;
    // The page's bytes from begin to end, with a space where a line break stood within them.
    std::string_view ValueText(std::size_t begin, std::size_t end);
    void CleanValue(std::string_view raw, std::string& text, std::size_t budget);
    bool FindNextPageLink(std::string_view start, std::string_view end, std::string& link) const;

    std::string page_;
    bool lineBreaksRemoved_ = false;
    // Bit i: a line break stood before byte i of the page. Empty when the page had none.
    std::vector<std::uint64_t> breakMarks_;
    std::string valueScratch_;
    std::string itemTemplate_;
    std::string nextPageTemplate_;
    std::string nextPageRoot_;
    std::size_t scanPosition_ = 0;
    std::size_t titleBudget_ = std::string::npos;
    std::size_t previewBudget_ = std::string::npos;
    std::array<Delimiter, 4> delimiters_;
    // The template's values are the contents of JSON strings.
    bool jsonValues_ = false;
    // The template's titles and previews are XML text whose markup is escaped.
    bool xmlValues_ = false;
    std::array<Value, 3> order_{Value::kTitle, Value::kLocation, Value::kPreview};
    // A template lacking a placeholder matches nothing.
    bool templateUsable_ = false;
};

}  // namespace quexa::engines
