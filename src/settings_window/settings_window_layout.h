#pragma once
// The settings window's controls: identifiers, layout in twips (15 per pixel at 96 dpi,
// as Left, Top, Width, Height) and the check boxes with their set.ini keys.
#include "platform/twips.h"

#include <cstddef>

namespace qm::settings_window_layout {

inline constexpr int kClientWidth = 6735;
inline constexpr int kClientHeight = 1545;

// Control identifiers.
enum : int {
    kIdLogo = 100,
    kIdDirectHotkey,
    kIdDirectDash,
    kIdDirectEffective,
    kIdEngineBox,
    kIdPanelHotkey,
    kIdPanelDash,
    kIdPanelEffective,
    kIdSearchThenClose,
    kIdAutoStart,
    kIdUpdateTips,
    kIdFaqLink,
    kIdEngines, // last: the last stop of the Tab key
};

// The upper row serves the direct search, the lower row the panel.
inline constexpr TwipsRect kLogo{0, 0, 960, 960};
inline constexpr TwipsRect kDirectHotkey{1080, 0, 1815, 375};
inline constexpr TwipsRect kDirectDash{2880, 120, 255, 255};
inline constexpr TwipsRect kEngineBox{4320, 120, 1215, 345};
inline constexpr TwipsRect kPanelHotkey{1080, 600, 1815, 375};
inline constexpr TwipsRect kPanelDash{2880, 720, 255, 255};
inline constexpr TwipsRect kFaqLink{3000, 1200, 240, 240};
// Below the engine box, in the free end of the options row: opens the "Engines" dialog.
inline constexpr TwipsRect kEnginesButton{4320, 1140, 1215, 345};

inline constexpr TwipsLine kRowsDivider{960, 480, 6720, 480};
inline constexpr TwipsLine kOptionsDivider{0, 1080, 6720, 1080};

// The five check boxes, in tab order. By caption:
//   "Effective" (upper)     switches the direct-search hotkey on and off
//   "Effective" (lower)     switches the panel hotkey on and off
//   "Auto start"            mirrors the auto-start entry, so set.ini does not keep it
//   "Update Tips"           runs the update check once, soon after start
//   "Search and then close" hides the panel after a search
enum CheckBox : std::size_t {
    kDirectEffective,
    kPanelEffective,
    kAutoStart,
    kUpdateTips,
    kSearchThenClose,
    kCheckBoxCount,
};

struct CheckBoxRow {
    int id;
    const char* caption;
    TwipsRect box;
    const char* section; // set.ini; nullptr for a box the file does not keep
    const char* key;
    int initial; // 0 clear, 1 ticked, 2 grey: the state before set.ini is read
};

inline constexpr CheckBoxRow kCheckBoxes[kCheckBoxCount] = {
    {kIdDirectEffective, "Effective", {3120, 120, 1005, 255}, "check", "checka", 1},
    {kIdPanelEffective, "Effective", {3120, 720, 1005, 255}, "check", "checkb", 1},
    {kIdAutoStart, "Auto start", {0, 1200, 1095, 255}, nullptr, nullptr, 1},
    {kIdUpdateTips, "Update Tips", {1320, 1200, 1455, 255}, "auto", "checka", 1},
    {kIdSearchThenClose, "Search and then close", {4320, 720, 2175, 255}, "check", "checkc", 1},
};

// The update check runs once, this long after the window is created.
inline constexpr unsigned kUpdateTimer = 1;
inline constexpr unsigned kUpdateTimerDelay = 800;

} // namespace qm::settings_window_layout
