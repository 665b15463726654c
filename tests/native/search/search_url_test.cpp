#include "search/engine_catalogue.h"
#include "search/search_url.h"
#include "search/url_budget.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(SearchUrl, EncodesOnlyWhatWouldBreakTheUrl) {
    struct Row {
        std::u16string text;
        std::string expected_tail;
    };
    const Row rows[] = {
        {u"", ""},
        {u"a b", "a b"},
        {u"New York", "New York"},
        {u"AT&T", "AT%26T"},
        {u"C#", "C%23"},
        {u"a b&c", "a b%26c"},
        {u"100%", "100%25"},
        {u"1+1?", "1%2B1%3F"},
        {u"line1\r\nline2", "line1%0D%0Aline2"},
        {u"tab\there", "tab%09here"},
        {u"caf\u00e9", "caf%C3%A9"},
        {u"\u4e2d\u6587", "%E4%B8%AD%E6%96%87"},
        {u"\U0001F600", "%F0%9F%98%80"},
        {u"a/b:c=d'<>", "a/b:c=d'<>"},
        {u"\"exact phrase\"", "%22exact phrase%22"},
        {u"C:\\temp\\", "C:%5Ctemp%5C"}, // a last \ would escape the browser's closing quote
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
              "https://en.wikipedia.org/wiki/Special:Search?go=Go&search=New York");
}

TEST(SearchUrl, TextGoesToTheFirstPlaceholderOrTheEnd) {
    const struct {
        const char* url_template;
        const char* url;
    } rows[] = {
        {"https://h/?q={searchTerms}&lang=de", "https://h/?q=a%26b&lang=de"},
        {"https://h/?q=%s&lang=de", "https://h/?q=a%26b&lang=de"},
        {"https://h/?q=", "https://h/?q=a%26b"},                          // none: at the end
        {"https://h/%s/{searchTerms}", "https://h/a%26b/{searchTerms}"},  // both: the first
        {"https://h/{searchTerms}/%s", "https://h/a%26b/%s"},             // the other way round
        {"https://h/wiki/{searchTerms}?x=1", "https://h/wiki/a%26b?x=1"}, // in the path
        {"https://h/?q=%3D%s", "https://h/?q=%3Da%26b"},                  // an escape is no mark
    };
    for (const auto& row : rows)
        EXPECT_EQ(FormSearchUrl(row.url_template, u"a&b"), row.url) << row.url_template;
    // The budget counts the template without its mark.
    EXPECT_EQ(FitSearchText("https://h/?q={searchTerms}", u"abcdef", 16), u"abc");
}

} // namespace
} // namespace qm
