#include "hotkey/hotkey_text.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ModifierPrefix, OrderAndFlags) {
    struct Row {
        bool win;
        int shift_mask;
        const char* text;
        int mod;
    };
    const Row rows[] = {
        {false, 0, "", 0},
        {false, 2, "Ctrl + ", 2},
        {false, 2 | 4, "Ctrl + Alt + ", 3},
        {false, 1 | 2 | 4, "Ctrl + Alt + Shift + ", 7},
        {true, 1 | 2 | 4, "Win + Ctrl + Alt + Shift + ", 15},
        {true, 0, "Win + ", 8},
        {false, 1, "Shift + ", 4},
        {false, 4 | 1, "Alt + Shift + ", 5},
    };
    for (const Row& row : rows) {
        ModifierPrefix prefix = ComposeModifierPrefix(row.win, row.shift_mask);
        EXPECT_EQ(prefix.text, row.text) << row.text;
        EXPECT_EQ(prefix.mod_key_code, row.mod) << row.text;
    }
    EXPECT_TRUE(IsModifierOnlyKey(kVkLeftWin));
    EXPECT_FALSE(IsModifierOnlyKey(kVkRightWin));
    EXPECT_FALSE(IsModifierOnlyKey('Q'));
}

} // namespace
} // namespace qm
