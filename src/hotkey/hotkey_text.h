#pragma once
// Composing a hotkey combination's display text and modifier flags.
#include "platform/keyboard_layout.h"

#include <string>

namespace qm {

// Modifier flags in the platform's RegisterHotKey encoding.
constexpr int kModAlt = 1;
constexpr int kModCtrl = 2;
constexpr int kModShift = 4;
constexpr int kModWin = 8;

// Keyboard state mask of a key event: 1 Shift, 2 Ctrl, 4 Alt.
constexpr int kShiftMaskShift = 1;
constexpr int kShiftMaskCtrl = 2;
constexpr int kShiftMaskAlt = 4;

constexpr int kVkShift = 16, kVkControl = 17, kVkMenu = 18, kVkLeftWin = 91, kVkRightWin = 92,
              kVkApps = 93;

extern const char* const kNoHotkeyText; // "NULL"

struct ModifierPrefix {
    std::string text; // e.g. "Win + Ctrl + Alt + Shift + "
    int mod_key_code = 0;
};

// Win first (left Windows key held), then Ctrl, Alt, Shift.
ModifierPrefix ComposeModifierPrefix(bool win_key_down, int shift_mask);

// Shift, Ctrl, Alt and the left Windows key only form the prefix; they are never a main key.
bool IsModifierOnlyKey(int virtual_key);

// Asked before a combination that takes a character from a layout is switched on, such
// as: Ctrl + Alt + Q types "@" on German (Germany). Use it anyway?
std::u16string CharacterTakenQuestion(const std::u16string& combination,
                                      const LayoutCharacter& taken);
// Said once at start for a stored combination that is on although it takes one.
std::u16string CharacterTakenNotice(const std::u16string& combination,
                                    const LayoutCharacter& taken);

} // namespace qm
