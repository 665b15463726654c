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

const KeyboardLayout us{kUs, u"US"}, us_intl{kUsIntl, u"United States-International"},
    german{kGerman, u"German"}, french{kFrench, u"French"},
    polish{kPolish, u"Polish (Programmers)"};

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
        {"US-International a umlaut", {us, us_intl}, 'Q', kCtrlAlt, u"\u00E4", us_intl.name},
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
        // The program names the layout found by this handle.
        for (const KeyboardLayout& layout : row.layouts)
            if (taken && layout.name == taken->layout_name) {
                EXPECT_EQ(taken->layout_id, layout.id) << row.name;
            }
    }
}

TEST(KeyboardLayoutCheck, ControlCharactersAreNoTypedText) {
    auto control = [](std::uintptr_t, int, bool) { return TypedText{u"\x1B"}; };
    EXPECT_FALSE(CharacterTypedWithCtrlAlt('Q', kCtrlAlt, {german}, control));
}

TEST(KeyboardLayoutCheck, TheQuestionNamesCharacterAndLayout) {
    EXPECT_EQ(CharacterTakenQuestion(u"Ctrl + Alt + Q", {u"@", u"German"}),
              u"Ctrl + Alt + Q types \"@\" on German. Use it anyway?");
}

// As a Windows 10 registry holds them; a display name loads only where the row says so.
const std::map<std::u16string, std::map<std::u16string, std::u16string>> kLayoutKeys = {
    {u"00000409", {{u"Layout Text", u"US"}, {u"Layout Display Name", u"@input.dll,-5000"}}},
    {u"00020409",
     {{u"Layout Text", u"United States-International"},
      {u"Layout Id", u"0001"},
      {u"Layout Display Name", u"@input.dll,-5030"}}},
    {u"00010409", {{u"Layout Text", u"United States-Dvorak"}, {u"Layout Id", u"0002"}}},
    {u"00000407", {{u"Layout Text", u"German"}, {u"Layout Display Name", u"@input.dll,-5011"}}},
    {u"00010415", {{u"Layout Text", u"Polish (Programmers)"}, {u"Layout Id", u"000a"}}},
    {u"E0010411", {{u"Layout Text", u"Japanese Input System (MS-IME2002)"}}},
};

LayoutRegistry FakeLayoutRegistry() {
    LayoutRegistry registry;
    registry.layout_ids = [] {
        std::vector<std::u16string> ids;
        for (const auto& [id, values] : kLayoutKeys)
            ids.push_back(id);
        return ids;
    };
    registry.read = [](const std::u16string& id,
                       const std::u16string& name) -> std::optional<std::u16string> {
        auto key = kLayoutKeys.find(id);
        if (key == kLayoutKeys.end() || !key->second.count(name))
            return std::nullopt;
        return key->second.at(name);
    };
    registry.load_indirect = [](const std::u16string& indirect) -> std::u16string {
        if (indirect == u"@input.dll,-5000")
            return u"US";
        return indirect == u"@input.dll,-5030" ? u"United States-International" : u"";
    };
    return registry;
}

// The low word of a handle is the language: the layout is found by the high word.
TEST(KeyboardLayoutCheck, TheQuestionNamesTheLayoutNotItsLanguage) {
    const struct {
        std::uintptr_t handle;
        const char16_t *id, *name;
        const char* what;
    } rows[] = {
        {0x04090409, u"00000409", u"US", "display name"},
        {0xF0010409, u"00020409", u"United States-International", "Layout Id 1"},
        {0xF0010407, u"00020409", u"United States-International", "the same layout for German"},
        {static_cast<std::uintptr_t>(std::int64_t{-0x0FFEFBF7}), u"00020409",
         u"United States-International", "a sign-extended 64-bit handle"},
        {0xF0020409, u"00010409", u"United States-Dvorak", "no display name: the text"},
        {0xF00A0415, u"00010415", u"Polish (Programmers)", "Layout Id in hex"},
        {0x04070407, u"00000407", u"German", "a display name that does not load: the text"},
        {0xE0010411, u"E0010411", u"Japanese Input System (MS-IME2002)", "an input method"},
        {0xF0090409, u"", u"", "a Layout Id the registry lacks"},
        {0x04150415, u"00000415", u"", "a layout the registry lacks"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LayoutIdOfHandle(row.handle, FakeLayoutRegistry()), row.id) << row.what;
        EXPECT_EQ(LayoutNameOfHandle(row.handle, FakeLayoutRegistry()), row.name) << row.what;
    }
    EXPECT_EQ(LayoutNameOfHandle(0xF0010409, {}), u"") << "no registry at all";
}

} // namespace
} // namespace qm
