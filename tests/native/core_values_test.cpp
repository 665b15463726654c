#include "settings/ini_value.h"
#include "capture/copy_wait.h"
#include "update/update_version.h"
#include "hotkey/hotkey_text.h"
#include "support/timer_name.h"
#include "support/utf.h"

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

TEST(WaitTimer, NameAndDueTime) {
    EXPECT_EQ(WaitTimerName("search", 5, 9), "searchTimer0509");
    EXPECT_EQ(WaitTimerName("quenmark", 59, 0), "quenmarkTimer5900");
    EXPECT_EQ(RelativeDueTime(200), -2000000);
    EXPECT_EQ(RelativeDueTime(300000), INT64_C(-3000000000));
    EXPECT_EQ(RelativeDueTime(2147483647), INT64_C(-21474836470000));
    EXPECT_EQ(RelativeDueTime(0), 0);
}

TEST(UpdateVersion, OnlyANewerVersionCountsAndAnythingButAVersionIsNoAnswer) {
    using V = UpdateVerdict;
    const struct {
        std::optional<std::string> answer;
        UpdateVerdict verdict;
    } rows[] = {
        {std::nullopt, V::NoAnswer},
        {"", V::NoAnswer},
        {" \r\n\t", V::NoAnswer},
        {"\xEF\xBB\xBF", V::NoAnswer},
        {"1.0", V::NotNewer},
        {"1.0\r\n", V::NotNewer},
        {"1.0\n", V::NotNewer},
        {" \t1.0 \r\n\r\n", V::NotNewer},
        {"\xEF\xBB\xBF"
         "1.0\r\n",
         V::NotNewer},
        {"0.9", V::NotNewer},
        {"1.0.0", V::NotNewer},
        {"1", V::NotNewer},
        {"01.00", V::NotNewer},
        {"1.0.0.0.0.0.0.0", V::NotNewer},
        {"0.99999999999999", V::NotNewer},
        {"1.0.1", V::Newer},
        {"1.1", V::Newer},
        {"1.1\n", V::Newer},
        {"1.10", V::Newer},
        {"2", V::Newer},
        {"99999999999999", V::Newer}, // beyond 32 bits, and still no overflow
        {"1.0000000000001", V::Newer},
        {"1234567890123456", V::Newer},     // 16 characters
        {"12345678901234567", V::NoAnswer}, // 17
        {"...", V::NoAnswer},
        {"1.0\n1.1", V::NoAnswer},
        {"v1.0", V::NoAnswer},
        {"1.0 beta", V::NoAnswer},
        {"-1", V::NoAnswer},
        {"<html>404</html>", V::NoAnswer},
        {"<!DOCTYPE html><html><head><title>Sign in to Wi-Fi</title></head></html>", V::NoAnswer},
        {"Access denied by the proxy: category Software Downloads", V::NoAnswer},
        {"<html><body>quenmark.com is for sale!</body></html>\r\n", V::NoAnswer},
    };
    for (const auto& row : rows)
        EXPECT_EQ(JudgeVersionAnswer("1.0", row.answer), row.verdict)
            << (row.answer ? "[" + *row.answer + "]" : "nothing");
    // The running version's own parts compare as numbers too.
    EXPECT_EQ(JudgeVersionAnswer("1.10", std::string("1.9")), V::NotNewer);
    EXPECT_EQ(JudgeVersionAnswer("1.9", std::string("1.10")), V::Newer);
}

TEST(UpdateVersion, OnlyASuccessStatusCarriesTheVersionFile) {
    for (unsigned long status : {200ul, 203ul, 299ul})
        EXPECT_TRUE(IsVersionFileStatus(status)) << status;
    for (unsigned long status : {0ul, 100ul, 199ul, 301ul, 302ul, 404ul, 500ul, 503ul})
        EXPECT_FALSE(IsVersionFileStatus(status)) << status;
}

// At logon the network may not be up yet: such a check comes once more. One that reached
// anything never does, so the maker's site sees one request per run as before.
TEST(UpdateVersion, OnlyAFirstCheckThatCouldNotConnectIsTriedAgain) {
    const struct {
        const char* name;
        VersionFetch fetch;
        int checks_run;
        bool again;
    } rows[] = {
        {"host not found", {std::nullopt, false, 12007}, 1, true},
        {"refused", {std::nullopt, false, 12029}, 1, true},
        {"proxy unreachable", {std::nullopt, false, 12165}, 1, true},
        {"refused again", {std::nullopt, false, 12029}, 2, false},
        {"timed out", {std::nullopt, false, 12002}, 1, false},
        {"abandoned at the deadline", {std::nullopt, false, 0}, 1, false},
        {"version file", {std::string("1.0"), true, 0}, 1, false},
        {"error page", {std::nullopt, true, 0}, 1, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TryUpdateCheckAgain(row.fetch, row.checks_run), row.again) << row.name;
}

TEST(CopyWait, NothingCopiedOnlyOnceTheReceiverIsDone) {
    using W = CopyWait;
    constexpr int kSettled = kSettledAnswers, kFloor = kNothingCopiedFloorMs;
    const struct {
        const char* signal;
        CopyEvidence seen; // elapsed, changed, text, held open, hung, answers in a row
        W verdict;
    } rows[] = {
        {"text arrived", {5, true, true, false, false, 0}, W::TextCopied},
        {"text of before", {kFloor, false, true, false, false, kSettled}, W::NothingCopied},
        {"idle, too early", {kFloor - 1, false, false, false, false, kSettled}, W::KeepWaiting},
        {"busy with the keys", {1500, false, false, false, false, 0}, W::KeepWaiting},
        {"back from the keys", {1500, false, false, false, false, kSettled - 1}, W::KeepWaiting},
        {"writing the clipboard", {1500, true, false, true, false, kSettled}, W::KeepWaiting},
        {"held open, unchanged", {1500, false, false, true, false, kSettled}, W::KeepWaiting},
        {"copied no text", {20, true, false, false, false, kSettled}, W::NothingCopied},
        {"hung", {0, false, false, false, true, 0}, W::NothingCopied},
        {"busy past the limit", {kCopyWaitLimitMs, false, false, true, false, 0}, W::NothingCopied},
    };
    for (const auto& row : rows)
        EXPECT_EQ(JudgeCopyWait(row.seen), row.verdict) << row.signal;
}

TEST(Utf, EncodesCharactersOfEveryLength) {
    EXPECT_EQ(Utf16ToUtf8(u"a\u00e9\u4e2d\U0001F600"), "a\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80");
}

} // namespace
} // namespace qm
