#include "hotkey/hotkey_capture.h"
#include "hotkey/stored_hotkey.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

// Names as the platform gives them for a few keys; 0xFF has no name.
std::string KeyName(int vk) {
    if (vk >= 'A' && vk <= 'Z')
        return std::string(1, static_cast<char>(vk));
    if (vk >= 0x70 && vk <= 0x7B)
        return "F" + std::to_string(vk - 0x6F);
    return {};
}

enum Kind { Down, Up };
struct Key {
    Kind kind;
    int vk;
    int shift = 0; // the state mask while the event arrives
};

struct Expected {
    std::string text;
    int key_code;
    int mod_key_code;
};

// Plays key events into a capture, as the field would, and returns what it shows.
Expected Play(HotKeyCapture& capture, const std::vector<Key>& keys) {
    std::string text = "NULL";
    for (const Key& key : keys) {
        if (key.kind == Down)
            text = capture.KeyDown(key.vk, key.shift, KeyName);
        else if (capture.KeyUp(key.vk))
            text = "NULL";
    }
    return {text, capture.key_code(), capture.mod_key_code()};
}

TEST(HotKeyCapture, KeySequences) {
    const int kShift = 1, kCtrl = 2, kAlt = 4;
    struct Row {
        const char* name;
        std::vector<Key> keys;
        Expected expected;
    };
    const Row rows[] = {
        {"ctrl+q released",
         {{Down, 17, kCtrl}, {Down, 'Q', kCtrl}, {Up, 'Q', kCtrl}, {Up, 17, 0}},
         {"Ctrl + Q", 81, 2}},
        {"ctrl+alt+shift+f5 held",
         {{Down, 16, kShift}, {Down, 18, kShift | kAlt}, {Down, 17, 7}, {Down, 0x74, 7}},
         {"Ctrl + Alt + Shift + F5", 0x74, 7}},
        {"win+ctrl+alt+shift+f5",
         {{Down, 91}, {Down, 17, kCtrl}, {Down, 0x74, 7}},
         {"Win + Ctrl + Alt + Shift + F5", 0x74, 15}},
        {"ctrl held then released", {{Down, 17, kCtrl}, {Up, 17}}, {"NULL", 0, 0}},
        {"right win is a main key", {{Down, 92}}, {"", 92, 0}},
        {"nameless key keeps its code", {{Down, 0xFF, kCtrl}}, {"Ctrl + ", 0xFF, 2}},
        {"nothing accumulates",
         {{Down, 17, kCtrl}, {Down, 'Q', kCtrl}, {Up, 'Q', kCtrl}, {Up, 17}, {Down, 'W'}},
         {"W", 'W', 0}},
        {"modifier after main key starts over",
         {{Down, 'Q', kCtrl}, {Up, 'Q', kCtrl}, {Down, 18, kCtrl | kAlt}, {Up, 18, kCtrl}},
         {"NULL", 0, 0}},
        // The Win key released elsewhere never clears, so Win stays in later captures.
        {"win stays without its key-up", {{Down, 91}, {Down, 'Q'}}, {"Win + Q", 'Q', 8}},
        {"win cleared by its key-up", {{Down, 91}, {Up, 91}, {Down, 'Q'}}, {"Q", 'Q', 0}},
    };
    for (const Row& row : rows) {
        HotKeyCapture capture;
        Expected got = Play(capture, row.keys);
        EXPECT_EQ(got.text, row.expected.text) << row.name;
        EXPECT_EQ(got.key_code, row.expected.key_code) << row.name;
        EXPECT_EQ(got.mod_key_code, row.expected.mod_key_code) << row.name;
    }
}

TEST(StoredHotKey, TheCodesDecideWhatTheFieldShows) {
    auto key_name = [](int vk) -> std::string {
        return vk == 7 ? "" : vk < 'A' || vk > 'Z' ? "K" + std::to_string(vk) : std::string(1, vk);
    };
    const StoredHotKey none;
    struct Row {
        std::string key, mod;
        StoredHotKey expected;
    };
    const Row rows[] = {
        {"81", "2", {"Ctrl + Q", 81, 2}},
        {"87", "3", {"Ctrl + Alt + W", 87, 3}},
        {"255", "15", {"Win + Ctrl + Alt + Shift + K255", 255, 15}},
        {" 81 ", "+0", {"Q", 81, 0}},
        {"0", "0", none},
        {"", "", none},
        {"abc", "1e3", none},
        {"0x51", "2", none},
        {"99999999999", "2", none},
        {"81", "", none},
        {"87", "-1", none}, // shown as Ctrl + Alt + W, plain W registered: the mismatch
        {"81", "16", none},
        {"256", "2", none},
        {"-81", "2", none},
        {"0", "3", none},              // modifiers without a main key
        {"17", "2", none},             // Ctrl as the main key
        {"93", "2", none},             // the Applications key is never captured
        {"7", "2", {"Ctrl + ", 7, 2}}, // a key without a name, as the field shows it when pressed
    };
    for (const Row& row : rows) {
        StoredHotKey got = StoredHotKeyFromCodes(row.key, row.mod, key_name);
        EXPECT_EQ(got.text, row.expected.text) << row.key << "/" << row.mod;
        EXPECT_EQ(got.key_code, row.expected.key_code) << row.key << "/" << row.mod;
        EXPECT_EQ(got.mod_key_code, row.expected.mod_key_code) << row.key << "/" << row.mod;
    }
}

} // namespace
} // namespace qm
