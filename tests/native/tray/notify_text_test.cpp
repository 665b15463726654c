#include "tray/notify_text.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

TEST(FitNotifyField, CutsToTheFieldLeavingRoomForTheNul) {
    struct Row {
        std::u16string text;
        std::size_t field;
        std::u16string expected;
        const char* what;
    };
    const std::u16string search = u"\U0001F50D"; // one character, two UTF-16 units
    const Row rows[] = {
        {u"", 64, u"", "empty"},
        {u"Lindhollow:The First Vizu Dovari", 256, u"Lindhollow:The First Vizu Dovari", "fits"},
        {std::u16string(63, u't'), 64, std::u16string(63, u't'), "exactly fills"},
        {std::u16string(64, u't'), 64, std::u16string(63, u't'), "one too long"},
        {std::u16string(1000, u'x'), 256, std::u16string(255, u'x'), "far too long"},
        {u"abc", 1, u"", "room for the NUL only"},
        {u"abc", 0, u"", "no room at all"},
        {std::u16string(u"ab\0cd", 5), 64, u"ab", "ends at an embedded NUL"},
        {u"ab" + search, 5, u"ab" + search, "a whole pair fits"},
        {u"abc" + search, 5, u"abc", "a pair is not split"},
        {u"types \"\u0105\" on Polish", 64, u"types \"\u0105\" on Polish", "no code page to fit"},
        {u"a\xD83D", 64, u"a\xD83D", "a short text is kept as it is"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FitNotifyField(row.text, row.field), row.expected) << row.what;
}

} // namespace
} // namespace qm
