// The HTML export: the built-in page and template files, the item block and its markers, and
// pages built from hostile texts, read back the way a browser reads them.
#include "files/html_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "core/text.h"
#include "files/html_template.h"
#include "temp_folder.h"

namespace quexa::files {
namespace {

namespace fs = std::filesystem;
using core::ResultItem;
using core::StatusCode;
using core::VisitCode;
using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

ResultItem Item(std::string title, std::string location, std::string target, std::string preview,
                StatusCode status = StatusCode::Normal) {
    ResultItem item;
    item.title = std::move(title);
    item.location = std::move(location);
    item.searchTarget = std::move(target);
    item.preview = std::move(preview);
    item.status = status;
    return item;
}

std::string Export(const core::ResultList& list, std::string_view templateText,
                   std::string_view keywords, const ExportJob& job = {}) {
    const std::optional<HtmlTemplate> page = HtmlTemplate::Parse(templateText, keywords);
    if (!page) {
        return "<no item block>";
    }
    const TempFolder folder;
    const fs::path path = folder.File("page.htm");
    if (!WriteHtmlExport(path, list, *page, job)) {
        return "<write failed>";
    }
    return ReadAll(path);
}

TEST(HtmlExportTest, TheBuiltInPageWithOneItem) {
    core::ResultList list;
    list.AddItem(0,
                 Item("Moss <b>green</b>", "http://moss.example/?a=1&b=2", "Wiki", "Soft & damp"));
    const std::string expected =
        "<html>\n"
        "<head>\n"
        "<title>Quexa Search Result - brindle moss</title>\n"
        "</head>\n"
        "<BODY BGCOLOR=#FFFFFF>\n"
        "<style>a:link {color: #770000;} a:visited {color: #000077;} a:hover {color: "
        "red;}</style>\n"
        "<p align=\"center\"><b><FONT FACE=IMPACT SIZE=5>Search Result - brindle "
        "moss</font></b></p>\n"
        "<hr>\n"
        "\n"
        "<table border=\"0\" width=\"100%\" bgcolor=\"#FFFFFF\">\n"
        "<tr>\n"
        "\t<td width=\"100%\" bgcolor=\"#CCCCFF\">\n"
        "\t\t<b><a href=\"http://moss.example/?a=1&amp;b=2\" target=_blank>Moss "
        "<b>green</b></a></b>\n"
        "\t</td>\n"
        "</tr>\n"
        "<tr>\n"
        "\t<td width=\"100%\">\n"
        "\t\t<font name=\"arial\" size=2 color=\"#bbbbbb\">From->&nbsp;Wiki</font>\n"
        "\t</td>\n"
        "</tr>\n"
        "<tr>\n"
        "\t<td width=\"100%\">\n"
        "\t\tSoft & damp\n"
        "\t</td>\n"
        "</tr>\n"
        "</table>\n"
        "\n"
        "<hr>\n"
        "<p align=center>\n"
        "<FONT FACE=IMPACT SIZE=3>Exported by Quexa</FONT></p>\n"
        "</body>\n"
        "</html>\n";
    EXPECT_EQ(Export(list, HtmlTemplate::BuiltInPage(), "brindle moss"), expected);
}

TEST(HtmlExportTest, ItemBlocksFieldsAndRows) {
    const std::string page =
        "H[<!-KEY->]<!--ITEM-->{<!--TITLE-->|<!--URL-->|<!--ENGINE-->|"
        "<!--PREVIEW-->|<!--TITLE-->}<!--/ITEM-->T[<!-KEY->]";
    ExportJob ruled;
    ruled.rule = ExportRule{};
    ExportJob noLocation;
    noLocation.fields.location = false;
    noLocation.fields.preview = false;
    ExportJob nothing;
    nothing.fields = {.title = false, .location = false, .target = false, .preview = false};
    const struct {
        const char* name;
        ExportJob job;
        std::string expected;
    } cases[] = {
        {"all rows", {}, "H[k]{A|http://a/|E|p|A}{B|http://b/|F|q|B}T[k]"},
        {"the rule leaves the unreachable row out", ruled, "H[k]{A|http://a/|E|p|A}T[k]"},
        {"switches off", noLocation, "H[k]{A||E||A}{B||F||B}T[k]"},
        {"every switch off", nothing, "H[k]{||||}{||||}T[k]"},
    };
    core::ResultList list;
    list.AddItem(0, Item("A", "http://a/", "E", "p"));
    list.AddItem(1, Item("B", "http://b/", "F", "q", StatusCode::Unreachable));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Export(list, page, "k", c.job), c.expected);
    }
    core::ResultList empty;
    EXPECT_EQ(Export(empty, page, "k"), "H[k]T[k]");
}

TEST(HtmlTemplateTest, ItemBlockMarkers) {
    const struct {
        const char* name;
        std::string text;
        std::optional<std::string> page;  // head + one block for item "X" + tail
    } cases[] = {
        {"no markers", "<html>plain</html>", std::nullopt},
        {"empty template", "", std::nullopt},
        {"no end marker", "a<!--ITEM-->b<!--TITLE-->", std::nullopt},
        {"no start marker", "a<!--TITLE--><!--/ITEM-->b", std::nullopt},
        {"end marker only before the start", "a<!--/ITEM-->b<!--ITEM-->c", std::nullopt},
        {"end before start, another after", "a<!--/ITEM-->b<!--ITEM-->(<!--TITLE-->)<!--/ITEM-->c",
         "a<!--/ITEM-->b(X)c"},
        {"empty block", "a<!--ITEM--><!--/ITEM-->b", "ab"},
        {"second start marker stays in the block",
         "a<!--ITEM-->[<!--ITEM--><!--TITLE-->]<!--/ITEM-->b", "a[<!--ITEM-->X]b"},
        {"second end marker stays in the tail",
         "a<!--ITEM-->[<!--TITLE-->]<!--/ITEM-->b<!--/ITEM-->c", "a[X]b<!--/ITEM-->c"},
        {"markers outside the block stay", "<!--TITLE-->a<!--ITEM-->.<!--/ITEM--><!--URL-->",
         "<!--TITLE-->a.<!--URL-->"},
        {"lower-case markers are no markers", "a<!--item-->b<!--/item-->c", std::nullopt},
        {"adjacent markers", "<!--ITEM--><!--TITLE--><!--TITLE--><!--URL--><!--/ITEM-->",
         "XXhttp://x/"},
        {"half a marker", "<!--ITEM--><!--TITLE-<!--TITLE-->--><!--/ITEM-->", "<!--TITLE-X-->"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<HtmlTemplate> page = HtmlTemplate::Parse(c.text, "k");
        ASSERT_EQ(page.has_value(), c.page.has_value());
        if (page) {
            std::string out = page->Head();
            page->AppendItem(out, Item("X", "http://x/", "E", "p"), ExportFields{});
            out += page->Tail();
            EXPECT_EQ(out, *c.page);
        }
    }
}

TEST(HtmlTemplateTest, KeyWordsEverywhereAsInlineMarkup) {
    const struct {
        const char* keywords;
        const char* expected;
    } cases[] = {
        {"moss", "<title>moss</title>[moss]moss"},
        {"", "<title></title>[]"},
        {"<b>moss</b>", "<title><b>moss</b></title>[<b>moss</b>]<b>moss</b>"},
        {"</title><script>alert(1)</script>",
         "<title>&lt;/title&gt;</title>[&lt;/title&gt;]&lt;/title&gt;"},
        {"<!--/ITEM-->", "<title>&lt;!--/ITEM--&gt;</title>[&lt;!--/ITEM--&gt;]&lt;!--/ITEM--&gt;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keywords);
        const auto page = HtmlTemplate::Parse(
            "<title><!-KEY-></title><!--ITEM-->[<!-KEY->]<!--/ITEM--><!-KEY->", c.keywords);
        ASSERT_TRUE(page.has_value());
        std::string out = page->Head();
        page->AppendItem(out, Item("", "", "", ""), ExportFields{});
        out += page->Tail();
        EXPECT_EQ(out, c.expected);
    }
}

TEST(HtmlTemplateTest, TemplateFileLinesAreJoinedWithoutTheirEnds) {
    const TempFolder folder;
    const struct {
        const char* name;
        std::string bytes;
        std::string text;
    } cases[] = {
        {"line feeds", "a\nb\n", "ab"},
        {"carriage returns and line feeds", "a\r\nb\r\n\r\nc", "abc"},
        {"a lone carriage return stays", "a\rb", "a\rb"},
        {"no line end at all", "abc", "abc"},
        {"empty file", "", ""},
        {"NUL bytes are text", std::string("a\0b\n", 4), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(folder.File("html.htm"), c.bytes);
        EXPECT_EQ(HtmlTemplate::ReadText(folder.File("html.htm")), c.text);
    }
    EXPECT_EQ(HtmlTemplate::ReadText(folder.File("missing.htm")), HtmlTemplate::BuiltInPage());
}

TEST(HtmlExportTest, ATemplateWithoutItemBlockFailsAndWritesNothing) {
    const TempFolder folder;
    WriteAll(folder.File("html.htm"), "<html><!--ITEM--><!--TITLE--></html>\n");
    core::ResultList list;
    list.AddItem(0, Item("A", "http://a/", "E", "p"));
    const fs::path out = folder.File("out.htm");
    WriteAll(out, "previous");
    EXPECT_FALSE(WriteHtmlExport(out, list, folder.File("html.htm"), "k", ExportJob{}));
    EXPECT_EQ(ReadAll(out), "previous");
    EXPECT_FALSE(
        WriteHtmlExport(folder.File("new.htm"), list, folder.File("html.htm"), "k", ExportJob{}));
    EXPECT_FALSE(fs::exists(folder.File("new.htm")));
}

TEST(HtmlExportTest, AMissingTemplateFileGivesTheBuiltInPage) {
    const TempFolder folder;
    core::ResultList list;
    list.AddItem(0, Item("A", "http://a/", "E", "p"));
    ASSERT_TRUE(
        WriteHtmlExport(folder.File("out.htm"), list, folder.File("none.htm"), "key", ExportJob{}));
    const std::string page = ReadAll(folder.File("out.htm"));
    EXPECT_TRUE(page.starts_with("<html>\n<head>\n<title>Quexa Search Result - key</title>\n"));
    EXPECT_NE(page.find("<a href=\"http://a/\" target=_blank>A</a>"), std::string::npos);
}

TEST(HtmlExportTest, HugeTemplatesAndBlocksFullOfMarkers) {
    const std::string filler(3 << 20, 'f');
    std::string block;
    for (int i = 0; i < 50000; ++i) {
        block += "<!--TITLE-->";
    }
    block += "|<!--URL-->";
    const TempFolder folder;
    WriteAll(folder.File("html.htm"),
             filler + "\n<!--ITEM-->" + block + "<!--/ITEM-->\n" + filler + "\n");
    core::ResultList list;
    list.AddItem(0, Item("ab", "http://a/", "E", "p"));
    list.AddItem(1, Item("c", "http://c/", "E", "p"));
    ASSERT_TRUE(
        WriteHtmlExport(folder.File("out.htm"), list, folder.File("html.htm"), "k", ExportJob{}));
    std::string expected = filler;
    for (const auto& [title, location] : {std::pair{"ab", "http://a/"}, {"c", "http://c/"}}) {
        for (int i = 0; i < 50000; ++i) {
            expected += title;
        }
        expected += std::string("|") + location;
    }
    expected += filler;
    EXPECT_TRUE(ReadAll(folder.File("out.htm")) == expected);
}

// ---- Reading a page as a browser does, to find what would run script ------------------------

struct Attribute {
    std::string name;
    std::string value;
};

struct Tag {
    std::string name;
    bool closing = false;
    std::vector<Attribute> attributes;
};

std::string Lower(std::string_view text) {
    return core::AsciiLower(text);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// The references a browser decodes in an attribute value that matter for a link.
std::string DecodeReferences(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '&') {
            out += value[i];
            continue;
        }
        const std::size_t semi = value.find(';', i);
        const std::string name =
            semi == std::string_view::npos ? "" : Lower(value.substr(i + 1, semi - i - 1));
        std::optional<char> decoded;
        if (name == "amp") {
            decoded = '&';
        } else if (name == "colon") {
            decoded = ':';
        } else if (name == "tab") {
            decoded = '\t';
        } else if (name == "newline") {
            decoded = '\n';
        } else if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x';
            const std::string digits = name.substr(hex ? 2 : 1);
            if (!digits.empty() && digits.size() < 7) {
                decoded = static_cast<char>(std::stoi(digits, nullptr, hex ? 16 : 10));
            }
        }
        if (decoded) {
            out += *decoded;
            i = semi;
        } else {
            out += '&';
        }
    }
    return out;
}

bool RunsScript(std::string_view link) {
    std::string effective;
    for (const char c : DecodeReferences(link)) {
        if (c != '\t' && c != '\n' && c != '\r' &&
            !(effective.empty() && static_cast<unsigned char>(c) <= 0x20)) {
            effective += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return effective.starts_with("javascript:") || effective.starts_with("vbscript:") ||
           effective.starts_with("data:") || effective.starts_with("livescript:");
}

// Tags in document order; the content of title, style, script, textarea and the other raw
// text elements is skipped as a browser skips it.
std::vector<Tag> ReadTags(std::string_view page) {
    std::vector<Tag> tags;
    std::size_t i = 0;
    while ((i = page.find('<', i)) != std::string_view::npos) {
        if (page.substr(i, 4) == "<!--") {
            const std::size_t end = page.find("-->", i + 4);
            i = end == std::string_view::npos ? page.size() : end + 3;
            continue;
        }
        std::size_t j = i + 1;
        Tag tag;
        if (j < page.size() && page[j] == '/') {
            tag.closing = true;
            ++j;
        }
        if (j >= page.size() || !std::isalpha(static_cast<unsigned char>(page[j]))) {
            ++i;
            continue;
        }
        const std::size_t nameStart = j;
        while (j < page.size() && !IsBlank(page[j]) && page[j] != '/' && page[j] != '>') {
            ++j;
        }
        tag.name = Lower(page.substr(nameStart, j - nameStart));
        for (;;) {
            while (j < page.size() && (IsBlank(page[j]) || page[j] == '/')) {
                ++j;
            }
            if (j >= page.size() || page[j] == '>') {
                break;
            }
            const std::size_t attrStart = j++;
            while (j < page.size() && !IsBlank(page[j]) && page[j] != '/' && page[j] != '>' &&
                   page[j] != '=') {
                ++j;
            }
            Attribute attribute{Lower(page.substr(attrStart, j - attrStart)), {}};
            std::size_t k = j;
            while (k < page.size() && IsBlank(page[k])) {
                ++k;
            }
            if (k < page.size() && page[k] == '=') {
                j = k + 1;
                while (j < page.size() && IsBlank(page[j])) {
                    ++j;
                }
                if (j < page.size() && (page[j] == '"' || page[j] == '\'')) {
                    const std::size_t close = page.find(page[j], j + 1);
                    const std::size_t end = close == std::string_view::npos ? page.size() : close;
                    attribute.value = page.substr(j + 1, end - j - 1);
                    j = std::min(page.size(), end + 1);
                } else {
                    const std::size_t valueStart = j;
                    while (j < page.size() && !IsBlank(page[j]) && page[j] != '>') {
                        ++j;
                    }
                    attribute.value = page.substr(valueStart, j - valueStart);
                }
            }
            tag.attributes.push_back(std::move(attribute));
        }
        i = j;
        static const std::vector<std::string> kRawText = {
            "title",  "style",   "script",   "textarea", "xmp",
            "iframe", "noembed", "noframes", "noscript", "plaintext"};
        if (!tag.closing &&
            std::find(kRawText.begin(), kRawText.end(), tag.name) != kRawText.end()) {
            const std::size_t end = Lower(page).find("</" + tag.name, i);
            i = end == std::string::npos ? page.size() : end;
        }
        tags.push_back(std::move(tag));
    }
    return tags;
}

// What in the page could run script; empty when nothing can.
std::vector<std::string> ScriptFindings(std::string_view page,
                                        const std::vector<std::string>& allowedTags) {
    static const std::vector<std::string> kLinkAttributes = {
        "href",   "src",    "action", "formaction", "background", "data",
        "dynsrc", "lowsrc", "poster", "xlink:href", "srcdoc",     "content"};
    std::vector<std::string> findings;
    for (const Tag& tag : ReadTags(page)) {
        if (!tag.closing &&
            std::find(allowedTags.begin(), allowedTags.end(), tag.name) == allowedTags.end()) {
            findings.push_back("tag <" + tag.name + ">");
        }
        for (const Attribute& attribute : tag.attributes) {
            if (attribute.name.starts_with("on")) {
                findings.push_back("handler " + attribute.name + " on <" + tag.name + ">");
            }
            if (attribute.name == "style" || attribute.name == "srcdoc") {
                findings.push_back("attribute " + attribute.name + " on <" + tag.name + ">");
            }
            if (std::find(kLinkAttributes.begin(), kLinkAttributes.end(), attribute.name) !=
                    kLinkAttributes.end() &&
                RunsScript(attribute.value)) {
                findings.push_back("script link " + attribute.value);
            }
        }
    }
    return findings;
}

const std::vector<std::string> kPageTags = {"html", "head", "title", "body", "style",  "p",  "b",
                                            "font", "hr",   "table", "tr",   "td",     "a",  "i",
                                            "em",   "u",    "span",  "br",   "strong", "div"};

TEST(HtmlExportTest, TheReaderFindsScriptInPagesThatCarryIt) {
    const struct {
        const char* page;
        std::size_t findings;
    } cases[] = {
        {"<b>fine</b> <a href=\"http://x/\">x</a>", 0},
        {"<script>alert(1)</script>", 1},
        {"<img src=x onerror=alert(1)>", 2},
        {"<b onmouseover=alert(1)>", 1},
        {"<a href=\" &#106;ava&#x09;script&colon;alert(1)\">", 1},
        {"<span style=\"x:expression(alert(1))\">", 1},
        {"<title><script>not a tag</script></title>", 0},
        {"&lt;script&gt;alert(1)&lt;/script&gt;", 0},
        {"<!--<script>-->", 0},
        {"<svg/onload=alert(1)>", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScriptFindings(c.page, kPageTags).size(), c.findings) << c.page;
    }
}

// Well-known ways of getting script into a page through a text or a link.
const std::vector<std::string> kTextPayloads = {
    "<script>alert(1)</script>",
    "<SCRIPT SRC=http://evil.example/x.js></SCRIPT>",
    "<ScRiPt>alert(1)</sCrIpT>",
    "<script\n>alert(1)</script\n>",
    "<script/src=data:,alert(1)></script>",
    "<img src=x onerror=alert(1)>",
    "<IMG SRC=\"javascript:alert('XSS');\">",
    "<img src=`x` onerror=`alert(1)`>",
    "<img src=\"x\" onerror=\"&#97;lert(1)\">",
    "<svg onload=alert(1)>",
    "<svg/onload=alert(1)>",
    "<svg><script>alert(1)</script></svg>",
    "<math><mtext><table><mglyph><style><img src=x onerror=alert(1)>",
    "<body onload=alert(1)>",
    "<iframe src=\"javascript:alert(1)\"></iframe>",
    "<iframe srcdoc='<script>alert(1)</script>'>",
    "<iframe>never closed",
    "<object data=\"javascript:alert(1)\"></object>",
    "<object><param name=src value=javascript:alert(1)></object>",
    "<embed src=\"javascript:alert(1)\">",
    "<applet code=x.class>",
    "<a href=\"javascript:alert(1)\">click</a>",
    "<a href=\"&#106;avascript:alert(1)\">click</a>",
    "<a href=\"jav&#x09;ascript:alert(1)\">click</a>",
    "<b onmouseover=alert(1)>bold</b>",
    "<b/onmouseover=alert(1)>bold</b>",
    "<b title=\"x\" onclick=\"alert(1)\">b</b>",
    "<font color=\"red\" onclick=\"alert(1)\">red</font>",
    "<font face=\"x\" style=\"x:expression(alert(1))\">f</font>",
    "<font face=\"a onmouseover=alert(1)\">f</font>",
    "<span style=\"background:url(javascript:alert(1))\">s</span>",
    "<span onmouseover='alert(1)'>hover</span>",
    "<div style=\"width:expression(alert(1))\">d</div>",
    "<style>@import 'javascript:alert(1)';</style>",
    "<STYLE>li {list-style-image: url(\"javascript:alert(1)\");}</STYLE><li>x",
    "<link rel=stylesheet href=javascript:alert(1)>",
    "<meta http-equiv=\"refresh\" content=\"0;url=javascript:alert(1)\">",
    "<base href=\"javascript:alert(1)//\">",
    "<form action=javascript:alert(1)><input type=submit>",
    "<button formaction=javascript:alert(1)>x</button>",
    "<input onfocus=alert(1) autofocus>",
    "<details open ontoggle=alert(1)>",
    "<marquee onstart=alert(1)>",
    "<video><source onerror=\"alert(1)\">",
    "<table background=\"javascript:alert(1)\">",
    "<isindex action=javascript:alert(1) type=image>",
    "<scr<script>ipt>alert(1)</scr</script>ipt>",
    "<<script>alert(1);//<</script>",
    "\"><script>alert(1)</script>",
    "'><img src=x onerror=alert(1)>",
    "\" onmouseover=\"alert(1)",
    "' onmouseover='alert(1)",
    "</title><script>alert(1)</script>",
    "</style><script>alert(1)</script>",
    "</td></tr></table><script>alert(1)</script>",
    "</a><a href=javascript:alert(1)>x",
    "<!--<script>alert(1)//-->",
    "--><script>alert(1)</script>",
    "<noscript><p title=\"</noscript><img src=x onerror=alert(1)>\">",
    "<xmp><script>alert(1)</script></xmp>",
    "<textarea></textarea><script>alert(1)</script>",
    "<plaintext><script>",
    "&lt;script&gt;alert(1)&lt;/script&gt;",
    "&#60;img src=x onerror=alert(1)&#62;",
    "\\x3cscript\\x3ealert(1)\\x3c/script\\x3e",
    "%3Cscript%3Ealert(1)%3C/script%3E",
    std::string("<scr\0ipt>alert(1)</script>", 26),
    "<!-KEY-><!--/ITEM--><!--ITEM--><!--URL-->",
};

const std::vector<std::string> kLinkPayloads = {
    "javascript:alert(1)",
    "JaVaScRiPt:alert(1)",
    " javascript:alert(1)",
    "\x01\x02javascript:alert(1)",
    "java\tscript:alert(1)",
    "java\nscript:alert(1)",
    "&#106;avascript:alert(1)",
    "&#x6A;avascript:alert(1)",
    "javascript&colon;alert(1)",
    "vbscript:msgbox(1)",
    "livescript:alert(1)",
    "data:text/html;base64,PHNjcmlwdD5hbGVydCgxKTwvc2NyaXB0Pg==",
    "data:text/html,<script>alert(1)</script>",
    "\" onmouseover=\"alert(1)",
    "' onmouseover='alert(1)",
    "http://x.example/\" onclick=\"alert(1)",
    "http://x.example/\"><script>alert(1)</script>",
    "http://x.example/?q=<svg/onload=alert(1)>",
    "x\" style=\"x:expression(alert(1))",
};

TEST(HtmlExportTest, NoScriptSurvivesWhileInlineMarkupStays) {
    core::ResultList list;
    std::size_t row = 0;
    for (const std::string& payload : kTextPayloads) {
        list.AddItem(static_cast<std::ptrdiff_t>(row),
                     Item(payload, "http://safe.example/" + std::to_string(row), payload, payload));
        ++row;
    }
    for (const std::string& payload : kLinkPayloads) {
        list.AddItem(static_cast<std::ptrdiff_t>(row), Item("link", payload, "e", "p"));
        ++row;
    }
    list.AddItem(static_cast<std::ptrdiff_t>(row),
                 Item("<b>bold</b>", "http://ok.example/", "<i>engine</i>", "<b>bold</b> preview"));
    // Markers in other places a template may put them: in quoted attributes, in text.
    const std::string attributes =
        "<html><body><!--ITEM--><div title=\"<!--TITLE-->\"><span title='<!--PREVIEW-->'>"
        "<a href='<!--URL-->'><!--URL--></a><!--ENGINE--></span></div><!--/ITEM--></body></html>";
    for (const std::string& text : {std::string(HtmlTemplate::BuiltInPage()), attributes}) {
        SCOPED_TRACE(text.substr(0, 40));
        const std::string page = Export(list, text, "<script>alert('key')</script><b>key</b>");
        const std::vector<std::string> findings = ScriptFindings(page, kPageTags);
        EXPECT_TRUE(findings.empty()) << ::testing::PrintToString(findings);
        std::size_t anchors = 0;
        for (const Tag& tag : ReadTags(page)) {
            anchors += tag.name == "a" && !tag.closing ? 1 : 0;
        }
        EXPECT_EQ(anchors, list.Count());
        EXPECT_NE(page.find("<b>bold</b>"), std::string::npos);
    }
    const std::string page = Export(list, HtmlTemplate::BuiltInPage(), "k");
    EXPECT_NE(page.find("<a href=\"http://ok.example/\" target=_blank><b>bold</b></a>"),
              std::string::npos);
    EXPECT_NE(page.find("From->&nbsp;<i>engine</i></font>"), std::string::npos);
    EXPECT_NE(page.find("\t\t<b>bold</b> preview\n"), std::string::npos);
}

}  // namespace
}  // namespace quexa::files
