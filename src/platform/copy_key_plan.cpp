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

std::vector<KeyEvent> CopyKeystrokePlan(const std::vector<std::uint8_t>& held) {
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
    plan.push_back({vk::kC, false});
    plan.push_back({vk::kC, true});
    plan.push_back({vk::kControl, true});
    return plan;
}

} // namespace qm
