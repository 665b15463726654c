#include "settings/ini_value.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ParseIniInt, WholeNumbersOrTheFallback) {
    struct Row {
        const char* text;
        int expected;
    };
    const Row rows[] = {
        {"0", 0},
        {"1", 1},
        {"81", 81},
        {" 2 ", 2},
        {"-5", -5},
        {"+7", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", -99},
        {"99999999999", -99},
        {"", -99},
        {"   ", -99},
        {"abc", -99},
        {"1e3", -99},
        {"12abc", -99},
        {"-", -99},
        {"0x10", -99},
        {"1 2", -99},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ParseIniInt(row.text, -99), row.expected) << '"' << row.text << '"';
}

} // namespace
} // namespace qm
