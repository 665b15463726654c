#pragma once
// The fixed catalogue of search targets: the panel's seventeen engines in six
// rows and the three default engines of the settings window's engine box.
#include <array>
#include <string>

namespace qm {

struct PanelEngine {
    const char* category;     // row caption: "WEB", "IMAGE", "ASK", "News", "Video", "Shop"
    const char* caption;      // what the user clicks
    const char* control;      // the caption's control name, e.g. "webg"
    const char* url_template; // https; the search text is appended at its very end
};

struct DefaultEngine {
    const char* caption; // "Google", "Bing", "Yahoo"
    const char* url_template;
};

constexpr size_t kPanelEngineCount = 17;
const std::array<PanelEngine, kPanelEngineCount>& PanelEngines();
const std::array<DefaultEngine, 3>& DefaultEngines();

// Rows after a search from which the panel may hide ("ASK" keeps it open).
bool RowHidesAfterSearch(const std::string& category);

// The template for an engine box text, compared exactly; nullptr when none matches.
const char* DefaultEngineTemplate(const std::string& combo_text);

} // namespace qm
