#include "files/html_template.h"

#include <array>
#include <fstream>
#include <iterator>
#include <utility>

#include "core/text.h"
#include "files/html_text.h"

namespace quexa::files {
namespace {

constexpr std::string_view kBuiltInPage =
    "<html>\n"
    "<head>\n"
    "<title>Quexa Search Result - <!-KEY-></title>\n"
    "</head>\n"
    "<BODY BGCOLOR=#FFFFFF>\n"
    "<style>a:link {color: #770000;} a:visited {color: #000077;} a:hover {color: red;}</style>\n"
    "<p align=\"center\"><b><FONT FACE=IMPACT SIZE=5>Search Result - <!-KEY-></font></b></p>\n"
    "<hr>\n"
    "<!--ITEM-->\n"
    "<table border=\"0\" width=\"100%\" bgcolor=\"#FFFFFF\">\n"
    "<tr>\n"
    "\t<td width=\"100%\" bgcolor=\"#CCCCFF\">\n"
    "\t\t<b><a href=\"<!--URL-->\" target=_blank><!--TITLE--></a></b>\n"
    "\t</td>\n"
    "</tr>\n"
    "<tr>\n"
    "\t<td width=\"100%\">\n"
    "\t\t<font name=\"arial\" size=2 color=\"#bbbbbb\">From->&nbsp;<!--ENGINE--></font>\n"
    "\t</td>\n"
    "</tr>\n"
    "<tr>\n"
    "\t<td width=\"100%\">\n"
    "\t\t<!--PREVIEW-->\n"
    "\t</td>\n"
    "</tr>\n"
    "</table>\n"
    "<!--/ITEM-->\n"
    "<hr>\n"
    "<p align=center>\n"
    "<FONT FACE=IMPACT SIZE=3>Exported by Quexa</FONT></p>\n"
    "</body>\n"
    "</html>\n";

// A line ends with a line feed, or a carriage return and a line feed.
std::string JoinLines(std::string text) {
    std::string joined;
    joined.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            continue;
        }
        joined += text[i];
    }
    return joined;
}

}  // namespace

std::string_view HtmlTemplate::BuiltInPage() {
    return kBuiltInPage;
}

std::string HtmlTemplate::ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::string(kBuiltInPage);
    }
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return JoinLines(std::move(text));
}

std::optional<HtmlTemplate> HtmlTemplate::Parse(std::string_view text, std::string_view keywords) {
    const std::string page = core::ReplaceAll(text, kKeyMarker, KeepInlineMarkup(keywords));
    const std::size_t start = core::Find(page, kItemMarker);
    if (start == core::npos) {
        return std::nullopt;
    }
    const std::size_t blockStart = start + kItemMarker.size();
    const std::size_t end = core::Find(page, kItemEndMarker, blockStart);
    if (end == core::npos) {
        return std::nullopt;
    }
    HtmlTemplate parsed;
    parsed.head_ = page.substr(0, start);
    parsed.tail_ = page.substr(end + kItemEndMarker.size());
    parsed.block_ = SplitBlock(std::string_view(page).substr(blockStart, end - blockStart));
    return parsed;
}

std::vector<HtmlTemplate::Piece> HtmlTemplate::SplitBlock(std::string_view block) {
    static constexpr std::array<std::pair<std::string_view, Field>, 4> kMarkers = {{
        {kTitleMarker, Field::Title},
        {kLocationMarker, Field::Location},
        {kTargetMarker, Field::Target},
        {kPreviewMarker, Field::Preview},
    }};
    // Where each marker next stands: one search per marker found keeps a block full of
    // markers linear.
    std::array<std::size_t, kMarkers.size()> next{};
    for (std::size_t m = 0; m < kMarkers.size(); ++m) {
        next[m] = core::Find(block, kMarkers[m].first);
    }
    std::vector<Piece> pieces;
    std::size_t from = 0;
    for (;;) {
        std::size_t nearest = 0;
        for (std::size_t m = 1; m < kMarkers.size(); ++m) {
            if (next[m] < next[nearest]) {
                nearest = m;
            }
        }
        const std::size_t at = next[nearest];
        if (at == core::npos) {
            break;
        }
        pieces.push_back({std::string(block.substr(from, at - from)), Field::None});
        pieces.push_back({{}, kMarkers[nearest].second});
        from = at + kMarkers[nearest].first.size();
        next[nearest] = core::Find(block, kMarkers[nearest].first, from);
    }
    pieces.push_back({std::string(block.substr(from)), Field::None});
    return pieces;
}

void HtmlTemplate::AppendItem(std::string& out, const core::ResultItem& item,
                              const ExportFields& fields) const {
    for (const Piece& piece : block_) {
        switch (piece.field) {
            case Field::None:
                out += piece.text;
                break;
            case Field::Title:
                out += fields.title ? KeepInlineMarkup(item.title) : std::string();
                break;
            case Field::Location:
                out += fields.location ? LinkText(item.location) : std::string();
                break;
            case Field::Target:
                out += fields.target ? KeepInlineMarkup(item.searchTarget) : std::string();
                break;
            case Field::Preview:
                out += fields.preview ? KeepInlineMarkup(item.preview) : std::string();
                break;
        }
    }
}

}  // namespace quexa::files
