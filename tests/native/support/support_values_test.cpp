#include "support/timer_name.h"
#include "support/utf.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(WaitTimer, NameAndDueTime) {
    EXPECT_EQ(WaitTimerName("search", 5, 9), "searchTimer0509");
    EXPECT_EQ(WaitTimerName("quenmark", 59, 0), "quenmarkTimer5900");
    EXPECT_EQ(RelativeDueTime(200), -2000000);
    EXPECT_EQ(RelativeDueTime(300000), INT64_C(-3000000000));
    EXPECT_EQ(RelativeDueTime(2147483647), INT64_C(-21474836470000));
    EXPECT_EQ(RelativeDueTime(0), 0);
}

TEST(Utf, EncodesCharactersOfEveryLength) {
    EXPECT_EQ(Utf16ToUtf8(u"a\u00e9\u4e2d\U0001F600"), "a\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80");
}

} // namespace
} // namespace qm
