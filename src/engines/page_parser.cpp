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
    scanPosition_ = 0;
}

void PageParser::SetItemTemplate(std::string_view itemTemplate) {
    itemTemplate_ = WithTabs(itemTemplate);
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
        core::RemoveLineBreaks(page_);
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
        delimiters_[i] = itemTemplate_.substr(cut, at - cut);
        order_[i] = found[i].value;
        cut = at + found[i].text.size();
    }
    if (templateUsable_) {
        delimiters_[3] = itemTemplate_.substr(cut);
    }
}

bool PageParser::ExtractNextItem(std::string& title, std::string& location, std::string& preview) {
    if (!templateUsable_) {
        return false;
    }
    std::array<std::size_t, 4> starts{};  // where each delimiter was found
    std::size_t from = scanPosition_;
    for (std::size_t i = 0; i < delimiters_.size(); ++i) {
        starts[i] = core::Find(page_, delimiters_[i], from);
        if (starts[i] == core::npos) {
            return false;
        }
        from = starts[i] + delimiters_[i].size();
    }
    // Only a template with no literal text at all can stand still; it would match forever.
    if (from == scanPosition_) {
        return false;
    }
    scanPosition_ = from;

    for (std::size_t i = 0; i < order_.size(); ++i) {
        const std::size_t begin = starts[i] + delimiters_[i].size();
        const std::string_view raw = std::string_view(page_).substr(begin, starts[i + 1] - begin);
        switch (order_[i]) {
            case Value::kTitle:
                CleanText(raw, title, titleBudget_);
                break;
            case Value::kLocation:
                location.assign(core::Trim(raw));
                DecodeEntities(location);
                break;
            case Value::kPreview:
                CleanText(raw, preview, previewBudget_);
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
