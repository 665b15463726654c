#include "capture/copy_wait.h"

namespace qm {

CopyWait JudgeCopyWait(const CopyEvidence& evidence) {
    if (evidence.changed && evidence.offers_text)
        return CopyWait::TextCopied;
    // It will not answer for seconds, if ever.
    if (evidence.receiver_hung || evidence.elapsed_ms >= kCopyWaitLimitMs)
        return CopyWait::NothingCopied;
    if (evidence.held_open || evidence.answers_in_a_row < kSettledAnswers)
        return CopyWait::KeepWaiting;
    // The receiver has handled the keys and closed the clipboard on something else (a
    // picture, files); with no change at all, a program that copies on its own time
    // still gets as long as it always had.
    if (evidence.changed || evidence.elapsed_ms >= kNothingCopiedFloorMs)
        return CopyWait::NothingCopied;
    return CopyWait::KeepWaiting;
}

} // namespace qm
