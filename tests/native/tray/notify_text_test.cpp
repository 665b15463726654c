#include "tray/notify_text.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

bool NoLeadBytes(unsigned char) {
    return false;
}
// Like the GBK code page: bytes 0x81 to 0xFE begin a two-byte character.
bool GbkLeadBytes(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

TEST(FitNotifyField, CutsToTheFieldLeavingRoomForTheNul) {
    struct Row {
        std::string text;
        std::size_t field;
        bool (*lead)(unsigned char);
        std::string expected;
        const char* what;
    };
    const std::string menu_gbk = "\xB2\xCB\xB5\xA5"; // two double-byte characters
    const Row rows[] = {
        {"", 64, NoLeadBytes, "", "empty"},
        {"Lindhollow:The First Vizu Dovari", 256, NoLeadBytes, "Lindhollow:The First Vizu Dovari",
         "fits"},
        {std::string(63, 't'), 64, NoLeadBytes, std::string(63, 't'), "exactly fills"},
        {std::string(64, 't'), 64, NoLeadBytes, std::string(63, 't'), "one too long"},
        {std::string(1000, 'x'), 256, NoLeadBytes, std::string(255, 'x'), "far too long"},
        {"abc", 1, NoLeadBytes, "", "room for the NUL only"},
        {"abc", 0, NoLeadBytes, "", "no room at all"},
        {std::string("ab\0cd", 5), 64, NoLeadBytes, "ab", "ends at an embedded NUL"},
        {"ab" + menu_gbk, 6, GbkLeadBytes, "ab\xB2\xCB", "whole characters fit"},
        {"abc" + menu_gbk, 6, GbkLeadBytes, "abc\xB2\xCB", "cut between characters"},
        {"abcd" + menu_gbk, 6, GbkLeadBytes, "abcd", "a character is not split"},
        {"abcd" + menu_gbk, 6, NoLeadBytes, "abcd\xB2", "single-byte code page cuts anywhere"},
        {"a\xB2", 64, GbkLeadBytes, "a\xB2", "a short text is kept as it is"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FitNotifyField(row.text, row.field, row.lead), row.expected) << row.what;
}

} // namespace
} // namespace qm
