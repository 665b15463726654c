#include "search/engine_catalogue.h"
#include "search/search_url.h"
#include "search/url_budget.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(SearchUrl, EncodesAllButTheUnreservedCharacters) {
    struct Row {
        std::u16string text;
        std::string expected_tail;
    };
    const Row rows[] = {
        {u"", ""},
        {u"a b", "a%20b"}, // one argument even for a browser registered with a bare %1
        {u"New York", "New%20York"},
        {u"AT&T", "AT%26T"},
        {u"C#", "C%23"},
        {u"a b&c", "a%20b%26c"},
        {u"100%", "100%25"},
        {u"1+1?", "1%2B1%3F"},
        {u"line1\r\nline2", "line1%0D%0Aline2"},
        {u"tab\there", "tab%09here"},
        {u"caf\u00e9", "caf%C3%A9"},
        {u"\u4e2d\u6587", "%E4%B8%AD%E6%96%87"},
        {u"\U0001F600", "%F0%9F%98%80"},
        {u"a/b:c=d'<>", "a%2Fb%3Ac%3Dd%27%3C%3E"},
        {u"\"exact phrase\"", "%22exact%20phrase%22"},
        {u"C:\\temp\\", "C%3A%5Ctemp%5C"}, // a last \ would escape the browser's closing quote
        {u"AZaz09-._~", "AZaz09-._~"},
    };
    for (const Row& row : rows) {
        std::string url = FormSearchUrl("http://h/?q=", row.text);
        EXPECT_EQ(url, "http://h/?q=" + row.expected_tail) << "tail " << row.expected_tail;
        for (unsigned char c : url)
            EXPECT_LT(c, 0x80) << "non-ASCII byte in " << url;
    }
}

TEST(SearchUrl, UnpairedSurrogateBecomesReplacementCharacter) {
    EXPECT_EQ(FormSearchUrl("", std::u16string(1, char16_t(0xD800))), "%EF%BF%BD");
}

TEST(SearchUrl, WikiSearchesForTheText) {
    const PanelEngine& wiki = PanelEngines()[7];
    ASSERT_STREQ(wiki.control, "askw");
    EXPECT_EQ(FormSearchUrl(wiki.url_template, u"New York"),
              "https://en.wikipedia.org/wiki/Special:Search?go=Go&search=New%20York");
}

TEST(SearchUrl, TemplatesAreMendedAndEveryPlaceholderTakesTheText) {
    const struct {
        const char* url_template;
        std::u16string text;
        size_t budget; // of the whole URL
        const char* url;
    } rows[] = {
        {"https://h/?q={searchTerms}&lang=de", u"a&b", 900, "https://h/?q=a%26b&lang=de"},
        {"https://h/?q=%s&lang=de", u"a&b", 900, "https://h/?q=a%26b&lang=de"},
        {"https://h/?q=%S", u"a&b", 900, "https://h/?q=a%26b"}, // Firefox's keyword form
        {"https://h/?q=", u"a&b", 900, "https://h/?q=a%26b"},   // none: at the end
        {"https://h/%s/{searchTerms}", u"a&b", 900, "https://h/a%26b/a%26b"},
        {"https://h/{searchTerms}/%s", u"a&b", 900, "https://h/a%26b/a%26b"},
        {"https://h/wiki/{searchTerms}?x=1", u"and/or", 900, "https://h/wiki/and%2For?x=1"},
        {"https://h/?q=%3D%s", u"a&b", 900, "https://h/?q=%3Da%26b"}, // an escape is no mark
        {"https://h/?q={searchTerms}&start={startPage?}&n={ns:count?}", u"a", 900,
         "https://h/?q=a&start=&n="},
        {"https://h/?q={searchTerms}&ie={inputEncoding}&oe={outputEncoding}", u"a", 900,
         "https://h/?q=a&ie=UTF-8&oe=UTF-8"},
        {"https://h/?q=\"%s\" site:x.org", u"a b", 900, "https://h/?q=%22a%20b%22%20site:x.org"},
        {"https://h/?q={count}{ x}{}%s", u"a", 900, "https://h/?q={count}{%20x}{}a"}, // no guess
        {"https://h/?q=", u"abcdef", 16, "https://h/?q=abc"},
        {"https://h/?q={searchTerms}", u"abcdef", 16, "https://h/?q=abc"},  // the mark takes none
        {"https://h/{searchTerms}/%s", u"abcdef", 17, "https://h/abc/abc"}, // each copy counts
        {"https://h/?q= %s", u"abcdef", 20, "https://h/?q=%20abcd"},        // and so does %20
        {"https://h/?q=", u"a b", 16, "https://h/?q=a"},                    // %20 is not split
    };
    for (const auto& row : rows)
        EXPECT_EQ(
            FormSearchUrl(row.url_template, FitSearchText(row.url_template, row.text, row.budget)),
            row.url)
            << row.url_template;
}

} // namespace
} // namespace qm
