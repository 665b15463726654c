#pragma once
// The search panel's layout in twips (15 per pixel at 96 dpi) and its colours,
// converted for the screen only where the window is built.
#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/twips.h"
#include "search_panel/engine_catalogue.h"

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

} // namespace panel_layout
} // namespace qm
