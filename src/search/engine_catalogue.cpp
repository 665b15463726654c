#include "search/engine_catalogue.h"

namespace qm {

namespace {
// Each site's current search form, on HTTPS and without the tracking and partner
// parameters the sources add. Sources: Chromium's prepopulated_engines.json,
// Firefox's search-config-v2.json, DuckDuckGo's bangs (!name).
#define QM_GOOGLE_WEB "https://www.google.com/search?q="  // Chromium "google"
#define QM_BING_WEB "https://www.bing.com/search?q="      // Chromium "bing", Firefox "bing"
#define QM_YAHOO_WEB "https://search.yahoo.com/search?p=" // Chromium "yahoo"

const std::array<PanelEngine, kPanelEngineCount> kPanelEngines = {{
    {"WEB", "Google", "webg", QM_GOOGLE_WEB},
    {"WEB", "Bing", "webb", QM_BING_WEB},
    {"WEB", "Yahoo", "weby", QM_YAHOO_WEB},
    // The Images tab of Google's results page (udm=2); DuckDuckGo's !gi still names the
    // older tbm=isch. "Tab" below: the tab of the site's own results page.
    {"IMAGE", "Google", "imageg", "https://www.google.com/search?udm=2&q="},
    {"IMAGE", "Bing", "imageb", "https://www.bing.com/images/search?q="},    // !bi
    {"IMAGE", "Flickr", "imagey", "https://www.flickr.com/search/?text="},   // !flickrcc
    {"ASK", "stackoverflow", "asda", "https://stackoverflow.com/search?q="}, // !so
    // !w. Opens the article when one has exactly that title, otherwise the results,
    // where /wiki/ showed only that no article has that title.
    {"ASK", "Wiki", "askw", "https://en.wikipedia.org/wiki/Special:Search?go=Go&search="},
    // Yahoo Answers closed on 4 May 2021. Yahoo's web search is what Yahoo has left for
    // a question: it answers many itself and finds the Q&A sites that took over.
    {"ASK", "Yahoo", "asky", QM_YAHOO_WEB},
    {"News", "Google", "newsg", "https://www.google.com/search?tbm=nws&q="},         // News tab
    {"News", "Bing", "newsb", "https://www.bing.com/news/search?q="},                // !bnews
    {"News", "Yahoo", "newsc", "https://news.search.yahoo.com/search?p="},           // News tab
    {"Video", "Youtube", "videoy", "https://www.youtube.com/results?search_query="}, // !yt
    {"Video", "Bing", "videob", "https://www.bing.com/videos/search?q="},            // !bingvideos
    {"Video", "Yahoo", "videoya", "https://video.search.yahoo.com/search/video?p="}, // Video tab
    {"Shop", "Amazon", "shopa", "https://www.amazon.com/s?k="},         // Firefox "amazondotcom-us"
    {"Shop", "Ebay", "shope", "https://www.ebay.com/sch/i.html?_nkw="}, // !ebay
}};

const std::array<DefaultEngine, 3> kDefaultEngines = {{
    {"Google", QM_GOOGLE_WEB},
    {"Bing", QM_BING_WEB},
    {"Yahoo", QM_YAHOO_WEB},
}};
} // namespace

const std::array<PanelEngine, kPanelEngineCount>& PanelEngines() {
    return kPanelEngines;
}
const std::array<DefaultEngine, 3>& DefaultEngines() {
    return kDefaultEngines;
}

bool RowHidesAfterSearch(const std::string& category) {
    return category != "ASK";
}

const char* DefaultEngineTemplate(const std::string& combo_text) {
    for (const DefaultEngine& engine : kDefaultEngines)
        if (combo_text == engine.caption)
            return engine.url_template;
    return nullptr;
}

} // namespace qm
