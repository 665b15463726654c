#pragma once
// The settings window's layout in twips (15 per pixel at 96 dpi): Left, Top, Width, Height.
#include "platform/twips.h"

namespace qm::frm_set_layout {

inline constexpr int kClientWidth = 6735;
inline constexpr int kClientHeight = 1545;

inline constexpr TwipsRect kImage1{0, 0, 960, 960};
inline constexpr TwipsRect kHotKey1{1080, 0, 1815, 375};
inline constexpr TwipsRect kLabel1{2880, 120, 255, 255};
inline constexpr TwipsRect kChkCheck1{3120, 120, 1005, 255};
inline constexpr TwipsRect kCombo1{4320, 120, 1215, 345};
inline constexpr TwipsRect kHotKey2{1080, 600, 1815, 375};
inline constexpr TwipsRect kLabel2{2880, 720, 255, 255};
inline constexpr TwipsRect kChkCheck2{3120, 720, 1005, 255};
inline constexpr TwipsRect kCheck3{4320, 720, 2175, 255};
inline constexpr TwipsRect kCheck1{0, 1200, 1095, 255};
inline constexpr TwipsRect kCheck2{1320, 1200, 1455, 255};
inline constexpr TwipsRect kImage2{3000, 1200, 240, 240};

inline constexpr TwipsLine kLine1{960, 480, 6720, 480};
inline constexpr TwipsLine kLine2{0, 1080, 6720, 1080};

// Control identifiers.
enum : int {
    kIdImage1 = 100,
    kIdHotKey1,
    kIdLabel1,
    kIdChkCheck1,
    kIdCombo1,
    kIdHotKey2,
    kIdLabel2,
    kIdChkCheck2,
    kIdCheck3,
    kIdCheck1,
    kIdCheck2,
    kIdImage2,
};

inline constexpr unsigned kTimer1 = 1;
inline constexpr unsigned kTimer1Interval = 800;

} // namespace qm::frm_set_layout
