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

TEST(CopyKeyPlan, ReleasesHeldModifiersAndMasksAltAndWin) {
    const KeyEvent mask_down{vk::kMask, false}, mask_up{vk::kMask, true};
    const std::vector<KeyEvent> copy = {
        {vk::kControl, false}, {vk::kC, false}, {vk::kC, true}, {vk::kControl, true}};
    auto then_copy = [&](std::vector<KeyEvent> head) {
        head.insert(head.end(), copy.begin(), copy.end());
        return head;
    };
    struct Row {
        const char* name;
        std::vector<std::uint8_t> held;
        std::vector<KeyEvent> expected;
    };
    const Row rows[] = {
        {"nothing held", {}, copy},
        {"ctrl held: pressed and released as part of the copy", {vk::kLeftControl}, copy},
        {"shift needs no mask", {vk::kLeftShift}, then_copy({{vk::kLeftShift, true}})},
        {"alt", {vk::kLeftAlt}, then_copy({mask_down, mask_up, {vk::kLeftAlt, true}})},
        {"right alt", {vk::kRightAlt}, then_copy({mask_down, mask_up, {vk::kRightAlt, true}})},
        {"win", {vk::kLeftWin}, then_copy({mask_down, mask_up, {vk::kLeftWin, true}})},
        {"ctrl alt shift win",
         {vk::kLeftControl, vk::kRightWin, vk::kLeftShift, vk::kLeftAlt},
         then_copy({mask_down,
                    mask_up,
                    {vk::kLeftAlt, true},
                    {vk::kLeftShift, true},
                    {vk::kRightWin, true}})},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CopyKeystrokePlan(row.held), row.expected)
            << row.name << ": got " << Describe(CopyKeystrokePlan(row.held));

    const std::vector<KeyEvent> terminal_copy = {mask_down,
                                                 mask_up,
                                                 {vk::kLeftAlt, true},
                                                 {vk::kControl, false},
                                                 {vk::kInsert, false},
                                                 {vk::kInsert, true},
                                                 {vk::kControl, true}};
    EXPECT_EQ(CopyKeystrokePlan({vk::kLeftAlt}, vk::kInsert), terminal_copy)
        << Describe(CopyKeystrokePlan({vk::kLeftAlt}, vk::kInsert));
}

TEST(CopyKeyPlan, TerminalsAndCopyCombinations) {
    for (const char* terminal :
         {"ConsoleWindowClass", "CASCADIA_HOSTING_WINDOW_CLASS", "mintty", "WineConsoleClass"})
        EXPECT_TRUE(IsTerminalWindowClass(terminal)) << terminal;
    for (const char* other : {"Notepad", "Edit", "consolewindowclass", ""})
        EXPECT_FALSE(IsTerminalWindowClass(other)) << other;

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

} // namespace
} // namespace qm
