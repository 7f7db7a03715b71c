// A template file, key words and the texts of an item come from anywhere. Parsing must
// survive any bytes, and whatever the texts hold, the markup they bring into the page is only
// the simple inline tags, balanced, and no link runs script.
//
// Input: template, key words, title, location, search target and preview, separated by 0x01.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result_item.h"
#include "files/export_fields.h"
#include "files/html_template.h"
#include "files/html_text.h"

namespace {

using quexa::files::HtmlTemplate;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::vector<std::string_view> Parts(std::string_view input, std::size_t count) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < count) {
        const std::size_t cut = input.find('\x01');
        if (cut == std::string_view::npos) {
            break;
        }
        parts.push_back(input.substr(0, cut));
        input.remove_prefix(cut + 1);
    }
    parts.push_back(input);
    parts.resize(count);
    return parts;
}

bool IsPlainValueChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view(" #,-.+").find(c) != std::string_view::npos;
}

// Past the font attributes at i, or npos when they are not what the filter writes.
std::size_t SkipFontAttributes(std::string_view text, std::size_t i) {
    while (i < text.size() && text[i] == ' ') {
        std::size_t j = i + 1;
        while (j < text.size() && text[j] >= 'a' && text[j] <= 'z') {
            ++j;
        }
        const std::string_view name = text.substr(i + 1, j - i - 1);
        if ((name != "color" && name != "size" && name != "face") || text.substr(j, 2) != "=\"") {
            return std::string_view::npos;
        }
        j += 2;
        const std::size_t start = j;
        while (j < text.size() && IsPlainValueChar(text[j])) {
            ++j;
        }
        if (j == start || j >= text.size() || text[j] != '"') {
            return std::string_view::npos;
        }
        i = j + 1;
    }
    return i;
}

// Every "<" opens or closes one of the inline tags, nested properly; quotes and ">" stand
// only inside those tags.
void CheckInlineMarkup(std::string_view text) {
    static constexpr std::array<std::string_view, 7> kPaired = {"b", "i",    "em",  "strong",
                                                                "u", "span", "font"};
    std::vector<std::string_view> open;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        Check(c != '>' && c != '"' && c != '\'');
        if (c != '<') {
            ++i;
            continue;
        }
        if (text.substr(i, 4) == "<br>") {
            i += 4;
            continue;
        }
        const bool closing = text.substr(i, 2) == "</";
        std::size_t j = i + (closing ? 2 : 1);
        std::size_t end = j;
        while (end < text.size() && text[end] >= 'a' && text[end] <= 'z') {
            ++end;
        }
        const std::string_view name = text.substr(j, end - j);
        bool known = false;
        for (const std::string_view paired : kPaired) {
            known = known || paired == name;
        }
        Check(known);
        if (!closing && name == "font") {
            end = SkipFontAttributes(text, end);
            Check(end != std::string_view::npos);
        }
        Check(end < text.size() && text[end] == '>');
        if (closing) {
            Check(!open.empty() && open.back() == name);
            open.pop_back();
        } else {
            open.push_back(name);
        }
        i = end + 1;
    }
    Check(open.empty());
}

void CheckLink(std::string_view location) {
    const std::string link = quexa::files::LinkText(location);
    Check(link.find_first_of("<>\"'") == std::string::npos);
    Check(link.empty() || !quexa::files::IsScriptLink(location));
}

void CheckText(std::string_view text) {
    const std::string kept = quexa::files::KeepInlineMarkup(text);
    CheckInlineMarkup(kept);
    Check(quexa::files::KeepInlineMarkup(kept) == kept);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> parts =
        Parts(std::string_view(reinterpret_cast<const char*>(data), size), 6);
    quexa::core::ResultItem item;
    item.title = parts[2];
    item.location = parts[3];
    item.searchTarget = parts[4];
    item.preview = parts[5];
    for (const std::string_view text : {parts[1], parts[2], parts[4], parts[5]}) {
        CheckText(text);
    }
    CheckLink(parts[3]);

    const std::optional<HtmlTemplate> page = HtmlTemplate::Parse(parts[0], parts[1]);
    if (page) {
        std::string out = page->Head();
        page->AppendItem(out, item, quexa::files::ExportFields{});
        out += page->Tail();
        Check(out.size() >= page->Head().size() + page->Tail().size());
    }
    // The same texts through a block that holds nothing but its markers.
    const std::optional<HtmlTemplate> bare = HtmlTemplate::Parse(
        "<!-KEY-><!--ITEM--><!--TITLE--><!--ENGINE--><!--PREVIEW--><!--/ITEM-->", parts[1]);
    Check(bare.has_value());
    std::string fields;
    bare->AppendItem(fields, item, quexa::files::ExportFields{});
    Check(fields == quexa::files::KeepInlineMarkup(item.title) +
                        quexa::files::KeepInlineMarkup(item.searchTarget) +
                        quexa::files::KeepInlineMarkup(item.preview));
    Check(bare->Head() == quexa::files::KeepInlineMarkup(parts[1]));
    return 0;
}
