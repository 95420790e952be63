#include "pages/PageText.h"

#include <gtest/gtest.h>

TEST(HtmlText, EscapesMarkupButKeepsEntities)
{
    struct Case {
        const char* in;
        const char* text;
        const char* attribute;
    };
    const Case cases[] = {
        {"Plain Name Inc", "Plain Name Inc", "Plain Name Inc"},
        {"AT&T <b>", "AT&amp;T &lt;b&gt;", "AT&amp;T &lt;b&gt;"},
        {"1&nbsp;200 &#160; &#xA0; &amp;", "1&nbsp;200 &#160; &#xA0; &amp;", "1&nbsp;200 &#160; &#xA0; &amp;"},
        // Not entities: no name, no digits, no closing semicolon.
        {"& &; &#; &#x; &nbsp &1;", "&amp; &amp;; &amp;#; &amp;#x; &amp;nbsp &amp;1;",
         "&amp; &amp;; &amp;#; &amp;#x; &amp;nbsp &amp;1;"},
        {"say \"hi\"", "say \"hi\"", "say &quot;hi&quot;"},
        {"x&", "x&amp;", "x&amp;"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeHtmlText(QString::fromUtf8(c.in)), QString::fromUtf8(c.text)) << c.in;
        EXPECT_EQ(EscapeHtmlAttribute(QString::fromUtf8(c.in)), QString::fromUtf8(c.attribute)) << c.in;
    }
}
