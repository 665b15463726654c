#include "search/url_budget.h"
#include "search/search_url.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(UrlBudget, KeepsWholeCharactersWithinTheBudget) {
    const std::string tmpl = "http://h/?q="; // 12 characters
    struct Row {
        const char* name;
        std::u16string text;
        size_t budget;
        std::u16string expected;
    };
    const Row rows[] = {
        {"fits", u"a b", 20, u"a b"}, // 17 once encoded
        {"exactly", u"abcdefgh", 20, u"abcdefgh"},
        {"one over", u"abcdefghi", 20, u"abcdefgh"},
        {"escape not split", u"abcdef&", 20, u"abcdef"}, // %26 needs 3
        {"CJK not split", u"ab\u4e2d", 20, u"ab"},       // 9 characters each
        {"CJK fits", u"\u4e2d", 21, u"\u4e2d"},
        {"pair not split", u"\U0001F600", 23, u""}, // 12 characters
        {"pair fits", u"\U0001F600", 24, u"\U0001F600"},
        {"template alone too long", u"a", 5, u""},
        {"empty", u"", 12, u""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FitSearchText(tmpl, row.text, row.budget), row.expected) << row.name;
}

TEST(UrlBudget, HugeTextsMakeUrlsWithinTheDefaultBudget) {
    const std::string tmpl = "http://www.google.com/#q=";
    const std::u16string texts[] = {std::u16string(100000, u'a'), std::u16string(100000, u'\u4e2d'),
                                    std::u16string(100000, u'%')};
    for (const std::u16string& text : texts) {
        std::string url = FormSearchUrl(tmpl, FitSearchText(tmpl, text));
        EXPECT_LE(url.size(), kMaxUrlLength);
        EXPECT_GT(url.size(), kMaxUrlLength - 9) << "cut far too early";
    }
}

} // namespace
} // namespace qm
