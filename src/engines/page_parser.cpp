#include "engines/page_parser.h"

#include <algorithm>

#include "core/text.h"
#include "engines/markup.h"

namespace quexa::engines {

namespace {

constexpr std::string_view kTitle = "*TITLE*";
constexpr std::string_view kUrl = "*URL*";
constexpr std::string_view kPreview = "*PREVIEW*";
constexpr std::string_view kTab = "*TAB*";
constexpr std::string_view kEndFirst = "</ENDFIRST/>";
// Item template markers: any text may stand at "*SKIP*"; "</JSON/>" says the values are JSON
// string contents, whose escapes are decoded before anything else; "</XML/>" says they are XML
// text holding markup, whose references are decoded before its tags go.
constexpr std::string_view kSkip = "*SKIP*";
constexpr std::string_view kJson = "</JSON/>";
constexpr std::string_view kXml = "</XML/>";

// Removes every marker from the template; true when there was one.
bool TakeMarker(std::string& itemTemplate, std::string_view marker) {
    if (!core::Contains(itemTemplate, marker)) {
        return false;
    }
    itemTemplate = core::ReplaceAll(itemTemplate, marker, "");
    return true;
}

std::string WithTabs(std::string_view text) {
    return core::ReplaceAll(text, kTab, "\t");
}

// Tags stripped, trimmed and references decoded. With a budget, the text is read only until its
// first budget bytes are settled; most hostile texts settle within a few times their budget.
void CleanText(std::string_view raw, std::string& text, std::size_t budget) {
    budget = std::max<std::size_t>(budget, 1);
    for (std::size_t cap = budget > core::npos / 4 ? core::npos : budget * 4;; cap *= 4) {
        const bool complete = StripTagsInto(raw, text, cap);
        core::TrimInPlace(text);
        if (complete) {
            DecodeEntities(text);
            return;
        }
        DecodeEntitiesOfPrefix(text);
        if (text.size() >= budget) {
            return;
        }
    }
}

}  // namespace

void PageParser::SetPage(std::string page) {
    page_ = std::move(page);
    lineBreaksRemoved_ = false;
    breakMarks_.clear();
    scanPosition_ = 0;
}

void PageParser::SetItemTemplate(std::string_view itemTemplate) {
    itemTemplate_ = WithTabs(itemTemplate);
    jsonValues_ = TakeMarker(itemTemplate_, kJson);
    xmlValues_ = TakeMarker(itemTemplate_, kXml);
}

void PageParser::SetNextPageTemplate(std::string_view nextPageTemplate) {
    nextPageTemplate_ = WithTabs(nextPageTemplate);
}

void PageParser::SetNextPageRoot(std::string_view root) {
    nextPageRoot_ = root;
}

void PageParser::LimitValues(std::size_t titleBytes, std::size_t previewBytes) {
    titleBudget_ = titleBytes;
    previewBudget_ = previewBytes;
}

void PageParser::PrepareItemTemplate() {
    if (!lineBreaksRemoved_) {
        core::RemoveLineBreaks(page_, &breakMarks_);
        lineBreaksRemoved_ = true;
    }
    scanPosition_ = 0;

    struct Placeholder {
        std::size_t position;
        std::string_view text;
        Value value;
    };
    std::array<Placeholder, 3> found{{
        {core::Find(itemTemplate_, kPreview), kPreview, Value::kPreview},
        {core::Find(itemTemplate_, kUrl), kUrl, Value::kLocation},
        {core::Find(itemTemplate_, kTitle), kTitle, Value::kTitle},
    }};
    std::sort(found.begin(), found.end(),
              [](const Placeholder& a, const Placeholder& b) { return a.position < b.position; });

    templateUsable_ = found[2].position != core::npos;
    // Each placeholder cuts what is left after the one before, so a placeholder whose first
    // occurrence overlaps its predecessor is looked for again in that rest.
    std::size_t cut = 0;
    for (std::size_t i = 0; i < found.size() && templateUsable_; ++i) {
        const std::size_t at =
            i == 0 ? found[0].position : core::Find(itemTemplate_, found[i].text, cut);
        if (at == core::npos) {
            templateUsable_ = false;
            break;
        }
        CutDelimiter(i, std::string_view(itemTemplate_).substr(cut, at - cut));
        order_[i] = found[i].value;
        cut = at + found[i].text.size();
    }
    if (templateUsable_) {
        CutDelimiter(3, std::string_view(itemTemplate_).substr(cut));
    }
}

void PageParser::CutDelimiter(std::size_t index, std::string_view text) {
    Delimiter& delimiter = delimiters_[index];
    delimiter.rest.clear();
    std::size_t skip = core::Find(text, kSkip);
    delimiter.first = text.substr(0, skip);
    while (skip != core::npos) {
        const std::size_t from = skip + kSkip.size();
        skip = core::Find(text, kSkip, from);
        delimiter.rest.emplace_back(text.substr(from, skip == core::npos ? skip : skip - from));
    }
}

bool PageParser::FindDelimiter(const Delimiter& delimiter, std::size_t from, std::size_t& start,
                               std::size_t& after) const {
    start = core::Find(page_, delimiter.first, from);
    if (start == core::npos) {
        return false;
    }
    after = start + delimiter.first.size();
    for (const std::string& piece : delimiter.rest) {
        const std::size_t at = core::Find(page_, piece, after);
        if (at == core::npos) {
            return false;
        }
        after = at + piece.size();
    }
    return true;
}

std::size_t PageParser::NextBreak(std::size_t from, std::size_t end) const {
    if (from >= end) {
        return end;
    }
    std::size_t word = from / 64;
    std::uint64_t bits = breakMarks_[word] & (~std::uint64_t{0} << (from % 64));
    while (bits == 0) {
        if (++word * 64 >= end) {
            return end;
        }
        bits = breakMarks_[word];
    }
    return std::min(end, word * 64 + static_cast<std::size_t>(__builtin_ctzll(bits)));
}

std::string_view PageParser::ValueText(std::size_t begin, std::size_t end) {
    const std::string_view raw = std::string_view(page_).substr(begin, end - begin);
    // Only breaks between two bytes of the value count.
    std::size_t at = breakMarks_.empty() ? end : NextBreak(begin + 1, end);
    if (at >= end) {
        return raw;
    }
    valueScratch_.assign(page_, begin, at - begin);
    while (at < end) {
        const std::size_t next = NextBreak(at + 1, end);
        valueScratch_ += ' ';
        valueScratch_.append(page_, at, next - at);
        at = next;
    }
    return valueScratch_;
}

void PageParser::CleanValue(std::string_view raw, std::string& text, std::size_t budget) {
    if (!jsonValues_ && !xmlValues_) {
        CleanText(raw, text, budget);
        return;
    }
    std::string decoded(raw);
    if (jsonValues_) {
        DecodeJsonEscapes(decoded);
    }
    if (xmlValues_) {
        DecodeEntities(decoded);
    }
    CleanText(decoded, text, budget);
}

bool PageParser::ExtractNextItem(std::string& title, std::string& location, std::string& preview) {
    if (!templateUsable_) {
        return false;
    }
    std::array<std::size_t, 4> starts{};  // where each delimiter was found
    std::array<std::size_t, 4> afters{};  // where the text after it begins
    std::size_t from = scanPosition_;
    for (std::size_t i = 0; i < delimiters_.size(); ++i) {
        if (!FindDelimiter(delimiters_[i], from, starts[i], afters[i])) {
            return false;
        }
        from = afters[i];
    }
    // Only a template with no literal text at all can stand still; it would match forever.
    if (from == scanPosition_) {
        return false;
    }
    scanPosition_ = from;

    for (std::size_t i = 0; i < order_.size(); ++i) {
        const std::size_t begin = afters[i];
        const std::size_t end = starts[i + 1];
        switch (order_[i]) {
            case Value::kTitle:
                CleanValue(ValueText(begin, end), title, titleBudget_);
                break;
            case Value::kLocation:
                // A link wrapped over two lines is one link.
                location.assign(page_, begin, end - begin);
                if (jsonValues_) {
                    DecodeJsonEscapes(location);
                }
                core::TrimInPlace(location);
                DecodeEntities(location);
                break;
            case Value::kPreview:
                CleanValue(ValueText(begin, end), preview, previewBudget_);
                break;
        }
    }
    return true;
}

std::string PageParser::ExtractNextPageUrl() const {
    const std::size_t marker = core::Find(nextPageTemplate_, kUrl);
    if (marker == core::npos) {
        return {};
    }
    std::string start = nextPageTemplate_.substr(0, marker);
    std::string end = nextPageTemplate_.substr(marker + kUrl.size());
    std::string link;
    if (core::Contains(nextPageTemplate_, kEndFirst)) {
        start = core::ReplaceAll(start, kEndFirst, "");
        end = core::ReplaceAll(end, kEndFirst, "");
        if (!FindNextPageLink(start, end, link)) {
            return {};
        }
    } else {
        const std::size_t startAt = core::Find(page_, start);
        if (startAt == core::npos) {
            return {};
        }
        const std::size_t linkAt = startAt + start.size();
        const std::size_t endAt = core::Find(page_, end, linkAt);
        if (endAt == core::npos) {
            return {};
        }
        link = page_.substr(linkAt, endAt - linkAt);
    }
    core::TrimInPlace(link);
    core::TrimCharInPlace(link, '"');
    core::TrimInPlace(link);
    if (!nextPageRoot_.empty()) {
        link.insert(0, nextPageRoot_);
    }
    DecodeEntities(link);
    return link;
}

// Backward search: the end text first, then the nearest start text before it.
bool PageParser::FindNextPageLink(std::string_view start, std::string_view end,
                                  std::string& link) const {
    const std::size_t endAt = core::Find(page_, end);
    if (endAt == core::npos || endAt == 0) {
        return false;
    }
    if (start.empty()) {
        // The empty text stands before every position; the nearest is just before the end text.
        link = page_.substr(endAt - 1, 1);
        return true;
    }
    // Only occurrences that begin before the end text count.
    const std::string_view window =
        std::string_view(page_).substr(0, std::min(page_.size(), endAt - 1 + start.size()));
    std::size_t last = core::npos;
    for (std::size_t hit = core::Find(window, start); hit != core::npos;
         hit = core::Find(window, start, hit + start.size())) {
        last = hit;
    }
    if (last == core::npos) {
        return false;
    }
    const std::size_t linkAt = last + start.size();
    link = linkAt < endAt ? page_.substr(linkAt, endAt - linkAt) : std::string();
    return true;
}

}  // namespace quexa::engines
