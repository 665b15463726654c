#pragma once
// Whether a hotkey with Ctrl and Alt takes a character from a keyboard layout. Windows
// delivers AltGr as left Ctrl + right Alt, and a hotkey registered with Ctrl and Alt
// fires for either, so on a German keyboard Ctrl + Alt + Q also catches AltGr + Q, and
// the "@" it types never arrives. Kept free of Windows headers: the translation of a
// key is a parameter, since no test machine has the layouts to check against.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qm {

struct KeyboardLayout {
    std::uintptr_t id = 0; // the input locale (HKL)
    std::u16string name;   // as the user knows it, such as "German (Germany)"
};

// What a layout types for a key pressed with Ctrl and Alt (and Shift) held.
struct TypedText {
    std::u16string text;
    bool dead = false; // a dead key; text is its spacing form
};

using TranslateWithCtrlAlt =
    std::function<TypedText(std::uintptr_t layout, int key_code, bool shift)>;

struct LayoutCharacter {
    std::u16string character;
    std::u16string layout_name;
};

// The first layout, in the order given, on which the combination (a virtual key and
// the hotkey's modifier flags: Alt 1, Ctrl 2, Shift 4, Win 8) types a character; a dead
// key counts. Only a combination with both Ctrl and Alt and without Win can: AltGr
// knows no Win key.
std::optional<LayoutCharacter> CharacterTypedWithCtrlAlt(int key_code, int mod_key_code,
                                                         const std::vector<KeyboardLayout>& layouts,
                                                         const TranslateWithCtrlAlt& translate);

} // namespace qm
