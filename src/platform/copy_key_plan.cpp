#include "platform/copy_key_plan.h"

#include <algorithm>
#include <cctype>

namespace qm {

namespace {
bool IsAltOrWin(std::uint8_t key) {
    return key == vk::kLeftAlt || key == vk::kRightAlt || key == vk::kLeftWin ||
           key == vk::kRightWin;
}

bool Contains(const std::vector<std::uint8_t>& keys, std::uint8_t key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

// Let go of before the copy keys: Alt, Shift and Win would change what they mean.
// Ctrl is not let go of but goes up with the copy keys' own Ctrl (the left one).
const std::vector<std::uint8_t>& ModifiersLetGo() {
    static const std::vector<std::uint8_t> keys = {vk::kLeftAlt,    vk::kRightAlt, vk::kLeftShift,
                                                   vk::kRightShift, vk::kLeftWin,  vk::kRightWin};
    return keys;
}

void AddMask(std::vector<KeyEvent>& plan) {
    plan.push_back({vk::kMask, false});
    plan.push_back({vk::kMask, true});
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}
} // namespace

const std::vector<std::uint8_t>& ModifierKeys() {
    static const std::vector<std::uint8_t> keys = {
        vk::kLeftControl, vk::kRightControl, vk::kLeftAlt, vk::kRightAlt,
        vk::kLeftShift,   vk::kRightShift,   vk::kLeftWin, vk::kRightWin};
    return keys;
}

std::vector<KeyEvent> CopyKeystrokePlan(const std::vector<std::uint8_t>& held, CopyKeys keys) {
    std::vector<KeyEvent> plan;
    if (keys == CopyKeys::None)
        return plan;
    std::vector<std::uint8_t> let_go;
    for (std::uint8_t key : ModifiersLetGo())
        if (Contains(held, key))
            let_go.push_back(key);
    const bool alt_or_win = std::any_of(let_go.begin(), let_go.end(), IsAltOrWin);
    // A terminal gets no mask key: it would drop the selection before the copy.
    const bool terminal = keys != CopyKeys::CtrlC;

    if (terminal)
        plan.push_back({vk::kControl, false});
    else if (alt_or_win)
        AddMask(plan);
    for (std::uint8_t key : let_go)
        plan.push_back({key, true});

    const std::uint8_t main_key = keys == CopyKeys::CtrlInsert ? vk::kInsert : vk::kC;
    if (!terminal)
        plan.push_back({vk::kControl, false});
    if (keys == CopyKeys::CtrlShiftC)
        plan.push_back({vk::kShift, false});
    plan.push_back({main_key, false});
    plan.push_back({main_key, true});
    if (keys == CopyKeys::CtrlShiftC)
        plan.push_back({vk::kShift, true});
    plan.push_back({vk::kControl, true});

    // Whatever the user still holds is down again afterwards. The copy keys' Ctrl is
    // the left one, so a held right Ctrl never went up.
    const bool left_control = Contains(held, vk::kLeftControl);
    if (left_control && !terminal)
        plan.push_back({vk::kLeftControl, false});
    for (std::uint8_t key : let_go)
        plan.push_back({key, false});
    // Masked again: the user's own release of Alt or Win must not open a menu either.
    // In a terminal the user's Ctrl, pressed again last, masks it, or else a Ctrl tap.
    if (terminal && left_control)
        plan.push_back({vk::kLeftControl, false});
    else if (terminal && alt_or_win)
        plan.insert(plan.end(), {{vk::kControl, false}, {vk::kControl, true}});
    else if (alt_or_win)
        AddMask(plan);
    return plan;
}

std::vector<std::uint8_t> StillHeld(const std::vector<std::uint8_t>& key_state_down,
                                    const LastRealEvents& last) {
    std::vector<std::uint8_t> held;
    for (std::uint8_t key : key_state_down)
        if (last[key] != LastReal::Released)
            held.push_back(key);
    return held;
}

std::vector<KeyEvent> ReleasesAfterPlan(const std::vector<KeyEvent>& plan,
                                        const LastRealEvents& last) {
    std::vector<KeyEvent> releases;
    for (auto event = plan.rbegin(); event != plan.rend(); ++event) {
        const bool seen_later = std::any_of(
            plan.rbegin(), event, [&](const KeyEvent& later) { return later.vk == event->vk; });
        if (!seen_later && !event->up && last[event->vk] == LastReal::Released)
            releases.push_back({event->vk, true});
    }
    return releases;
}

CopyKeys CopyKeysOfWindow(const std::string& class_name, const std::string& exe_name) {
    // mintty with its tabs kept in sync names its class "mintty_" and a number.
    const std::string kMinttyTabs = "mintty_";
    if (class_name.size() > kMinttyTabs.size() && class_name.rfind(kMinttyTabs, 0) == 0 &&
        std::all_of(class_name.begin() + kMinttyTabs.size(), class_name.end(),
                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return CopyKeysOfWindow("mintty", exe_name);
    struct Row {
        const char* class_name;
        const char* exe_name; // only for a class other programs use as well
        CopyKeys keys;
    };
    static const Row kRows[] = {
        // Windows console: Ctrl+Insert copies the selection, with the Ctrl key shortcuts of
        // Windows 10; blogs.windows.com, "Console Improvements in the Windows 10 Technical
        // Preview" (2014).
        {"ConsoleWindowClass", nullptr, CopyKeys::CtrlInsert},
        // Windows Terminal: default "copy" bindings ctrl+c (with a selection), ctrl+shift+c,
        // ctrl+insert; github.com/microsoft/terminal/issues/5316.
        {"CASCADIA_HOSTING_WINDOW_CLASS", nullptr, CopyKeys::CtrlInsert},
        // mintty (Git Bash, Cygwin, MSYS2): "Ctrl+Ins" copies; Ctrl+Shift+C only with
        // CtrlShiftShortcuts=yes. mintty(1), "Text selection, copy & paste".
        {"mintty", nullptr, CopyKeys::CtrlInsert},
        // Wine's console, as the Windows console.
        {"WineConsoleClass", nullptr, CopyKeys::CtrlInsert},
        // PuTTY 0.71 and later: "Ctrl-Ins will copy to the same location" Shift-Ins pastes
        // from, the system clipboard by default. PuTTY manual 4.11.4 (config-clipboards).
        {"PuTTY", nullptr, CopyKeys::CtrlInsert},
        // KiTTY, a PuTTY fork with PuTTY's clipboard keys (same manual).
        {"KiTTY", nullptr, CopyKeys::CtrlInsert},
        // ConEmu and Cmder: "Copy on Left Button release" is on by default, and Ctrl+C
        // copies only while a selection exists; github.com/ConEmu/ConEmu/issues/977.
        {"VirtualConsoleClass", nullptr, CopyKeys::None},
        // WezTerm: CTRL+SHIFT c is CopyTo="Clipboard"; CTRL Insert copies to the primary
        // selection only. wezterm docs/config/default-keys.md.
        {"org.wezfurlong.wezterm", nullptr, CopyKeys::CtrlShiftC},
        // Alacritty: Control|Shift C is Copy on Windows, Insert is sent to the shell;
        // alacritty/src/config/bindings.rs. Its window keeps winit's generic class.
        {"Window Class", "alacritty.exe", CopyKeys::CtrlShiftC},
        // MobaXterm copies the selection as it is made (github.com/kingToolbox/WindTerm
        // /issues/1968, github.com/spyder-ide/spyder/issues/21626).
        {"TMobaXtermForm", nullptr, CopyKeys::None},
    };
    for (const Row& row : kRows)
        if (class_name == row.class_name &&
            (row.exe_name == nullptr || EqualsIgnoringCase(exe_name, row.exe_name)))
            return row.keys;
    return CopyKeys::CtrlC;
}

bool IsCopyCombination(int key_code, int mod_key_code) {
    constexpr int kModControl = 2;
    return mod_key_code == kModControl && (key_code == vk::kC || key_code == vk::kInsert);
}

bool InjectedKeysWouldBeDropped(const IntegrityProbe& foreground, const IntegrityProbe& own,
                                const std::function<ReachProbe()>& probe) {
    if (own.rid && foreground.rid)
        return *foreground.rid > *own.rid;
    return probe && probe() == ReachProbe::Denied;
}

} // namespace qm
