#include "platform/copy_key_plan.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

std::string Describe(const std::vector<KeyEvent>& plan) {
    std::string text;
    for (const KeyEvent& event : plan)
        text += std::to_string(event.vk) + (event.up ? "^ " : "v ");
    return text;
}

std::vector<KeyEvent> Join(std::initializer_list<std::vector<KeyEvent>> parts) {
    std::vector<KeyEvent> joined;
    for (const auto& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

// The held modifiers go up for the copy and down again after it, so the auto-repeat of
// a still held hotkey key never reaches the window as a plain letter.
TEST(CopyKeyPlan, ReleasesHeldModifiersAndPressesThemAgain) {
    const std::vector<KeyEvent> mask = {{vk::kMask, false}, {vk::kMask, true}};
    const std::vector<KeyEvent> copy = {
        {vk::kControl, false}, {vk::kC, false}, {vk::kC, true}, {vk::kControl, true}};
    // Terminals: the copy's Ctrl goes down first, and up after the main key.
    const std::vector<KeyEvent> ctrl = {{vk::kControl, false}};
    const std::vector<KeyEvent> ctrl_tap = {{vk::kControl, false}, {vk::kControl, true}};
    const std::vector<KeyEvent> insert = {
        {vk::kInsert, false}, {vk::kInsert, true}, {vk::kControl, true}};
    const std::vector<KeyEvent> shift_c = {{vk::kShift, false},
                                           {vk::kC, false},
                                           {vk::kC, true},
                                           {vk::kShift, true},
                                           {vk::kControl, true}};
    struct Row {
        const char* name;
        std::vector<std::uint8_t> held;
        CopyKeys keys;
        std::vector<KeyEvent> expected;
    };
    const Row rows[] = {
        {"nothing held", {}, CopyKeys::CtrlC, copy},
        {"left ctrl: up with the copy's own ctrl, so down again",
         {vk::kLeftControl},
         CopyKeys::CtrlC,
         Join({copy, {{vk::kLeftControl, false}}})},
        {"right ctrl never goes up", {vk::kRightControl}, CopyKeys::CtrlC, copy},
        {"shift needs no mask",
         {vk::kLeftShift},
         CopyKeys::CtrlC,
         Join({{{vk::kLeftShift, true}}, copy, {{vk::kLeftShift, false}}})},
        {"alt: masked when let go and when the user lets go",
         {vk::kLeftAlt},
         CopyKeys::CtrlC,
         Join({mask, {{vk::kLeftAlt, true}}, copy, {{vk::kLeftAlt, false}}, mask})},
        {"right alt",
         {vk::kRightAlt},
         CopyKeys::CtrlC,
         Join({mask, {{vk::kRightAlt, true}}, copy, {{vk::kRightAlt, false}}, mask})},
        {"win",
         {vk::kLeftWin},
         CopyKeys::CtrlC,
         Join({mask, {{vk::kLeftWin, true}}, copy, {{vk::kLeftWin, false}}, mask})},
        {"ctrl alt shift win",
         {vk::kLeftControl, vk::kRightWin, vk::kLeftShift, vk::kLeftAlt},
         CopyKeys::CtrlC,
         Join({mask,
               {{vk::kLeftAlt, true}, {vk::kLeftShift, true}, {vk::kRightWin, true}},
               copy,
               {{vk::kLeftControl, false},
                {vk::kLeftAlt, false},
                {vk::kLeftShift, false},
                {vk::kRightWin, false}},
               mask})},
        // A terminal drops its selection at any key but a modifier: no mask key there.
        {"terminal: the copy's ctrl goes down before alt goes up, a ctrl tap masks it after",
         {vk::kLeftAlt},
         CopyKeys::CtrlInsert,
         Join({ctrl, {{vk::kLeftAlt, true}}, insert, {{vk::kLeftAlt, false}}, ctrl_tap})},
        {"terminal: the user's ctrl, pressed again last, masks alt",
         {vk::kLeftControl, vk::kLeftAlt},
         CopyKeys::CtrlInsert,
         Join({ctrl,
               {{vk::kLeftAlt, true}},
               insert,
               {{vk::kLeftAlt, false}, {vk::kLeftControl, false}}})},
        {"terminal: ctrl shift c with win held",
         {vk::kRightWin},
         CopyKeys::CtrlShiftC,
         Join({ctrl, {{vk::kRightWin, true}}, shift_c, {{vk::kRightWin, false}}, ctrl_tap})},
        {"terminal: ctrl shift c, the user's shift needs no mask",
         {vk::kRightShift},
         CopyKeys::CtrlShiftC,
         Join({ctrl, {{vk::kRightShift, true}}, shift_c, {{vk::kRightShift, false}}})},
        {"terminal that copies on select: nothing at all", {vk::kLeftAlt}, CopyKeys::None, {}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CopyKeystrokePlan(row.held, row.keys), row.expected)
            << row.name << ": got " << Describe(CopyKeystrokePlan(row.held, row.keys));
}

// The key state can say down after the user let go (another program's low-level hook
// holds the release back): the user's own last event decides, and nothing the plan
// leaves down stays down once the user has let go of it.
TEST(CopyKeyPlan, WhatTheUserLetGoOfStaysUp) {
    const std::vector<KeyEvent> alt_again = CopyKeystrokePlan({vk::kLeftAlt, vk::kLeftControl});
    constexpr LastReal up = LastReal::Released, down = LastReal::Pressed;
    struct Row {
        const char* name;
        std::vector<std::pair<std::uint8_t, LastReal>> seen;
        std::vector<std::uint8_t> held;
        std::vector<KeyEvent> releases;
    };
    const Row rows[] = {
        {"nothing seen: held as the key state says", {}, {vk::kLeftAlt, vk::kLeftControl}, {}},
        {"alt let go", {{vk::kLeftAlt, up}}, {vk::kLeftControl}, {{vk::kLeftAlt, true}}},
        {"alt let go and pressed again",
         {{vk::kLeftAlt, down}},
         {vk::kLeftAlt, vk::kLeftControl},
         {}},
        {"both let go",
         {{vk::kLeftAlt, up}, {vk::kLeftControl, up}},
         {},
         {{vk::kLeftAlt, true}, {vk::kLeftControl, true}}},
        {"a key the plan never pressed",
         {{vk::kRightWin, up}},
         {vk::kLeftAlt, vk::kLeftControl},
         {}},
    };
    for (const Row& row : rows) {
        LastRealEvents last{};
        for (auto [key, event] : row.seen)
            last[key] = event;
        EXPECT_EQ(StillHeld({vk::kLeftAlt, vk::kLeftControl}, last), row.held) << row.name;
        EXPECT_EQ(ReleasesAfterPlan(alt_again, last), row.releases)
            << row.name << ": got " << Describe(ReleasesAfterPlan(alt_again, last));
    }
}

TEST(CopyKeyPlan, EachTerminalGetsItsOwnCopyKeys) {
    struct Row {
        const char* class_name;
        const char* exe_name;
        CopyKeys keys;
    };
    const Row rows[] = {
        {"ConsoleWindowClass", "cmd.exe", CopyKeys::CtrlInsert},
        {"CASCADIA_HOSTING_WINDOW_CLASS", "WindowsTerminal.exe", CopyKeys::CtrlInsert},
        {"mintty", "mintty.exe", CopyKeys::CtrlInsert},
        {"mintty_12", "mintty.exe", CopyKeys::CtrlInsert}, // tabs kept in sync
        {"mintty_", "", CopyKeys::CtrlC},
        {"mintty_tabs", "", CopyKeys::CtrlC},
        {"WineConsoleClass", "conhost.exe", CopyKeys::CtrlInsert},
        {"PuTTY", "putty.exe", CopyKeys::CtrlInsert},
        {"KiTTY", "kitty.exe", CopyKeys::CtrlInsert},
        {"VirtualConsoleClass", "ConEmu64.exe", CopyKeys::None},
        {"org.wezfurlong.wezterm", "wezterm-gui.exe", CopyKeys::CtrlShiftC},
        {"Window Class", "alacritty.exe", CopyKeys::CtrlShiftC},
        {"Window Class", "Alacritty.EXE", CopyKeys::CtrlShiftC},
        {"TMobaXtermForm", "MobaXterm.exe", CopyKeys::None},
        // Other programs with winit's class copy with Ctrl+C as everyone else.
        {"Window Class", "", CopyKeys::CtrlC},
        {"Window Class", "someeditor.exe", CopyKeys::CtrlC},
        {"Notepad", "notepad.exe", CopyKeys::CtrlC},
        {"consolewindowclass", "", CopyKeys::CtrlC},
        {"", "", CopyKeys::CtrlC},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CopyKeysOfWindow(row.class_name, row.exe_name), row.keys)
            << row.class_name << " / " << row.exe_name;
}

TEST(CopyKeyPlan, CopyCombinations) {
    struct Row {
        int key_code, mod_key_code;
        bool copy;
    };
    const Row rows[] = {{'C', 2, true},      {0x2D, 2, true},     {'C', 2 | 4, false},
                        {'C', 0, false},     {0x2D, 1, false},    {'V', 2, false},
                        {'C', 2 | 8, false}, {0x2D, 2 | 1, false}};
    for (const Row& row : rows)
        EXPECT_EQ(IsCopyCombination(row.key_code, row.mod_key_code), row.copy)
            << row.key_code << " with " << row.mod_key_code;
}

// The system drops injected keys on their way to a higher integrity level, and says so
// nowhere. Where a level cannot be read, the system's refusal of a message says it.
TEST(CopyKeyPlan, KeysAreDroppedOnlyOnTheWayUp) {
    constexpr std::uint32_t kMedium = 0x2000, kHigh = 0x3000, kSystem = 0x4000;
    const IntegrityProbe closed{false, std::nullopt};
    const IntegrityProbe unread{true, std::nullopt};
    using R = ReachProbe;
    struct Row {
        const char* name;
        IntegrityProbe foreground, own;
        std::optional<ReachProbe> probe; // unset: must not be sent
        bool dropped;
    };
    const Row rows[] = {
        {"same level", {true, kMedium}, {true, kMedium}, std::nullopt, false},
        {"lower level", {true, kMedium}, {true, kHigh}, std::nullopt, false},
        {"administrator", {true, kHigh}, {true, kMedium}, std::nullopt, true},
        {"system", {true, kSystem}, {true, kHigh}, std::nullopt, true},
        // Another account's process is closed to us whatever its level: its window tells.
        {"cannot be opened, answers", closed, {true, kMedium}, R::Answered, false},
        {"cannot be opened, refused: elevated", closed, {true, kMedium}, R::Denied, true},
        {"cannot be opened, busy: no refusal", closed, {true, kMedium}, R::TimedOut, false},
        {"cannot be opened, window gone", closed, {true, kMedium}, R::Failed, false},
        {"opened but its token is closed", unread, {true, kMedium}, R::Answered, false},
        {"token closed, refused", unread, {true, kMedium}, R::Denied, true},
        {"own level unknown, answers", {true, kHigh}, unread, R::Answered, false},
        {"own level unknown, refused", {true, kHigh}, unread, R::Denied, true},
        {"nothing known at all", closed, unread, R::TimedOut, false},
    };
    for (const Row& row : rows) {
        int probes = 0;
        auto probe = [&] {
            ++probes;
            return row.probe.value_or(R::Denied);
        };
        EXPECT_EQ(InjectedKeysWouldBeDropped(row.foreground, row.own, probe), row.dropped)
            << row.name;
        EXPECT_EQ(probes, row.probe ? 1 : 0) << row.name;
    }
    EXPECT_FALSE(InjectedKeysWouldBeDropped(closed, {true, kMedium}, nullptr)) << "no probe";
}

} // namespace
} // namespace qm
