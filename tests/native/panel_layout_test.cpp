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

} // namespace
} // namespace qm
