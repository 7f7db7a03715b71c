#include "demo_farm/fake_engine.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <set>
#include <utility>

#include "demo_farm/page_writer.h"

namespace quexa::demo {

namespace {

constexpr int kSlugLimit = 32;
constexpr std::string_view kHost = "127.0.0.1";

std::string Root(int port) {
    return "http://" + std::string(kHost) + ":" + std::to_string(port);
}

// The query as a word list safe in ids, titles and paths: ASCII letters and digits, every other
// run of bytes one "-".
std::string Slug(std::string_view query) {
    std::string slug;
    for (const char c : query) {
        const bool alnum =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (alnum) {
            slug.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        } else if (!slug.empty() && slug.back() != '-') {
            slug.push_back('-');
        }
        if (slug.size() >= kSlugLimit) {
            break;
        }
    }
    while (!slug.empty() && slug.back() == '-') {
        slug.pop_back();
    }
    return slug.empty() ? "none" : slug;
}

// Percent-encodes everything but the unreserved characters, so a next-page link holds no "&",
// ";" or blank of the query.
std::string EncodeQuery(std::string_view query) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : query) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        if (unreserved) {
            out.push_back(c);
        } else {
            out += '%';
            out += kDigits[byte >> 4];
            out += kDigits[byte & 15];
        }
    }
    return out;
}

std::string Replace(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

// Titles of the markup engine: what the page says, and what a search lists after tag removal
// and both reference passes. "{n}" stands for the item number. A styling tag such as <i>
// vanishes and leaves the blanks beside it as they were.
struct MarkupTitle {
    std::string_view raw;
    std::string_view expected;
};
constexpr std::array<MarkupTitle, 4> kMarkupTitles{{
    {"Result {n} &amp; <i>more</i>", "Result {n} & more"},
    {"Caf&eacute; &lt;{n}&gt; &amp;amp;", "Caf\xC3\xA9 <{n}> &"},
    {"Demo&copy;Farm&nbsp;{n}", "Demo (c) Farm {n}"},
    {"&#65;&#66;C &#160;item {n}", "ABC item {n}"},
}};
constexpr std::string_view kMarkupPreview = "<p>Preview of result {n} &gt; page {p}</p>";
constexpr std::string_view kMarkupPreviewExpected = "Preview of result {n} > page {p}";

std::string Fill(std::string_view text, int number, int ordinal) {
    return Replace(Replace(std::string(text), "{n}", std::to_string(number)), "{p}",
                   std::to_string(ordinal));
}

// One item as the generator writes it and as a search lists it.
struct GeneratedItem {
    std::string link;  // the text in the page's link attribute
    std::string rawTitle;
    std::string rawPreview;
    ExpectedItem expected;
};

struct ItemTemplate {
    std::string_view source;  // the template text in the engine file
    // The page's markup; LINK, TITLE and PREVIEW are put in. One line break inside shows that
    // items may span lines.
    std::string_view markup;
};

ItemTemplate TemplateFor(const FakeEngine::Shape& shape) {
    if (shape.paging == Paging::kNumberedBaseZero) {
        return {
            "<tr class=\"hit\"><td>*TAB*<a href=\"*URL*\">*TITLE*</a></td>"
            "<td class=\"text\">*PREVIEW*</td></tr>",
            "<tr class=\"hit\"><td>\t<a href=\"LINK\">TITLE</a></td>\n"
            "<td class=\"text\">PREVIEW</td></tr>"};
    }
    switch (shape.links) {
        case LinkStyle::kRedirect:
            return {
                "<div class=\"hit\"><a class=\"title\" href=\"*URL*\">*TITLE*</a>"
                "<div class=\"desc\">*PREVIEW*</div></div>",
                "<div class=\"hit\"><a class=\"title\" href=\"LINK\">TITLE</a>\n"
                "<div class=\"desc\">PREVIEW</div></div>"};
        case LinkStyle::kRelative:
            // Preview first, location last: the values come in the template's order.
            return {
                "<li class=\"entry\"><span class=\"about\">*PREVIEW*</span>"
                "<b class=\"name\">*TITLE*</b> <a href=\"*URL*\">open</a></li>",
                "<li class=\"entry\"><span class=\"about\">PREVIEW</span>\n"
                "<b class=\"name\">TITLE</b> <a href=\"LINK\">open</a></li>"};
        case LinkStyle::kMarkup:
            // The link keeps its quotes: finishing removes them.
            return {
                "<div class=\"r\"><a class=\"t\" href=*URL*>*TITLE*</a>"
                "<div class=\"s\">*PREVIEW*</div></div>",
                "<div class=\"r\"><a class=\"t\" href=\"LINK\">TITLE</a>\n"
                "<div class=\"s\">PREVIEW</div></div>"};
        case LinkStyle::kPlain:
            break;
    }
    return {
        "<div class=\"result\"><h3><a href=\"*URL*\">*TITLE*</a></h3>"
        "<p class=\"snippet\">*PREVIEW*</p></div>",
        "<div class=\"result\"><h3><a href=\"LINK\">TITLE</a></h3>\n"
        "<p class=\"snippet\">PREVIEW</p></div>"};
}

constexpr std::string_view kForwardNext = "<a class=\"next\" href=\"*URL*\">Next page</a>";
constexpr std::string_view kBackwardNext = "<a href=\"</ENDFIRST/>*URL*\">More results</a>";
constexpr std::string_view kRedirectRule = "<URL>to=*URL*&from=</URL>";

std::string RootRule(int port) {
    return "<URLROOT>" + Root(port) + "</URLROOT>";
}

std::vector<FakeEngine> BuildDemoSet() {
    using K = LocationKind;
    std::vector<FakeEngine> engines;
    const auto add = [&engines](FakeEngine::Shape shape) {
        engines.emplace_back(std::move(shape));
    };
    add({.name = "Demo Numbered",
         .key = "numbered",
         .purpose = "numbered paging from 1, shares locations with other engines",
         .sharesLocations = true});
    add({.name = "Demo Base Zero",
         .key = "base-zero",
         .purpose = "numbered paging from 0, a TAB in its template",
         .paging = Paging::kNumberedBaseZero,
         .sharesLocations = true});
    add({.name = "Demo Next Link",
         .key = "next-link",
         .purpose = "link paging (forward search), click-through links and an extraction rule",
         .paging = Paging::kLinkForward,
         .links = LinkStyle::kRedirect,
         .sharesLocations = true});
    add({.name = "Demo Last Link",
         .key = "last-link",
         .purpose = "link paging (backward search) with a next-page root, relative links and a "
                    "root rule, preview before title",
         .paging = Paging::kLinkBackward,
         .links = LinkStyle::kRelative,
         .sharesLocations = true});
    add({.name = "Demo Markup",
         .key = "markup",
         .purpose = "tags and character references in titles and previews, quoted links",
         .links = LinkStyle::kMarkup,
         .pages = 2});
    add({.name = "Demo Statuses",
         .key = "statuses",
         .purpose = "result locations answering 200, 301, 302, 404, 500 and never",
         .pages = 1,
         .itemsPerPage = 6,
         .locationKinds = {K::kOk, K::kMovedPermanently, K::kFound, K::kNotFound, K::kServerError,
                           K::kNever}});
    add({.name = "Demo Slow",
         .key = "slow",
         .purpose = "every page a second late",
         .fault = Fault::kSlow,
         .pages = 2,
         .itemsPerPage = 3,
         .sharesLocations = true});
    add({.name = "Demo Broken",
         .key = "broken",
         .purpose = "the first page is fine, every later one answers 500",
         .fault = Fault::kServerError});
    add({.name = "Demo Dropped",
         .key = "dropped",
         .purpose = "every answer breaks off before the first item",
         .paging = Paging::kLinkForward,
         .fault = Fault::kConnectionClosed,
         .pages = 2});
    add({.name = "Demo Loop",
         .key = "loop",
         .purpose = "link paging whose last page links back to the one before it",
         .paging = Paging::kLinkForward,
         .pages = 3,
         .tail = Tail::kLoop});
    add({.name = "Demo Endless",
         .key = "endless",
         .purpose = "link paging on and on through pages without items",
         .paging = Paging::kLinkForward,
         .pages = 1,
         .tail = Tail::kEmptyPages});
    add({.name = "Demo Echo",
         .key = "echo",
         .purpose = "link paging on and on through pages repeating the items of the last",
         .paging = Paging::kLinkForward,
         .pages = 2,
         .itemsPerPage = 3,
         .tail = Tail::kRepeatedPages});
    return engines;
}

bool ParseInt(std::string_view text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

FakeEngine::FakeEngine(Shape shape) : shape_(std::move(shape)) {
    if (shape_.locationKinds.empty()) {
        shape_.locationKinds.push_back(LocationKind::kOk);
    }
}

const std::vector<FakeEngine>& FakeEngine::DemoSet() {
    static const std::vector<FakeEngine> engines = BuildDemoSet();
    return engines;
}

FakeEngine FakeEngine::Bench(int index, int pages, int itemsPerPage) {
    char name[32];
    std::snprintf(name, sizeof name, "Bench %02d", index);
    return FakeEngine({.name = name,
                       .key = "bench-" + std::to_string(index) + "-" + std::to_string(pages) + "-" +
                              std::to_string(itemsPerPage),
                       .purpose = "benchmark engine",
                       .pages = pages,
                       .itemsPerPage = itemsPerPage});
}

std::optional<FakeEngine> FakeEngine::FromKey(std::string_view key) {
    for (const FakeEngine& engine : DemoSet()) {
        if (engine.key() == key) {
            return engine;
        }
    }
    constexpr std::string_view kBench = "bench-";
    if (!key.starts_with(kBench)) {
        return std::nullopt;
    }
    std::array<int, 3> numbers{};
    std::string_view rest = key.substr(kBench.size());
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::size_t dash = i + 1 < numbers.size() ? rest.find('-') : rest.size();
        if (dash == std::string_view::npos || !ParseInt(rest.substr(0, dash), numbers[i]) ||
            numbers[i] < 0) {
            return std::nullopt;
        }
        rest = dash < rest.size() ? rest.substr(dash + 1) : std::string_view();
    }
    constexpr int kBenchLimit = 10000;
    if (numbers[1] > kBenchLimit || numbers[2] > kBenchLimit) {
        return std::nullopt;
    }
    return Bench(numbers[0], numbers[1], numbers[2]);
}

std::string FakeEngine::FileName() const {
    return shape_.key + ".qzf";
}

std::string FakeEngine::SearchPath() const {
    return "/engine/" + shape_.key + "/search";
}

int FakeEngine::FirstPage() const {
    return shape_.paging == Paging::kNumberedBaseZero ? 0 : 1;
}

std::string FakeEngine::Source(int port) const {
    std::string search = Root(port) + SearchPath() + "?q=_QUERY_";
    std::string nextPage;
    std::string nextPageRoot;
    switch (shape_.paging) {
        case Paging::kNumbered:
            search += "&amp;page=*PAGE_NUMBER*";
            break;
        case Paging::kNumberedBaseZero:
            search += "&amp;page=*PAGE_NUMBER*</PAGE_NUMBER_BASE_ZERO/>";
            break;
        case Paging::kLinkForward:
            nextPage = kForwardNext;
            break;
        case Paging::kLinkBackward:
            nextPage = kBackwardNext;
            nextPageRoot = Root(port);
            break;
    }
    std::string rules;
    if (shape_.links == LinkStyle::kRedirect) {
        rules = kRedirectRule;
    } else if (shape_.links == LinkStyle::kRelative) {
        rules = RootRule(port);
    }
    std::string source = "# Demo farm engine: " + shape_.purpose + "\n";
    source += "name=" + shape_.name + "\n";
    source += "website=" + Root(port) + "/engine/" + shape_.key + "/\n";
    if (!rules.empty()) {
        source += "url_rules=" + rules + "\n";
    }
    source += "item_templates=" + std::string(TemplateFor(shape_).source) + "\n";
    if (!nextPage.empty()) {
        source += "next_page_templates=" + nextPage + "\n";
    }
    if (!nextPageRoot.empty()) {
        source += "next_page_root=" + nextPageRoot + "\n";
    }
    source += "search_url=" + search + "\n";
    return source;
}

namespace {

// The page's place among the engine's pages: 1 for the first one whatever its number.
int Ordinal(const FakeEngine& engine, int page) {
    return page - engine.FirstPage() + 1;
}

bool PageFails(const FakeEngine::Shape& shape, int ordinal) {
    return shape.fault == Fault::kServerError && ordinal > 1;
}

GeneratedItem MakeItem(const FakeEngine::Shape& shape, std::string_view query, int ordinal,
                       int index, int port) {
    const std::string slug = Slug(query);
    const int number = (ordinal - 1) * shape.itemsPerPage + index;
    const bool shared = shape.sharesLocations && index == 1;
    const LocationKind kind =
        shared
            ? LocationKind::kOk
            : shape
                  .locationKinds[static_cast<std::size_t>(number - 1) % shape.locationKinds.size()];
    const std::string id = shared ? "shared-" + slug + "-" + std::to_string(ordinal)
                                  : shape.key + "-" + slug + "-" + std::to_string(number);
    const std::string path = LocationPath(kind, id);

    GeneratedItem item;
    item.expected.location = Root(port) + path;
    switch (shape.links) {
        case LinkStyle::kRedirect:
            item.link = Root(port) + "/click?to=" + std::string(kHost) + ":" +
                        std::to_string(port) + path + "&amp;from=" + shape.key;
            break;
        case LinkStyle::kRelative:
            item.link = path;
            break;
        case LinkStyle::kPlain:
        case LinkStyle::kMarkup:
            item.link = item.expected.location;
            break;
    }
    if (shape.links == LinkStyle::kMarkup) {
        const MarkupTitle& title =
            kMarkupTitles[static_cast<std::size_t>(number - 1) % kMarkupTitles.size()];
        item.rawTitle = Fill(title.raw, number, ordinal);
        item.expected.title = Fill(title.expected, number, ordinal);
        item.rawPreview = Fill(kMarkupPreview, number, ordinal);
        item.expected.preview = Fill(kMarkupPreviewExpected, number, ordinal);
        return item;
    }
    item.rawTitle =
        (shared ? "Shared result " + std::to_string(ordinal) : "Result " + std::to_string(number)) +
        " of " + shape.name + " for " + slug;
    item.rawPreview = "Page " + std::to_string(ordinal) + ", item " + std::to_string(index) +
                      " of " + shape.name + ".";
    item.expected.title = item.rawTitle;
    item.expected.preview = item.rawPreview;
    return item;
}

std::vector<GeneratedItem> PageItems(const FakeEngine& engine, std::string_view query, int page,
                                     int port) {
    const FakeEngine::Shape& shape = engine.shape();
    int ordinal = Ordinal(engine, page);
    if (shape.tail == Tail::kRepeatedPages && ordinal > shape.pages) {
        ordinal = shape.pages;
    }
    std::vector<GeneratedItem> items;
    if (ordinal < 1 || ordinal > shape.pages || PageFails(shape, ordinal)) {
        return items;
    }
    for (int index = 1; index <= shape.itemsPerPage; ++index) {
        items.push_back(MakeItem(shape, query, ordinal, index, port));
    }
    return items;
}

bool IsLinkPaging(Paging paging) {
    return paging == Paging::kLinkForward || paging == Paging::kLinkBackward;
}

// The link to the engine's page of that ordinal, as the page writes it (before the root).
std::string PageLink(const FakeEngine& engine, std::string_view query, int ordinal) {
    return engine.SearchPath() + "?q=" + EncodeQuery(query) +
           "&amp;page=" + std::to_string(ordinal);
}

// The page the next-page link of that page leads to, or nothing when it has none.
std::optional<int> NextOrdinal(const FakeEngine::Shape& shape, int ordinal) {
    if (ordinal < 1) {
        return std::nullopt;
    }
    if (ordinal < shape.pages) {
        return ordinal + 1;
    }
    switch (shape.tail) {
        case Tail::kEnd:
            return std::nullopt;
        case Tail::kLoop:
            return std::max(ordinal - 1, 1);
        case Tail::kEmptyPages:
        case Tail::kRepeatedPages:
            break;
    }
    return ordinal + 1;
}

void WriteNavigation(const FakeEngine& engine, std::string_view query, int ordinal, int port,
                     PageWriter& writer) {
    const FakeEngine::Shape& shape = engine.shape();
    const std::optional<int> next = NextOrdinal(shape, ordinal);
    const bool hasNext = next.has_value();
    if (shape.paging == Paging::kLinkForward) {
        std::string nav = "<div class=\"nav\">";
        if (ordinal > 1) {
            nav += "<a class=\"prev\" href=\"" + Root(port) + PageLink(engine, query, ordinal - 1) +
                   "\">Previous page</a> ";
        }
        if (hasNext) {
            nav += Replace(std::string(kForwardNext), "*URL*",
                           Root(port) + PageLink(engine, query, *next));
        }
        writer.Line(nav + "</div>");
    } else if (shape.paging == Paging::kLinkBackward) {
        // Every page number is a link of the same form; only the last one before the fixed
        // text is the next page.
        std::string nav = "<div class=\"pages\">Pages:";
        for (int other = 1; other <= shape.pages; ++other) {
            nav += " <a href=\"" + PageLink(engine, query, other) + "\">" + std::to_string(other) +
                   "</a>";
        }
        if (hasNext) {
            nav += " <a href=\"" + PageLink(engine, query, *next) + "\">More results</a>";
        }
        writer.Line(nav + "</div>");
    }
}

}  // namespace

int FakeEngine::PageStatus(int page) const {
    return PageFails(shape_, Ordinal(*this, page)) ? 500 : 200;
}

std::string FakeEngine::PageHtml(std::string_view query, int page, int port) const {
    const std::string slug = Slug(query);
    const int ordinal = Ordinal(*this, page);
    PageWriter writer(shape_.name + ": " + slug + ", page " + std::to_string(page));
    writer.Line("<h1>" + shape_.name + "</h1>");
    if (PageFails(shape_, ordinal)) {
        writer.Line("<p class=\"error\">Internal error while searching for " + slug + ".</p>");
        return writer.Finish();
    }
    const std::vector<GeneratedItem> items = PageItems(*this, query, page, port);
    if (items.empty()) {
        writer.Line("<p class=\"none\">No more results for " + slug + ".</p>");
    }
    const ItemTemplate itemTemplate = TemplateFor(shape_);
    for (const GeneratedItem& item : items) {
        std::string markup(itemTemplate.markup);
        markup = Replace(std::move(markup), "LINK", item.link);
        markup = Replace(std::move(markup), "TITLE", item.rawTitle);
        markup = Replace(std::move(markup), "PREVIEW", item.rawPreview);
        writer.Line(markup);
    }
    WriteNavigation(*this, query, ordinal, port, writer);
    return writer.Finish();
}

std::vector<ExpectedItem> FakeEngine::ExpectedItems(std::string_view query, int page,
                                                    int port) const {
    std::vector<ExpectedItem> expected;
    if (shape_.fault == Fault::kConnectionClosed) {
        return expected;
    }
    for (GeneratedItem& item : PageItems(*this, query, page, port)) {
        expected.push_back(std::move(item.expected));
    }
    return expected;
}

std::string FakeEngine::ExpectedNextPageUrl(std::string_view query, int page, int port) const {
    const int ordinal = Ordinal(*this, page);
    const std::optional<int> next = NextOrdinal(shape_, ordinal);
    if (!IsLinkPaging(shape_.paging) || shape_.fault == Fault::kConnectionClosed ||
        PageFails(shape_, ordinal) || !next) {
        return {};
    }
    // Extraction decodes the "&amp;" of the page.
    return Root(port) + Replace(PageLink(*this, query, *next), "&amp;", "&");
}

std::vector<ExpectedItem> FakeEngine::ExpectedSearch(std::string_view query, int returnNumber,
                                                     int port) const {
    std::vector<ExpectedItem> listed;
    std::set<std::string> locations;
    std::set<int> fetched;
    int counted = 0;
    const auto reached = [&] { return returnNumber != -1 && counted >= returnNumber; };
    // Guards against a shape that never ends; no engine has this many pages.
    constexpr std::size_t kPageLimit = 100000;
    const std::size_t pageLimit =
        returnNumber == -1 ? kPageLimit : static_cast<std::size_t>(std::max(returnNumber, 1));
    for (int page = FirstPage(); fetched.size() < pageLimit && fetched.insert(page).second;) {
        int fresh = 0;
        for (const ExpectedItem& item : ExpectedItems(query, page, port)) {
            ++counted;
            if (locations.insert(item.location).second) {
                ++fresh;
                listed.push_back(item);
            }
            if (reached()) {
                return listed;
            }
        }
        if (fresh == 0) {
            break;
        }
        if (!IsLinkPaging(shape_.paging)) {
            ++page;
            continue;
        }
        if (ExpectedNextPageUrl(query, page, port).empty()) {
            break;
        }
        page = *NextOrdinal(shape_, Ordinal(*this, page)) + FirstPage() - 1;
    }
    return listed;
}

}  // namespace quexa::demo
