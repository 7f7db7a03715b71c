#pragma once

#include <string>
#include <string_view>

namespace quexa::engines {

// An engine's search URL for one query: the first page's URL, and for engines that page by
// number, the URL of any page.
class SearchUrl {
  public:
    // urlTemplate is the engine's search URL; the query is trimmed and put in by FillQuery.
    SearchUrl(std::string_view urlTemplate, std::string_view query);

    // Every "_QUERY_" of the template replaced by the query, with "#" in the query
    // percent-encoded: it would end the URL's query part there and cut off the rest of the query
    // and every parameter after it. The template's own text stays as it is; the HTTP client
    // encodes the other bytes that may not stand in a URL.
    static std::string FillQuery(std::string_view urlTemplate, std::string_view query);

    bool PagesByNumber() const { return pagesByNumber_; }
    // 0 when the template asks for base-zero page numbers, else 1.
    int FirstPage() const { return firstPage_; }
    // For numbered paging the URL of that page; otherwise the first page's URL.
    std::string PageUrl(int page) const;
    std::string FirstPageUrl() const { return PageUrl(firstPage_); }

    // The URL with the query substituted and references decoded, before page numbers.
    const std::string& url() const { return url_; }
    // Seconds the service asks between two requests of one search; 0 when it asks nothing.
    int PageIntervalSeconds() const { return pageIntervalSeconds_; }

    // Removes every "</PAGE_INTERVAL_n/>" (n whole seconds) from url and returns the largest n,
    // at most kMaxPageInterval; 0 when there is none.
    static int TakePageInterval(std::string& url);
    static constexpr int kMaxPageInterval = 60;

  private:
    std::string url_;
    bool pagesByNumber_ = false;
    int firstPage_ = 1;
    int pageIntervalSeconds_ = 0;
};

}  // namespace quexa::engines
