#pragma once
// The copy keystroke sent to whatever window has the keyboard focus.

namespace qm {

// Where the keyboard focus is, as far as the copy keystroke is concerned.
enum class CopyTarget {
    Application,    // Ctrl+C copies there
    Terminal,       // Ctrl+C would interrupt the command running there: Ctrl+Insert copies
    ShiftTerminal,  // a terminal that copies with Ctrl+Shift+C
    SelectTerminal, // a terminal that copies as text is selected: nothing is sent
    Elevated,       // runs above this program: the system would drop injected keys silently
    ThisProgram,    // nothing is injected into the program's own windows
};

// With no foreground window at all, an Application.
CopyTarget FocusedCopyTarget();

// Queues the copy keystroke for the target so that it arrives as plain copy keys even
// while the user still holds the hotkey's Ctrl, Alt, Shift or Win, and presses again
// what the user still holds; returns without waiting for the copy. Sends nothing to
// ThisProgram, Elevated or SelectTerminal.
void SendCopyKeystroke(CopyTarget target);

// Whether the key message being handled was injected by SendCopyKeystroke.
bool IsInjectedKeyMessage();

} // namespace qm
