// Texts in an exported HTML page: simple inline markup stays, nothing else of a text becomes
// markup, and no location runs script.
#include "files/html_text.h"

#include <gtest/gtest.h>

#include <string>

namespace quexa::files {
namespace {

TEST(KeepInlineMarkupTest, InlineTagsStayEverythingElseReadsAsText) {
    const struct {
        const char* input;
        const char* expected;
    } cases[] = {
        {"plain text", "plain text"},
        {"", ""},
        {"<b>bold</b>", "<b>bold</b>"},
        {"<B>Bold</B> and <I>it</I>", "<b>Bold</b> and <i>it</i>"},
        {"<em>e</em><strong>s</strong><u>u</u><span>p</span>",
         "<em>e</em><strong>s</strong><u>u</u><span>p</span>"},
        {"line<br>break<br/>again<BR />", "line<br>break<br>again<br>"},
        {"<b>open", "<b>open</b>"},
        {"<b><i>crossed</b></i>", "<b><i>crossed</i></b>"},
        {"stray</b> closer</td>", "stray closer&lt;/td&gt;"},
        {"<font color=\"red\" size=2 face='Arial, sans-serif'>f</font>",
         "<font color=\"red\" size=\"2\" face=\"Arial, sans-serif\">f</font>"},
        {"<font color=#ff0000 color=blue>f</font>", "<font color=\"#ff0000\">f</font>"},
        {"<font color=\"red;background:url(x)\">f</font>", "<font>f</font>"},
        {"<b class=x id=y>b</b>", "<b>b</b>"},
        {"<b onmouseover=alert(1)>b</b>", "<b>b</b>"},
        {"<b/onclick=alert(1)>b</b>", "<b>b</b>"},
        {"<span style=\"color:expression(alert(1))\">s</span>", "<span>s</span>"},
        {"a < b > c", "a &lt; b &gt; c"},
        {"say \"hi\" it's", "say &quot;hi&quot; it&#39;s"},
        {"fish & chips &amp; &lt;b&gt;", "fish & chips &amp; &lt;b&gt;"},
        {"<vector> in C++", "&lt;vector&gt; in C++"},
        {"<img src=x onerror=alert(1)>", "&lt;img src=x onerror=alert(1)&gt;"},
        {"x<script>alert(1)</script>y", "xy"},
        {"x<SCRIPT type=a>alert(1)</sCrIpT >y", "xy"},
        {"x<script>no end", "x"},
        {"x<style>b{}</style>y<iframe src=a>z</iframe>w", "xyw"},
        {"x<object data=a><b>fallback</b></object>y", "xy"},
        {"x<embed src=a>y", "xy"},
        {"x</script>y", "xy"},
        {"<scr<script>ipt>alert(1)</script>", "&lt;scr"},
        {"<b title=\"a>b\">q</b>", "<b>q</b>"},
        {"<b title=\"unterminated>q", "&lt;b title=&quot;unterminated&gt;q"},
        {"<b", "&lt;b"},
        {"<", "&lt;"},
        {"<1b>", "&lt;1b&gt;"},
        {"<!--comment-->", "&lt;!--comment--&gt;"},
        {"<!-KEY-><!--ITEM-->", "&lt;!-KEY-&gt;&lt;!--ITEM--&gt;"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeepInlineMarkup(c.input), c.expected) << c.input;
    }
}

TEST(LinkTextTest, ScriptLinksAreDroppedOthersEscaped) {
    const struct {
        const char* location;
        const char* expected;
    } cases[] = {
        {"http://a.example/?x=1&y=2", "http://a.example/?x=1&amp;y=2"},
        {"https://a.example/\"><script>", "https://a.example/&quot;&gt;&lt;script&gt;"},
        {"/home/user/notes.txt", "/home/user/notes.txt"},
        {"//server/share/it's.doc", "//server/share/it&#39;s.doc"},
        {"mailto:someone@example.org", "mailto:someone@example.org"},
        {"javascript:alert(1)", ""},
        {"JaVaScRiPt:alert(1)", ""},
        {"  \x01javascript:alert(1)", ""},
        {"java\tscr\nipt:alert(1)", ""},
        {"vbscript:msgbox(1)", ""},
        {"livescript:x", ""},
        {"data:text/html;base64,PHNjcmlwdD4=", ""},
        {"&#106;avascript:alert(1)", "&amp;#106;avascript:alert(1)"},
        {"javascript&colon;alert(1)", "javascript&amp;colon;alert(1)"},
        {"http://x/javascript:alert(1)", "http://x/javascript:alert(1)"},
        {"x javascript:alert(1)", "x javascript:alert(1)"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LinkText(c.location), c.expected) << c.location;
    }
}

}  // namespace
}  // namespace quexa::files
