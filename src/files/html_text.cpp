#include "files/html_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "core/text.h"

namespace quexa::files {
namespace {

constexpr std::array<std::string_view, 8> kInlineTags = {"b", "i",  "em",   "strong",
                                                         "u", "br", "span", "font"};
// Elements that go with everything up to their end tag.
constexpr std::array<std::string_view, 5> kDroppedElements = {"script", "style", "iframe", "object",
                                                              "applet"};
// Elements without content that go on their own.
constexpr std::array<std::string_view, 1> kDroppedTags = {"embed"};
constexpr std::array<std::string_view, 3> kFontAttributes = {"color", "size", "face"};
constexpr std::array<std::string_view, 5> kScriptSchemes = {"javascript", "vbscript", "livescript",
                                                            "mocha", "data"};

template <std::size_t N>
bool OneOf(const std::array<std::string_view, N>& names, std::string_view name) {
    for (const std::string_view candidate : names) {
        if (candidate == name) {
            return true;
        }
    }
    return false;
}

bool IsAsciiAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// The blanks that separate the parts of a tag.
bool IsTagSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

struct Attribute {
    std::string name;
    std::string value;
};

// A tag as a browser would read it at a "<".
struct Tag {
    std::string name;
    bool closing = false;
    std::vector<Attribute> attributes;
    std::size_t end = 0;  // just past the ">"
};

class TagReader {
  public:
    TagReader(std::string_view text, std::size_t at) : text_(text), i_(at + 1) {}

    // Nothing when no tag starts here: no letter after "<", or no ">" closes it.
    std::optional<Tag> Read() {
        Tag tag;
        if (i_ < text_.size() && text_[i_] == '/') {
            tag.closing = true;
            ++i_;
        }
        if (i_ >= text_.size() || !IsAsciiAlpha(text_[i_])) {
            return std::nullopt;
        }
        tag.name = core::AsciiLower(TakeWhileNot("/>", false));
        for (;;) {
            while (i_ < text_.size() && (IsTagSpace(text_[i_]) || text_[i_] == '/')) {
                ++i_;
            }
            if (i_ >= text_.size()) {
                return std::nullopt;
            }
            if (text_[i_] == '>') {
                tag.end = i_ + 1;
                return tag;
            }
            std::optional<Attribute> attribute = ReadAttribute();
            if (!attribute) {
                return std::nullopt;
            }
            tag.attributes.push_back(std::move(*attribute));
        }
    }

  private:
    // The text up to a blank or one of stops; the first character is always taken.
    std::string_view TakeWhileNot(std::string_view stops, bool withEquals) {
        const std::size_t start = i_++;
        while (i_ < text_.size() && !IsTagSpace(text_[i_]) &&
               stops.find(text_[i_]) == std::string_view::npos &&
               !(withEquals && text_[i_] == '=')) {
            ++i_;
        }
        return text_.substr(start, i_ - start);
    }

    void SkipBlanks() {
        while (i_ < text_.size() && IsTagSpace(text_[i_])) {
            ++i_;
        }
    }

    std::optional<Attribute> ReadAttribute() {
        Attribute attribute{core::AsciiLower(TakeWhileNot("/>", true)), {}};
        const std::size_t afterName = i_;
        SkipBlanks();
        if (i_ >= text_.size() || text_[i_] != '=') {
            i_ = afterName;
            return attribute;
        }
        ++i_;
        SkipBlanks();
        if (i_ >= text_.size()) {
            return std::nullopt;
        }
        const char quote = text_[i_];
        if (quote == '"' || quote == '\'') {
            const std::size_t close = text_.find(quote, i_ + 1);
            if (close == std::string_view::npos) {
                return std::nullopt;
            }
            attribute.value = text_.substr(i_ + 1, close - i_ - 1);
            i_ = close + 1;
            return attribute;
        }
        if (text_[i_] == '>') {
            return attribute;
        }
        attribute.value = TakeWhileNot(">", false);
        return attribute;
    }

    std::string_view text_;
    std::size_t i_;
};

void AppendTextChar(std::string& out, char c) {
    switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
            break;
    }
}

// A font value that can't carry anything but a colour, a size or a list of font names.
bool IsPlainValue(std::string_view value) {
    if (value.empty()) {
        return false;
    }
    for (const char c : value) {
        if (!IsAsciiAlpha(c) && !IsAsciiDigit(c) &&
            std::string_view(" #,-.+").find(c) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

class MarkupFilter {
  public:
    explicit MarkupFilter(std::string_view text) : text_(text), lower_(core::AsciiLower(text)) {}

    std::string Run() {
        std::size_t i = 0;
        while (i < text_.size()) {
            i = text_[i] == '<' ? AtAngle(i) : Text(i);
        }
        while (!open_.empty()) {
            CloseTop();
        }
        return std::move(out_);
    }

  private:
    std::size_t Text(std::size_t i) {
        AppendTextChar(out_, text_[i]);
        return i + 1;
    }

    std::size_t AtAngle(std::size_t i) {
        const std::optional<Tag> tag = TagReader(text_, i).Read();
        if (!tag) {
            return Text(i);
        }
        if (OneOf(kDroppedElements, tag->name)) {
            return tag->closing ? tag->end : SkipElement(tag->name, tag->end);
        }
        if (OneOf(kDroppedTags, tag->name)) {
            return tag->end;
        }
        if (!OneOf(kInlineTags, tag->name)) {
            return Text(i);
        }
        if (tag->name == "br") {
            out_ += "<br>";
        } else if (tag->closing) {
            Close(tag->name);
        } else {
            Open(*tag);
        }
        return tag->end;
    }

    // Past the end tag of the element, or the end of the text when it has none.
    std::size_t SkipElement(std::string_view name, std::size_t from) const {
        const std::string endTag = "</" + std::string(name);
        for (std::size_t at = core::Find(lower_, endTag, from); at != core::npos;
             at = core::Find(lower_, endTag, at + 1)) {
            const std::size_t after = at + endTag.size();
            if (after < text_.size() &&
                (IsTagSpace(text_[after]) || text_[after] == '/' || text_[after] == '>')) {
                const std::size_t close = text_.find('>', after);
                return close == std::string_view::npos ? text_.size() : close + 1;
            }
        }
        return text_.size();
    }

    void Open(const Tag& tag) {
        out_ += '<';
        out_ += tag.name;
        if (tag.name == "font") {
            AppendFontAttributes(tag);
        }
        out_ += '>';
        open_.push_back(tag.name);
    }

    // The first of each kind counts, as in a browser.
    void AppendFontAttributes(const Tag& tag) {
        std::vector<std::string_view> seen;
        for (const Attribute& attribute : tag.attributes) {
            if (!OneOf(kFontAttributes, attribute.name) ||
                std::find(seen.begin(), seen.end(), attribute.name) != seen.end()) {
                continue;
            }
            seen.push_back(attribute.name);
            if (IsPlainValue(attribute.value)) {
                out_ += ' ' + attribute.name + "=\"" + attribute.value + '"';
            }
        }
    }

    // An end tag without its start tag in this text is dropped: it would close the page's own.
    void Close(const std::string& name) {
        if (std::find(open_.begin(), open_.end(), name) == open_.end()) {
            return;
        }
        while (open_.back() != name) {
            CloseTop();
        }
        CloseTop();
    }

    void CloseTop() {
        out_ += "</" + open_.back() + '>';
        open_.pop_back();
    }

    std::string_view text_;
    std::string lower_;
    std::string out_;
    std::vector<std::string> open_;
};

}  // namespace

std::string KeepInlineMarkup(std::string_view text) {
    return MarkupFilter(text).Run();
}

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '&') {
            out += "&amp;";
        } else {
            AppendTextChar(out, c);
        }
    }
    return out;
}

bool IsScriptLink(std::string_view location) {
    std::string scheme;
    bool started = false;
    for (const char c : location) {
        if (c == '\t' || c == '\n' || c == '\r') {
            continue;
        }
        if (!started && static_cast<unsigned char>(c) <= 0x20) {
            continue;
        }
        if (c == ':') {
            return started && OneOf(kScriptSchemes, core::AsciiLower(scheme));
        }
        const bool schemeChar =
            started ? IsAsciiAlpha(c) || IsAsciiDigit(c) || c == '+' || c == '-' || c == '.'
                    : IsAsciiAlpha(c);
        if (!schemeChar) {
            return false;
        }
        started = true;
        scheme += c;
    }
    return false;
}

std::string LinkText(std::string_view location) {
    return IsScriptLink(location) ? std::string() : EscapeHtml(location);
}

}  // namespace quexa::files
