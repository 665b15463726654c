#pragma once
// The settings window's layout in twips (15 per pixel at 96 dpi): Left, Top, Width, Height.
namespace qm::frm_set_layout {

struct Box {
    int left, top, width, height;
};

inline constexpr int kClientWidth = 6735;
inline constexpr int kClientHeight = 1545;

inline constexpr Box kImage1{0, 0, 960, 960};
inline constexpr Box kHotKey1{1080, 0, 1815, 375};
inline constexpr Box kLabel1{2880, 120, 255, 255};
inline constexpr Box kChkCheck1{3120, 120, 1005, 255};
inline constexpr Box kCombo1{4320, 120, 1215, 345};
inline constexpr Box kHotKey2{1080, 600, 1815, 375};
inline constexpr Box kLabel2{2880, 720, 255, 255};
inline constexpr Box kChkCheck2{3120, 720, 1005, 255};
inline constexpr Box kCheck3{4320, 720, 2175, 255};
inline constexpr Box kCheck1{0, 1200, 1095, 255};
inline constexpr Box kCheck2{1320, 1200, 1455, 255};
inline constexpr Box kImage2{3000, 1200, 240, 240};

struct Line {
    int x1, y1, x2, y2;
};
inline constexpr Line kLine1{960, 480, 6720, 480};
inline constexpr Line kLine2{0, 1080, 6720, 1080};

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
