#pragma once
// When the selection capture stops waiting for the result of its copy keystroke. A
// copy that is still on its way must not be taken for an empty selection, so
// "nothing copied" needs the receiving program's word for it.

namespace qm {

// The least time a program that has handled the keys gets to change the clipboard: some
// copy on their own time, after the key. So an idle one with nothing selected is
// decided this soon.
constexpr int kNothingCopiedFloorMs = 200;
// How long a program still busy with the keystroke, or with writing the clipboard, is
// waited for.
constexpr int kCopyWaitLimitMs = 2000;
// Answers in a row that show the receiver has taken its input. A program handles the
// messages sent to it before its queued keys, so one answer may come before the keys
// are even read; each further one comes only after it went back for another message.
constexpr int kSettledAnswers = 16;

// What the capture sees, some time after the keystroke.
struct CopyEvidence {
    int elapsed_ms = 0;         // since the keystroke went out
    bool changed = false;       // the clipboard changed since then
    bool offers_text = false;   // the clipboard holds text
    bool held_open = false;     // a window holds the clipboard open: a copy is being written
    bool receiver_hung = false; // the window that took the keys has stopped taking messages
    int answers_in_a_row = 0;   // of the receiver to messages sent since the keystroke
};

enum class CopyWait {
    KeepWaiting,
    TextCopied,
    NothingCopied,
};

CopyWait JudgeCopyWait(const CopyEvidence& evidence);

} // namespace qm
