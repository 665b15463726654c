#include "search_panel/engine_catalogue.h"

namespace qm {

namespace {
#define QM_GOOGLE_WEB "http://www.google.com/#q="
#define QM_BING_WEB "http://www.bing.com/search?q="
#define QM_YAHOO_WEB "http://search.yahoo.com/search;_ylt=A0geu8fBzVhQ3JQAqmJXNyoA?p="

const std::array<PanelEngine, kPanelEngineCount> kPanelEngines = {{
    {"WEB", "Google", "webg", QM_GOOGLE_WEB},
    {"WEB", "Bing", "webb", QM_BING_WEB},
    {"WEB", "Yahoo", "weby", QM_YAHOO_WEB},
    {"IMAGE", "Google", "imageg",
     "http://www.google.com/search?hl=en&site=imghp&tbm=isch&source=hp&biw=&bih=&q="},
    {"IMAGE", "Bing", "imageb", "http://www.bing.com/images/search?q="},
    {"IMAGE", "Flickr", "imagey", "http://www.flickr.com/search/?q="},
    {"ASK", "stackoverflow", "asda", "http://stackoverflow.com/search?q="},
    {"ASK", "Wiki", "askw", "http://en.wikipedia.org/wiki/"},
    {"ASK", "Yahoo", "asky",
     "http://answers.yahoo.com/search/search_result;_ylt=A0SO8xBEtVhQ6lkAiX9PmolQ?p="},
    {"News", "Google", "newsg", "http://www.google.com/search?hl=en&gl=us&tbm=nws&authuser=0&q="},
    {"News", "Bing", "newsb", "http://www.bing.com/news/search?q="},
    {"News", "Yahoo", "newsc",
     "http://search.yahoo.com/search;_ylt=A0LEVjzBzVhQbn4AI0NXNyoA2Kw.?p="},
    {"Video", "Youtube", "videoy", "http://www.youtube.com/results?search_query="},
    {"Video", "Bing", "videob", "http://www.bing.com/videos/search?q="},
    {"Video", "Yahoo", "videoya", "http://video.search.yahoo.com/search/?p="},
    {"Shop", "Amazon", "shopa",
     "http://www.amazon.com/s/ref=nb_sb_noss_2?url=search-alias%3Daps&field-keywords="},
    {"Shop", "Ebay", "shope",
     "http://www.ebay.com/sch/i.html?_trksid=m570.l1313.TR0.TRC0.H0.Xqmk.TRS0&_nkw="},
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
