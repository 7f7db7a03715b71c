#include "core/page_charset.h"

#include <gtest/gtest.h>

#include <string>

namespace quexa::core {
namespace {

TEST(PageCharsetTest, FindsTheDeclaredCharset) {
    const struct {
        const char* contentType;
        std::string page;
        const char* expected;
    } cases[] = {
        {"text/html; charset=ISO-8859-1", "", "iso-8859-1"},
        {"text/html;charset=\"windows-1252\"", "", "windows-1252"},
        {"text/html; Charset = utf-8", "<meta charset=\"gbk\">", "utf-8"},
        {"text/html", "<html><head><meta charset=\"GBK\"></head>", "gbk"},
        {"", "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=koi8-r\">", "koi8-r"},
        {"", "<meta name=\"description\" content=\"charsets\"><meta charset='shift_jis'>",
         "shift_jis"},
        {"", "<p>charset=latin1 outside a meta tag</p>", ""},
        {"", std::string(PageCharset::kMetaScanBytes, ' ') + "<meta charset=\"gbk\">", ""},
        {"text/plain", "no declaration at all", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PageCharset::Declared(c.contentType, c.page), c.expected)
            << c.contentType << " | " << c.page.substr(0, 60);
    }
}

TEST(PageCharsetTest, ConvertsDeclaredPagesToUtf8) {
    const struct {
        std::string page;
        const char* charset;
        bool converted;
        std::string expected;
    } cases[] = {
        {"caf\xE9 cr\xE8me", "iso-8859-1", true, "caf\xC3\xA9 cr\xC3\xA8me"},
        {"\x93quoted\x94", "windows-1252", true, "\xE2\x80\x9Cquoted\xE2\x80\x9D"},
        {"\xC4\xE3\xBA\xC3", "gbk", true, "\xE4\xBD\xA0\xE5\xA5\xBD"},
        // 0x81 is not a character of windows-1252: replaced, the rest kept.
        {"a\x81z", "windows-1252", true, "a\xEF\xBF\xBDz"},
        // A GBK lead byte at the very end has no second byte.
        {"ok\xC4", "gbk", true, "ok\xEF\xBF\xBD"},
        {"caf\xC3\xA9", "utf-8", false, ""},
        {"plain", "us-ascii", false, ""},
        {"caf\xE9", "no-such-charset-x", false, ""},
        {"caf\xE9", "", false, ""},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> utf8 = PageCharset::ToUtf8(c.page, c.charset);
        ASSERT_EQ(utf8.has_value(), c.converted) << c.charset << " " << c.page;
        if (utf8) {
            EXPECT_EQ(*utf8, c.expected) << c.charset;
        }
    }
}

}  // namespace
}  // namespace quexa::core
