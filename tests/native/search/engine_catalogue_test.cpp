#include "search/engine_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

struct Expected {
    const char* category;
    const char* caption;
    const char* control;
    const char* url_template;
};

const Expected kTable[] = {
    {"WEB", "Google", "webg", "https://www.google.com/search?q="},
    {"WEB", "Bing", "webb", "https://www.bing.com/search?q="},
    {"WEB", "Yahoo", "weby", "https://search.yahoo.com/search?p="},
    {"IMAGE", "Google", "imageg", "https://www.google.com/search?udm=2&q="},
    {"IMAGE", "Bing", "imageb", "https://www.bing.com/images/search?q="},
    {"IMAGE", "Flickr", "imagey", "https://www.flickr.com/search/?text="},
    {"ASK", "stackoverflow", "asda", "https://stackoverflow.com/search?q="},
    {"ASK", "Wiki", "askw", "https://en.wikipedia.org/wiki/Special:Search?go=Go&search="},
    {"ASK", "Yahoo", "asky", "https://search.yahoo.com/search?p="},
    {"News", "Google", "newsg", "https://www.google.com/search?tbm=nws&q="},
    {"News", "Bing", "newsb", "https://www.bing.com/news/search?q="},
    {"News", "Yahoo", "newsc", "https://news.search.yahoo.com/search?p="},
    {"Video", "Youtube", "videoy", "https://www.youtube.com/results?search_query="},
    {"Video", "Bing", "videob", "https://www.bing.com/videos/search?q="},
    {"Video", "Yahoo", "videoya", "https://video.search.yahoo.com/search/video?p="},
    {"Shop", "Amazon", "shopa", "https://www.amazon.com/s?k="},
    {"Shop", "Ebay", "shope", "https://www.ebay.com/sch/i.html?_nkw="},
};

TEST(EngineCatalogue, MatchesTheTableRowByRow) {
    const auto& engines = PanelEngines();
    for (size_t i = 0; i < kPanelEngineCount; ++i) {
        SCOPED_TRACE(kTable[i].control);
        EXPECT_STREQ(engines[i].category, kTable[i].category);
        EXPECT_STREQ(engines[i].caption, kTable[i].caption);
        EXPECT_STREQ(engines[i].control, kTable[i].control);
        EXPECT_STREQ(engines[i].url_template, kTable[i].url_template);
    }
}

TEST(EngineCatalogue, EveryTemplateIsHttpsWithoutTrackingOrAClosedService) {
    std::vector<std::string> templates;
    for (const PanelEngine& engine : PanelEngines())
        templates.push_back(engine.url_template);
    for (const DefaultEngine& engine : DefaultEngines())
        templates.push_back(engine.url_template);
    for (const std::string& url : templates) {
        EXPECT_EQ(url.rfind("https://", 0), 0u) << url;
        EXPECT_EQ(url.find('#'), std::string::npos) << url << ": a fragment never reaches the site";
        for (const char* tracking :
             {"_ylt", "_trksid", "ref=", "authuser", "biw=", "bih=", "answers.yahoo"})
            EXPECT_EQ(url.find(tracking), std::string::npos) << url;
    }
}

TEST(EngineCatalogue, DefaultEnginesAreTheWebRowAndMatchExactly) {
    const auto& e = PanelEngines();
    EXPECT_STREQ(DefaultEngineTemplate("Google"), e[0].url_template);
    EXPECT_STREQ(DefaultEngineTemplate("Bing"), e[1].url_template);
    EXPECT_STREQ(DefaultEngineTemplate("Yahoo"), e[2].url_template);
    for (const char* typed : {"bing", "Yahoo!", "", " Google", "Google "})
        EXPECT_EQ(DefaultEngineTemplate(typed), nullptr) << typed;
    EXPECT_STREQ(DefaultEngines()[0].caption, "Google");
    EXPECT_STREQ(DefaultEngines()[1].caption, "Bing");
    EXPECT_STREQ(DefaultEngines()[2].caption, "Yahoo");
}

TEST(EngineCatalogue, OnlyTheAskRowKeepsThePanelOpen) {
    for (const PanelEngine& engine : PanelEngines())
        EXPECT_EQ(RowHidesAfterSearch(engine.category), std::string(engine.category) != "ASK")
            << engine.control;
}

} // namespace
} // namespace qm
