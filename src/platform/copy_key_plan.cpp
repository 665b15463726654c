#include "platform/copy_key_plan.h"

#include <algorithm>

namespace qm {

namespace {
bool IsAltOrWin(std::uint8_t key) {
    return key == vk::kLeftAlt || key == vk::kRightAlt || key == vk::kLeftWin ||
           key == vk::kRightWin;
}
} // namespace

const std::vector<std::uint8_t>& ReleasedModifiers() {
    static const std::vector<std::uint8_t> keys = {vk::kLeftAlt,    vk::kRightAlt, vk::kLeftShift,
                                                   vk::kRightShift, vk::kLeftWin,  vk::kRightWin};
    return keys;
}

std::vector<KeyEvent> CopyKeystrokePlan(const std::vector<std::uint8_t>& held,
                                        std::uint8_t copy_key) {
    std::vector<std::uint8_t> to_release;
    for (std::uint8_t key : ReleasedModifiers())
        if (std::find(held.begin(), held.end(), key) != held.end())
            to_release.push_back(key);

    std::vector<KeyEvent> plan;
    if (std::any_of(to_release.begin(), to_release.end(), IsAltOrWin)) {
        plan.push_back({vk::kMask, false});
        plan.push_back({vk::kMask, true});
    }
    for (std::uint8_t key : to_release)
        plan.push_back({key, true});
    // Nothing is pressed again afterwards: the user is letting go of the hotkey anyway.
    plan.push_back({vk::kControl, false});
    plan.push_back({copy_key, false});
    plan.push_back({copy_key, true});
    plan.push_back({vk::kControl, true});
    return plan;
}

bool IsTerminalWindowClass(const std::string& class_name) {
    // conhost, Windows Terminal, mintty, Wine's console.
    static const char* const kTerminals[] = {"ConsoleWindowClass", "CASCADIA_HOSTING_WINDOW_CLASS",
                                             "mintty", "WineConsoleClass"};
    for (const char* terminal : kTerminals)
        if (class_name == terminal)
            return true;
    return false;
}

bool IsCopyCombination(int key_code, int mod_key_code) {
    constexpr int kModControl = 2;
    return mod_key_code == kModControl && (key_code == vk::kC || key_code == vk::kInsert);
}

} // namespace qm
