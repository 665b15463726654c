#include "platform/keyboard.h"

#include <windows.h>

#include "platform/layout_registry.h"
#include "platform/text_codec.h"

#include <algorithm>
#include <vector>

namespace qm {

namespace {
// ToUnicodeEx leaves the keyboard's state (a pending dead key above all) alone when
// given this flag, from Windows 10 1607 (build 14393) on. RtlGetVersion gives the real
// version whatever the manifest says.
constexpr UINT kKeepKeyboardState = 0x4;

bool KeepsKeyboardState() {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    // Through void(*)(): GCC's warning about casts between function types exempts it.
    auto get_version = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    return get_version && get_version(&version) == 0 &&
           (version.dwMajorVersion > 10 ||
            (version.dwMajorVersion == 10 && version.dwBuildNumber >= 14393));
}

// Unnamed: only a layout that takes the character is named, and most take none.
std::vector<KeyboardLayout> InstalledKeyboardLayouts() {
    HKL handles[64];
    const int count = GetKeyboardLayoutList(64, handles);
    std::vector<KeyboardLayout> layouts;
    for (int i = 0; i < count; ++i)
        layouts.push_back({reinterpret_cast<std::uintptr_t>(handles[i]), {}});
    return layouts;
}

TypedText TypeWithCtrlAlt(std::uintptr_t layout_id, int key_code, bool shift) {
    HKL layout = reinterpret_cast<HKL>(layout_id);
    BYTE state[256] = {};
    // AltGr as Windows delivers it: left Ctrl and right Alt.
    state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_MENU] = state[VK_RMENU] = 0x80;
    if (shift)
        state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    const auto key = static_cast<UINT>(key_code);
    const UINT scan_code = MapVirtualKeyExW(key, MAPVK_VK_TO_VSC, layout);
    const UINT flags = KeepsKeyboardState() ? kKeepKeyboardState : 0;
    wchar_t buffer[8] = {};
    int count = ToUnicodeEx(key, scan_code, state, buffer, 8, flags, layout);
    if (count < 0 && flags == 0) {
        // Older Windows keep the dead key waiting for the next key: the same key again
        // lets it out, so the user's next key is not changed by this question.
        wchar_t discarded[8];
        ToUnicodeEx(key, scan_code, state, discarded, 8, 0, layout);
    }
    // A dead key leaves its spacing form in the buffer.
    const int length = count < 0 ? (buffer[0] ? 1 : 0) : std::min(count, 8);
    return {std::u16string(buffer, buffer + length), count < 0};
}
} // namespace

int KeyboardShiftMask() {
    int mask = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        mask |= 1;
    if (GetKeyState(VK_CONTROL) < 0)
        mask |= 2;
    if (GetKeyState(VK_MENU) < 0)
        mask |= 4;
    return mask;
}

bool HotkeyKeysDown(int main_key) {
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN, main_key})
        if (IsKeyDown(key))
            return true;
    return false;
}

bool IsKeyDown(int virtual_key) {
    return virtual_key != 0 && (GetAsyncKeyState(virtual_key) & 0x8000) != 0;
}

std::string KeyNameOf(int virtual_key) {
    UINT scan_code = MapVirtualKeyA(static_cast<UINT>(virtual_key), MAPVK_VK_TO_VSC);
    char name[255] = {};
    int length = GetKeyNameTextA(static_cast<LONG>(scan_code << 16), name, sizeof(name));
    if (length <= 0)
        return {};
    return std::string(name, strnlen(name, static_cast<size_t>(length)));
}

std::optional<LayoutCharacter> CharacterTypedOnThisPc(int key_code, int mod_key_code) {
    auto taken = CharacterTypedWithCtrlAlt(key_code, mod_key_code, InstalledKeyboardLayouts(),
                                           TypeWithCtrlAlt);
    if (!taken)
        return taken;
    // Named now, by the registry, else by its language, the handle's low word.
    taken->layout_name = LayoutNameOfHandle(taken->layout_id, LayoutRegistryAt());
    if (taken->layout_name.empty()) {
        wchar_t language[128];
        const int length = GetLocaleInfoW(MAKELCID(taken->layout_id & 0xFFFF, SORT_DEFAULT),
                                          LOCALE_SLOCALIZEDDISPLAYNAME, language, 128);
        taken->layout_name =
            length > 1 ? FromWide(std::wstring(language, length - 1)) : u"a keyboard layout";
    }
    return taken;
}

} // namespace qm
