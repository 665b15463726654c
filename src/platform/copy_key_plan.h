#pragma once
// The key events that make a focused window see plain Ctrl+C (or Ctrl+Insert)
// while the user may still hold the hotkey's modifiers. Kept free of Windows
// headers so the order can be checked on its own; the codes are Windows
// virtual-key codes.
#include <cstdint>
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

// held: the modifier keys (left/right Shift, Alt, Win) that are down now.
// copy_key: vk::kC, or vk::kInsert for terminals, where Ctrl+C interrupts.
std::vector<KeyEvent> CopyKeystrokePlan(const std::vector<std::uint8_t>& held,
                                        std::uint8_t copy_key = vk::kC);

// Whether a top-level window of this class is a console or terminal.
bool IsTerminalWindowClass(const std::string& class_name);

// Ctrl+C and Ctrl+Insert, in the hotkey encoding (virtual key, modifier flags):
// registered system-wide they would take copying away from every program.
bool IsCopyCombination(int key_code, int mod_key_code);

// The modifiers the plan releases when they are held.
const std::vector<std::uint8_t>& ReleasedModifiers();

} // namespace qm
