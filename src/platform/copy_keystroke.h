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

// Lives while a capture runs, from before it waits for the hotkey's keys to be let go
// until the copy keystroke has passed: a low-level keyboard hook notes the user's own presses
// and releases of Ctrl, Alt, Shift and Win. The key state that SendCopyKeystroke reads
// can lag behind the user, by up to a second while another program's low-level hook
// holds a release back, and a modifier that it presses again after the user let go
// of it would stay down: Win then turns the next L into Win+L. Finish releases such
// keys. One at a time; a second one while the first lives watches nothing.
class ModifierWatch {
  public:
    ModifierWatch();
    ~ModifierWatch(); // finishes, if Finish was not called
    ModifierWatch(const ModifierWatch&) = delete;
    ModifierWatch& operator=(const ModifierWatch&) = delete;

    // Right after the copy keystroke is sent, before the wait for the copy: waits,
    // briefly, until the hook has seen it pass, so every real event before it has been
    // seen too, then sends a key-up for each modifier it left down that the user has
    // let go of, and removes the hook.
    void Finish();

  private:
    bool active_ = false;
};

// Finishes the watch that runs now, if any: the program ends (TerminateProcess runs no
// destructor) while a capture waits.
void EndModifierWatch();

} // namespace qm
