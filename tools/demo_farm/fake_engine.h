#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "demo_farm/location_kind.h"

namespace quexa::demo {

// How an engine reaches its later result pages.
enum class Paging { kNumbered, kNumberedBaseZero, kLinkForward, kLinkBackward };

// How an engine writes the links of its items, and which URL rule turns them into locations.
enum class LinkStyle {
    kPlain,     // absolute links, no URL rule
    kRedirect,  // click-through links; an extraction rule takes the location out of them
    kRelative,  // links without host; a root rule puts the farm's address in front
    kMarkup,    // plain links, but titles and previews full of tags and character references
};

// Where the next-page links of a link-paging engine lead after its last page with new items.
enum class Tail {
    kEnd,            // the last page has no next link
    kLoop,           // the last page links back to the one before it
    kEmptyPages,     // every page links to the next one; those after the last are empty
    kRepeatedPages,  // every page links to the next one; those after the last repeat its items
};

// What goes wrong when the engine is asked for a page.
enum class Fault {
    kNone,
    kSlow,              // every page takes FakeEngine::kSlowDelay longer
    kServerError,       // the first page is fine, every later one answers 500 with no items
    kConnectionClosed,  // every page starts a 200 answer and drops the connection
};

// One result item as a search lists it: after extraction, URL rules and both reference passes.
struct ExpectedItem {
    std::string title;
    std::string location;
    std::string preview;
    bool operator==(const ExpectedItem&) const = default;
};

// A fake search engine of the farm. Its pages are generated from the query and the page number
// alone, so what each page yields is known in advance. Page numbers are those of the engine's own
// URLs: numbered engines count from FirstPage(), link-paging engines from 1.
class FakeEngine {
  public:
    static constexpr std::chrono::milliseconds kSlowDelay{1000};

    struct Shape {
        std::string name;  // the engine name in its file: every item's SearchTarget
        std::string key;   // path segment: the engine is served under /engine/KEY/
        std::string purpose;
        Paging paging = Paging::kNumbered;
        LinkStyle links = LinkStyle::kPlain;
        Fault fault = Fault::kNone;
        int pages = 3;  // pages holding items; later pages are empty / have no next link
        int itemsPerPage = 4;
        bool sharesLocations = false;  // the first item of every page is shared with other engines
        Tail tail = Tail::kEnd;        // link paging only
        std::vector<LocationKind> locationKinds{LocationKind::kOk};  // cycled over the items
    };

    explicit FakeEngine(Shape shape);

    // The demo set: every paging kind, both URL rules, shared locations, references and tags in
    // titles, a slow engine, two failing ones and three whose next-page links never end (round
    // in a loop, on through empty pages, on through pages repeating the last). Pages hold fewer
    // than 10 items, so a search with the system scheme (10 results per engine) still pages.
    static const std::vector<FakeEngine>& DemoSet();
    // "Bench NN", numbered paging, served under /engine/bench-INDEX-PAGES-ITEMS/. With 5 pages of
    // 2 items a search with the system scheme fetches all 5 pages of every engine.
    static FakeEngine Bench(int index, int pages, int itemsPerPage);
    // The engine served under this key: one of the demo set or a benchmark engine.
    static std::optional<FakeEngine> FromKey(std::string_view key);

    const Shape& shape() const { return shape_; }
    const std::string& name() const { return shape_.name; }
    const std::string& key() const { return shape_.key; }

    // The readable engine source (key=value lines) for a farm listening on that port.
    std::string Source(int port) const;
    // The file name of its engine file in the category folder ("numbered.qzf").
    std::string FileName() const;
    // The path of its result pages, "/engine/KEY/search"; the query is in "q", the page in "page".
    std::string SearchPath() const;
    // The page number of the first page the search URL asks for: 0 with base zero, else 1.
    int FirstPage() const;

    // The HTTP status the farm answers that page with: 500 for the failing pages of
    // Fault::kServerError, else 200.
    int PageStatus(int page) const;
    // The body of the answer for that page (the farm adds latency and the dropped connection).
    std::string PageHtml(std::string_view query, int page, int port) const;
    // What that page yields through the engine's templates and URL rules.
    std::vector<ExpectedItem> ExpectedItems(std::string_view query, int page, int port) const;
    // The next-page link that page holds, as extraction finds it; empty for numbered engines and
    // for the last page.
    std::string ExpectedNextPageUrl(std::string_view query, int page, int port) const;
    // Every item a search with that return number (-1: no limit) lists from this engine, in
    // order, with the items of failing pages left out. The search ends at a link back to a page
    // it fetched and after a page without new items; the return number bounds the items (a
    // repeated one counts but is listed once) and the pages.
    std::vector<ExpectedItem> ExpectedSearch(std::string_view query, int returnNumber,
                                             int port) const;

  private:
    Shape shape_;
};

}  // namespace quexa::demo
