#pragma once
// The copy keystroke sent to whatever window has the keyboard focus.

namespace qm {

// Where the keyboard focus is, as far as the copy keystroke is concerned.
enum class CopyTarget {
    Application, // Ctrl+C copies there
    Terminal,    // Ctrl+C would interrupt the command running there: Ctrl+Insert copies
    ThisProgram, // nothing is injected into the program's own windows
};

CopyTarget FocusedCopyTarget();

// Queues the copy keystroke for the target so that it arrives as plain Ctrl+C or
// Ctrl+Insert even while the user still holds the hotkey's Alt, Shift or Win;
// returns without waiting for the copy. Does nothing for ThisProgram.
void SendCopyKeystroke(CopyTarget target);

// Whether the key message being handled was injected by SendCopyKeystroke.
bool IsInjectedKeyMessage();

} // namespace qm
