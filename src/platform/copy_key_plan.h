#pragma once
// The key events that make a focused window see plain Ctrl+C (or its terminal's own
// copy keys) while the user may still hold the hotkey's modifiers, and the other
// decisions around that keystroke. Kept free of Windows headers so they can be
// checked on their own; the codes are Windows virtual-key codes.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qm {

namespace vk {
constexpr std::uint8_t kLeftShift = 0xA0;
constexpr std::uint8_t kRightShift = 0xA1;
constexpr std::uint8_t kLeftControl = 0xA2;
constexpr std::uint8_t kRightControl = 0xA3;
constexpr std::uint8_t kLeftAlt = 0xA4;
constexpr std::uint8_t kRightAlt = 0xA5;
constexpr std::uint8_t kLeftWin = 0x5B;
constexpr std::uint8_t kRightWin = 0x5C;
constexpr std::uint8_t kControl = 0x11;
constexpr std::uint8_t kShift = 0x10;
constexpr std::uint8_t kC = 'C';
constexpr std::uint8_t kInsert = 0x2D;
// Unassigned: a press of it between Alt (or Win) down and up keeps the release
// from opening the menu bar (or the Start menu), and nothing else reacts to it.
constexpr std::uint8_t kMask = 0xE8;
} // namespace vk

struct KeyEvent {
    std::uint8_t vk;
    bool up;
    bool operator==(const KeyEvent& other) const { return vk == other.vk && up == other.up; }
};

// The dwExtraInfo of every key this program injects, so its own windows can tell
// them from the user's keys.
constexpr std::uintptr_t kInjectedKeyMark = 0x514D4B59;

// How a program copies its selection from the keyboard.
enum class CopyKeys {
    CtrlC,
    CtrlInsert, // terminals, where Ctrl+C interrupts the running command
    CtrlShiftC, // terminals where Ctrl+Insert is passed on to the shell
    None,       // terminals that copy when text is selected and have no copy key
};

// held: the modifier keys (left/right Ctrl, Shift, Alt, Win) that are down now.
// The modifiers are let go for the copy and pressed again after it, so a key the
// user still holds keeps working as a modifier: otherwise the auto-repeat of the
// hotkey's main key would reach the window as a plain letter. A lone press and
// release of Alt or Win would open the menu bar or the Start menu, so another key
// comes between: the unassigned mask key for ordinary windows; in terminals, which
// drop their selection at any key that is no modifier, the copy's own Ctrl, pressed
// before Alt or Win go up, and a Ctrl tap (or the user's Ctrl) after they are
// pressed again. CopyKeys::None gives no events at all.
std::vector<KeyEvent> CopyKeystrokePlan(const std::vector<std::uint8_t>& held,
                                        CopyKeys keys = CopyKeys::CtrlC);

// What the user last did with each key while a capture ran, as a low-level keyboard
// hook saw it (injected keys left out), by virtual-key code.
enum class LastReal : std::uint8_t { Unseen, Pressed, Released };
using LastRealEvents = std::array<LastReal, 256>;

// The keys the key state says are down, less those the user has been seen to let
// go of: while another program's low-level hook holds a release back, the key
// state still says down.
std::vector<std::uint8_t> StillHeld(const std::vector<std::uint8_t>& key_state_down,
                                    const LastRealEvents& last);

// Key-ups for what the plan leaves down although the user's last real event for it
// was a release: the user let go before the plan pressed it again, and nothing else
// would ever release it.
std::vector<KeyEvent> ReleasesAfterPlan(const std::vector<KeyEvent>& plan,
                                        const LastRealEvents& last);

// The copy keys of a top-level window, by its class; exe_name (the file name of the
// window's program, any case) tells apart the few programs with a generic class.
CopyKeys CopyKeysOfWindow(const std::string& class_name, const std::string& exe_name);

// Ctrl+C and Ctrl+Insert, in the hotkey encoding (virtual key, modifier flags):
// registered system-wide they would take copying away from every program.
bool IsCopyCombination(int key_code, int mod_key_code);

// The modifiers whose state the plan needs.
const std::vector<std::uint8_t>& ModifierKeys();

// What can be learnt of a process's integrity level (its mandatory label's RID).
struct IntegrityProbe {
    bool opened = false;              // the process could be opened for querying
    std::optional<std::uint32_t> rid; // unset when its token could not be read
};

// How a window of the foreground process answered a registered message sent to it.
enum class ReachProbe {
    Answered,
    Denied,   // ERROR_ACCESS_DENIED: the system refused it on its way up, as it refuses keys
    TimedOut, // busy or hung: no refusal
    Failed,   // anything else (the window went away)
};

// Whether injected keys would be silently dropped on their way to the foreground
// process: when both levels are known, whether its level is higher than this
// program's; when either is unknown (a process closed to this program, such as one
// run as administrator with another account's password, or one that merely belongs
// to another account at an equal or lower level), whether the system refuses a
// message to its window. The probe is sent only then.
bool InjectedKeysWouldBeDropped(const IntegrityProbe& foreground, const IntegrityProbe& own,
                                const std::function<ReachProbe()>& probe);

} // namespace qm
