#pragma once
// The search panel's layout in twips (15 per pixel at 96 dpi) and its colours,
// converted for the screen only where the window is built.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/twips.h"
#include "search/engine_catalogue.h"

namespace qm {

struct PanelHeading {
    const char* caption; // the row's category, as in the catalogue
    TwipsRect box;
};

struct PanelCaption {
    const char* control; // names the catalogue entry the caption searches with
    TwipsRect box;
};

namespace panel_layout {

constexpr int kClientWidth = 3315;
constexpr int kClientHeight = 3045;
constexpr TwipsRect kBanner{0, 0, 3315, 720};
constexpr TwipsRect kTextBox{1200, 240, 1935, 255};
constexpr TwipsRect kBackground{6, 720, 3315, 2295};

// Colours as 0x00BBGGRR.
constexpr std::uint32_t kCaptionBackColour = 0x0000FFFF; // yellow
constexpr std::uint32_t kHeadingTextColour = 0x00FF00FF; // magenta
constexpr std::uint32_t kTextBoxBackColour = 0x00E0E0E0; // light grey

const std::array<PanelHeading, 6>& Headings();
const std::array<PanelCaption, kPanelEngineCount>& EngineCaptions();
const std::array<TwipsLine, 6>& Lines();

// The catalogue entry a caption's control names; nullptr for an unknown name.
const PanelEngine* EngineForControl(const char* control);

// The user's own engines: rows below "Shop", under the one heading "Mine", as many
// captions to a row as fit whole. The panel grows by the rows' height and nothing
// above them moves.
constexpr const char* kOwnHeading = "Mine";
struct TwipsSize {
    int width;
    int height;
};
struct OwnRows {
    std::vector<TwipsRect> captions; // in the order of the sizes
    TwipsRect heading;
    std::vector<TwipsLine> lines; // under "Shop", and the divider beside the rows
    int height = 0;               // what the rows add to the panel: 0 without engines
};
// The widest a caption box may be, its text and the room around it; a longer
// caption wraps inside it.
constexpr int kOwnCaptionMaxWidth = 2520;
constexpr int kOwnCaptionPadding = 120;
// sizes: each caption's text as drawn, wrapped within the widest box.
OwnRows LayOutOwnRows(const std::vector<TwipsSize>& sizes);

} // namespace panel_layout
} // namespace qm
