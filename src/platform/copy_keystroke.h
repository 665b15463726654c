#pragma once
// The copy keystroke sent to whatever window has the keyboard focus.

namespace qm {

// Queues Ctrl+C so that it arrives as plain Ctrl+C even while the user still
// holds the hotkey's Alt, Shift or Win; returns without waiting for the copy.
void SendCopyKeystroke();

} // namespace qm
