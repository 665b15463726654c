#pragma once
// The keyboard as a key event sees it: the state mask and the platform's key names.
#include "platform/keyboard_layout.h"

#include <optional>
#include <string>

namespace qm {

// 1 Shift, 2 Ctrl, 4 Alt, from the state of the message being handled.
int KeyboardShiftMask();

// The platform's name for a virtual key, looked up by its scan code without the
// extended-key bit (so the cursor keys get their keypad names); empty when none.
std::string KeyNameOf(int virtual_key);

// Whether a hotkey's keys are still down: any modifier, or main_key unless it is 0.
bool HotkeyKeysDown(int main_key);

// Whether the key is down now, wherever the keyboard focus is; never for key 0.
bool IsKeyDown(int virtual_key);

// The character that a keyboard layout installed for this user types with the
// combination (virtual key and hotkey modifier flags), asked of every layout with
// ToUnicodeEx; the keyboard's own dead-key state is left as it was.
std::optional<LayoutCharacter> CharacterTypedOnThisPc(int key_code, int mod_key_code);

} // namespace qm
