#include "hotkey/hotkey_text.h"
#include "platform/keyboard_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace qm {
namespace {

constexpr std::uintptr_t kUs = 0x04090409, kUsIntl = 0xF0010409, kGerman = 0x04070407,
                         kFrench = 0x040C040C, kPolish = 0x04150415;
constexpr int kAlt = 1, kCtrl = 2, kShift = 4, kWin = 8, kCtrlAlt = kCtrl | kAlt, kF9 = 0x78;

// What AltGr (Ctrl + Alt), or Shift + AltGr, types on real layouts: German (KBDGR),
// French (KBDFR), Polish (Programmers) (KBDPL1), US-International (KBDUSX). US (KBDUS)
// types nothing with Ctrl + Alt, and no layout types anything with a function key.
const std::map<std::tuple<std::uintptr_t, int, bool>, TypedText> kAltGr = {
    {{kGerman, 'Q', false}, {u"@"}},       {{kGerman, 'E', false}, {u"\u20AC"}},
    {{kGerman, '7', false}, {u"{"}},       {{kGerman, '0', false}, {u"}"}},
    {{kFrench, '0', false}, {u"@"}},       {{kFrench, '3', false}, {u"#"}},
    {{kFrench, '2', false}, {u"~", true}}, {{kFrench, 'E', false}, {u"\u20AC"}},
    {{kPolish, 'A', false}, {u"\u0105"}},  {{kPolish, 'L', false}, {u"\u0142"}},
    {{kPolish, 'Z', false}, {u"\u017C"}},  {{kPolish, 'Z', true}, {u"\u017B"}},
    {{kUsIntl, 'Q', false}, {u"\u00E4"}},  {{kUsIntl, 'Q', true}, {u"\u00C4"}},
    {{kUsIntl, 'W', false}, {u"\u00E5"}},
};

TypedText Translate(std::uintptr_t layout, int key_code, bool shift) {
    auto typed = kAltGr.find({layout, key_code, shift});
    return typed == kAltGr.end() ? TypedText{} : typed->second;
}

const KeyboardLayout us{kUs, u"English (United States)"}, us_intl{kUsIntl, us.name},
    german{kGerman, u"German (Germany)"}, french{kFrench, u"French (France)"},
    polish{kPolish, u"Polish (Poland)"};

TEST(KeyboardLayoutCheck, AHotkeyWithCtrlAndAltTakesWhatAltGrTypes) {
    struct Row {
        const char* name;
        std::vector<KeyboardLayout> layouts;
        int key_code, mod_key_code;
        std::u16string character, layout_name; // empty: nothing taken
    };
    const Row rows[] = {
        {"US only: never asked", {us}, 'Q', kCtrlAlt, u"", u""},
        {"German @", {us, german}, 'Q', kCtrlAlt, u"@", german.name},
        {"German euro", {german}, 'E', kCtrlAlt, u"\u20AC", german.name},
        {"German brace", {german}, '7', kCtrlAlt, u"{", german.name},
        {"German W types nothing", {german}, 'W', kCtrlAlt, u"", u""},
        {"German has no Shift + AltGr + Q", {german}, 'Q', kCtrlAlt | kShift, u"", u""},
        {"French @ on 0", {french}, '0', kCtrlAlt, u"@", french.name},
        {"French dead tilde counts", {french}, '2', kCtrlAlt, u"~", french.name},
        {"Polish z with dot", {us, polish}, 'Z', kCtrlAlt, u"\u017C", polish.name},
        {"Polish capital with Shift", {polish}, 'Z', kCtrlAlt | kShift, u"\u017B", polish.name},
        {"US-International a umlaut", {us, us_intl}, 'Q', kCtrlAlt, u"\u00E4", us.name},
        {"the first layout in the list", {us, german, us_intl}, 'Q', kCtrlAlt, u"@", german.name},
        {"a function key types nothing",
         {german, french, polish, us_intl},
         kF9,
         kCtrlAlt,
         u"",
         u""},
        {"AltGr has no Win", {german}, 'Q', kCtrlAlt | kWin, u"", u""},
        {"Ctrl alone is no AltGr", {german}, 'Q', kCtrl, u"", u""},
        {"Alt alone is no AltGr", {german}, 'Q', kAlt, u"", u""},
        {"no layouts", {}, 'Q', kCtrlAlt, u"", u""},
    };
    for (const Row& row : rows) {
        auto taken =
            CharacterTypedWithCtrlAlt(row.key_code, row.mod_key_code, row.layouts, Translate);
        EXPECT_EQ(taken ? taken->character : u"", row.character) << row.name;
        EXPECT_EQ(taken ? taken->layout_name : u"", row.layout_name) << row.name;
    }
}

TEST(KeyboardLayoutCheck, ControlCharactersAreNoTypedText) {
    auto control = [](std::uintptr_t, int, bool) { return TypedText{u"\x1B"}; };
    EXPECT_FALSE(CharacterTypedWithCtrlAlt('Q', kCtrlAlt, {german}, control));
}

TEST(KeyboardLayoutCheck, TheQuestionNamesCharacterAndLayout) {
    EXPECT_EQ(CharacterTakenQuestion(u"Ctrl + Alt + Q", {u"@", u"German (Germany)"}),
              u"Ctrl + Alt + Q types \"@\" on German (Germany). Use it anyway?");
}

} // namespace
} // namespace qm
