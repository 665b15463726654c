#include "platform/bounded_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace qm {
namespace {

TEST(BoundedText, StopsAtTerminatorBufferEndOrBound) {
    struct Row {
        const char* name;
        std::u16string buffer; // may hold NULs and lack a terminator
        size_t available;
        size_t max_units;
        std::u16string expected;
    };
    const std::u16string pair = u"\U0001F600"; // two units
    const Row rows[] = {
        {"terminated", std::u16string(u"abc\0zzz", 7), 7, 100, u"abc"},
        {"unterminated", u"abcdef", 4, 100, u"abcd"},
        {"empty buffer", u"", 0, 100, u""},
        {"cut at bound", u"abcdef", 6, 3, u"abc"},
        {"exactly the bound", u"abc", 3, 3, u"abc"},
        {"bound zero", u"abc", 3, 0, u""},
        {"pair kept whole", u"a" + pair, 3, 3, u"a" + pair},
        {"pair not split", u"ab" + pair, 4, 3, u"ab"},
        {"lone high half at end", u"ab\xD800", 3, 5, u"ab\xD800"},
        {"CJK", u"\u4e2d\u6587", 2, 10, u"\u4e2d\u6587"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(BoundedUtf16(row.buffer.data(), row.available, row.max_units), row.expected)
            << row.name;
    EXPECT_EQ(BoundedUtf16(nullptr, 10, 10), u"");
}

TEST(BoundedText, CutMatchesTheBufferForm) {
    const std::u16string text = u"x\U0001F600y";
    for (size_t max = 0; max <= text.size() + 1; ++max)
        EXPECT_EQ(CutUtf16(text, max), BoundedUtf16(text.data(), text.size(), max)) << max;
}

TEST(BoundedText, HugeBufferIsNotScannedPastTheBound) {
    // Only max_units + 1 units exist and none is a terminator: reading on would be
    // caught by the address sanitizer.
    std::vector<char16_t> block(5, u'a');
    EXPECT_EQ(BoundedUtf16(block.data(), 1000000000, 4), u"aaaa");
}

} // namespace
} // namespace qm
