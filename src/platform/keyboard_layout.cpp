#include "platform/keyboard_layout.h"

#include <algorithm>

namespace qm {

namespace {
constexpr int kModAlt = 1, kModCtrl = 2, kModShift = 4, kModWin = 8;

// A control character (as Ctrl alone gives) goes to programs as a command, not as text.
bool IsTypedCharacter(char16_t c) {
    return c >= 0x20 && c != 0x7F;
}
} // namespace

std::optional<LayoutCharacter> CharacterTypedWithCtrlAlt(int key_code, int mod_key_code,
                                                         const std::vector<KeyboardLayout>& layouts,
                                                         const TranslateWithCtrlAlt& translate) {
    const int alt_gr = kModCtrl | kModAlt;
    if (key_code == 0 || (mod_key_code & alt_gr) != alt_gr || (mod_key_code & kModWin) != 0)
        return std::nullopt;
    const bool shift = (mod_key_code & kModShift) != 0;
    for (const KeyboardLayout& layout : layouts) {
        TypedText typed = translate(layout.id, key_code, shift);
        // A dead key types its accent on the next key: it is taken all the same.
        if (typed.dead || std::any_of(typed.text.begin(), typed.text.end(), IsTypedCharacter))
            return LayoutCharacter{typed.text, layout.name};
    }
    return std::nullopt;
}

} // namespace qm
