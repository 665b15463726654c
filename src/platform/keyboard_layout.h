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
    std::u16string name;   // as the user knows it, such as "United States-International"
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
    std::uintptr_t layout_id = 0;
};

// The first layout, in the order given, on which the combination (a virtual key and
// the hotkey's modifier flags: Alt 1, Ctrl 2, Shift 4, Win 8) types a character; a dead
// key counts. Only a combination with both Ctrl and Alt and without Win can: AltGr
// knows no Win key.
std::optional<LayoutCharacter> CharacterTypedWithCtrlAlt(int key_code, int mod_key_code,
                                                         const std::vector<KeyboardLayout>& layouts,
                                                         const TranslateWithCtrlAlt& translate);

// The registry's "Keyboard Layouts" key as naming a layout needs it: the layout ids
// (its subkeys, such as "00020409") and their text values; and the shell's reading of
// an indirect string ("@%SystemRoot%\system32\input.dll,-5030"), empty when it fails.
struct LayoutRegistry {
    std::function<std::vector<std::u16string>()> layout_ids;
    std::function<std::optional<std::u16string>(const std::u16string& layout_id,
                                                const std::u16string& value_name)>
        read;
    std::function<std::u16string(const std::u16string& indirect)> load_indirect;
};

// The layout id (eight hex digits) of a layout handle (HKL), whose low word is only the
// language: a high word of F and a number is the "Layout Id" of one of the registry's
// layouts, E and more an input method whose id is the handle itself, and any other
// high word the layout id's low word. Empty when the registry names no such layout.
std::u16string LayoutIdOfHandle(std::uintptr_t handle, const LayoutRegistry& registry);

// The layout's own name, as Settings lists it ("United States-International"): its
// "Layout Display Name", else its "Layout Text"; empty when the registry has neither.
std::u16string LayoutNameOfHandle(std::uintptr_t handle, const LayoutRegistry& registry);

} // namespace qm
