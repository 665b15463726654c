#include "capture/copy_wait.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

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

} // namespace
} // namespace qm
