#include "platform/keyboard_layout.h"

#include <algorithm>

namespace qm {

namespace {
constexpr int kModAlt = 1, kModCtrl = 2, kModShift = 4, kModWin = 8;

// A control character (as Ctrl alone gives) goes to programs as a command, not as text.
bool IsTypedCharacter(char16_t c) {
    return c >= 0x20 && c != 0x7F;
}

std::u16string Hex8(std::uint32_t value) {
    std::u16string text(8, u'0');
    for (int i = 7; i >= 0; --i, value >>= 4)
        text[i] = u"0123456789ABCDEF"[value & 0xF];
    return text;
}

std::optional<std::uint32_t> ParseHex(const std::u16string& text) {
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char16_t c : text) {
        const int digit = c >= u'0' && c <= u'9'   ? c - u'0'
                          : c >= u'a' && c <= u'f' ? c - u'a' + 10
                          : c >= u'A' && c <= u'F' ? c - u'A' + 10
                                                   : -1;
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
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
            return LayoutCharacter{typed.text, layout.name, layout.id};
    }
    return std::nullopt;
}

std::u16string LayoutIdOfHandle(std::uintptr_t handle, const LayoutRegistry& registry) {
    // A 64-bit handle with the top bit set comes sign-extended.
    const auto low = static_cast<std::uint32_t>(handle);
    const std::uint32_t device = low >> 16;
    if ((device & 0xF000) == 0xE000)
        return Hex8(low);
    if ((device & 0xF000) != 0xF000)
        return Hex8(device);
    if (!registry.layout_ids || !registry.read)
        return {};
    for (const std::u16string& id : registry.layout_ids()) {
        const auto layout_id = registry.read(id, u"Layout Id");
        if (layout_id && ParseHex(*layout_id) == (device & 0x0FFF))
            return id;
    }
    return {};
}

std::u16string LayoutNameOfHandle(std::uintptr_t handle, const LayoutRegistry& registry) {
    const std::u16string id = LayoutIdOfHandle(handle, registry);
    if (id.empty() || !registry.read)
        return {};
    // The display name follows the user's language; the text is English only.
    if (auto display = registry.read(id, u"Layout Display Name"); display && registry.load_indirect)
        if (std::u16string name = registry.load_indirect(*display); !name.empty())
            return name;
    return registry.read(id, u"Layout Text").value_or(u"");
}

} // namespace qm
