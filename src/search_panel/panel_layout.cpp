#include "search_panel/panel_layout.h"

#include <algorithm>
#include <cstring>

namespace qm {
namespace panel_layout {

namespace {
constexpr int kRowHeight = 255;

const std::array<PanelHeading, 6> kHeadings = {{
    {"WEB", {36, 840, 495, kRowHeight}},
    {"IMAGE", {36, 1200, 615, kRowHeight}},
    {"ASK", {36, 1560, 495, kRowHeight}},
    {"News", {36, 1920, 495, kRowHeight}},
    {"Video", {36, 2355, 495, kRowHeight}},
    {"Shop", {36, 2680, 495, kRowHeight}},
}};

const std::array<PanelCaption, kPanelEngineCount> kCaptions = {{
    {"webg", {720, 720, 735, kRowHeight}},
    {"webb", {1680, 720, 615, kRowHeight}},
    {"weby", {2520, 720, 615, kRowHeight}},
    {"imageg", {720, 1155, 735, kRowHeight}},
    {"imageb", {1680, 1155, 615, kRowHeight}},
    {"imagey", {2520, 1155, 615, kRowHeight}},
    {"asda", {720, 1560, 1095, kRowHeight}},
    {"askw", {1920, 1560, 375, kRowHeight}},
    {"asky", {2520, 1560, 615, kRowHeight}},
    {"newsg", {720, 1920, 735, kRowHeight}},
    {"newsb", {1680, 1920, 615, kRowHeight}},
    {"newsc", {2520, 1920, 615, kRowHeight}},
    {"videoy", {720, 2360, 735, kRowHeight}},
    {"videob", {1680, 2355, 615, kRowHeight}},
    {"videoya", {2520, 2355, 615, kRowHeight}},
    {"shopa", {720, 2710, 735, kRowHeight}},
    {"shope", {1680, 2710, 615, kRowHeight}},
}};

const std::array<TwipsLine, 6> kLines = {{
    {600, 720, 600, 3000}, // divider between headings and engines
    {0, 1080, 3240, 1080}, // under "WEB"
    {0, 1440, 3240, 1440}, // under "IMAGE"
    {0, 1840, 3240, 1840}, // under "ASK"
    {0, 2260, 3360, 2260}, // under "News"
    {0, 2640, 3360, 2640}, // under "Video"
}};
} // namespace

const std::array<PanelHeading, 6>& Headings() {
    return kHeadings;
}
const std::array<PanelCaption, kPanelEngineCount>& EngineCaptions() {
    return kCaptions;
}
const std::array<TwipsLine, 6>& Lines() {
    return kLines;
}

const PanelEngine* EngineForControl(const char* control) {
    for (const PanelEngine& engine : PanelEngines())
        if (std::strcmp(engine.control, control) == 0)
            return &engine;
    return nullptr;
}

OwnRows LayOutOwnRows(const std::vector<TwipsSize>& sizes) {
    // The built-in rows' measures: captions from x 720 with 225 between them, rows
    // 255 high and 360 apart.
    constexpr int kLeft = 720, kRight = kLeft + kOwnCaptionMaxWidth, kGap = 225;
    constexpr int kTopMargin = 60, kRowGap = 105, kBottomMargin = 45;
    OwnRows rows;
    if (sizes.empty())
        return rows;
    int top = kClientHeight + kTopMargin;
    int x = kLeft;
    int row_height = 0;
    for (const TwipsSize& size : sizes) {
        int width = std::min(size.width + kOwnCaptionPadding, kOwnCaptionMaxWidth);
        if (x > kLeft && x + width > kRight) { // the next row
            top += row_height + kRowGap;
            x = kLeft;
            row_height = 0;
        }
        int height = std::max(size.height, kRowHeight);
        rows.captions.push_back({x, top, width, height});
        x += width + kGap;
        row_height = std::max(row_height, height);
    }
    const int bottom = top + row_height + kBottomMargin;
    rows.heading = {36, kClientHeight + kTopMargin, 495, kRowHeight};
    rows.lines = {{0, kClientHeight, 3360, kClientHeight},
                  {600, kClientHeight, 600, bottom - kBottomMargin}};
    rows.height = bottom - kClientHeight;
    return rows;
}

} // namespace panel_layout
} // namespace qm
