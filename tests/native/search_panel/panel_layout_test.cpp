#include "search_panel/panel_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace qm {
namespace {

using namespace panel_layout;

// The horizontal lines cut the panel below the banner into one band per row.
std::vector<int> RowBoundaries() {
    std::vector<int> bounds = {kBanner.top + kBanner.height};
    for (const TwipsLine& line : Lines())
        if (line.y1 == line.y2)
            bounds.push_back(line.y1);
    bounds.push_back(kClientHeight);
    std::sort(bounds.begin(), bounds.end());
    return bounds;
}

int RowOf(int top) {
    std::vector<int> bounds = RowBoundaries();
    for (size_t i = 0; i + 1 < bounds.size(); ++i)
        if (top >= bounds[i] && top < bounds[i + 1])
            return static_cast<int>(i);
    return -1;
}

TEST(PanelLayout, EveryCaptionSearchesWithItsOwnCatalogueEntry) {
    std::set<std::string> seen;
    for (const PanelCaption& caption : EngineCaptions()) {
        const PanelEngine* engine = EngineForControl(caption.control);
        ASSERT_NE(engine, nullptr) << caption.control;
        EXPECT_TRUE(seen.insert(caption.control).second) << caption.control << " twice";
    }
    EXPECT_EQ(seen.size(), PanelEngines().size());
    EXPECT_EQ(EngineForControl("nosuch"), nullptr);
}

TEST(PanelLayout, EachCaptionSitsInTheBandOfItsRowHeading) {
    ASSERT_EQ(RowBoundaries().size(), Headings().size() + 1);
    for (const PanelCaption& caption : EngineCaptions()) {
        const PanelEngine* engine = EngineForControl(caption.control);
        ASSERT_NE(engine, nullptr);
        auto heading = std::find_if(Headings().begin(), Headings().end(), [&](const auto& h) {
            return std::string(h.caption) == engine->category;
        });
        ASSERT_NE(heading, Headings().end()) << engine->category;
        EXPECT_EQ(RowOf(caption.box.top), RowOf(heading->box.top))
            << caption.control << " is not in the " << engine->category << " row";
        EXPECT_NE(RowOf(caption.box.top), -1) << caption.control;
    }
}

TEST(PanelLayout, OwnRowsGrowThePanelByTheRowsTheyNeed) {
    EXPECT_EQ(LayOutOwnRows({}).height, 0) << "no engines: the panel as it always was";
    const struct {
        std::vector<TwipsSize> sizes;
        int height;                // 360 a row of one line: 24 pixels at 96 dpi
        std::vector<int> row_tops; // per caption, from the panel's old bottom
    } rows[] = {
        {{{400, 225}, {400, 225}, {400, 225}}, 360, {60, 60, 60}},
        {{{900, 225}, {900, 225}, {900, 225}}, 720, {60, 60, 420}},
        {{{9000, 450}, {400, 225}}, 915, {60, 615}}, // too wide: alone, wrapped to two lines
    };
    for (const auto& row : rows) {
        OwnRows own = LayOutOwnRows(row.sizes);
        EXPECT_EQ(own.height, row.height);
        ASSERT_EQ(own.captions.size(), row.sizes.size());
        for (size_t i = 0; i < own.captions.size(); ++i) {
            const TwipsRect& box = own.captions[i];
            EXPECT_EQ(box.top - kClientHeight, row.row_tops[i]) << i;
            EXPECT_GE(box.width, std::min(row.sizes[i].width, kOwnCaptionMaxWidth)) << i;
            EXPECT_LE(box.left + box.width, 720 + kOwnCaptionMaxWidth) << i;
            EXPECT_LE(box.top + box.height, kClientHeight + own.height) << i;
        }
    }
}

} // namespace
} // namespace qm
