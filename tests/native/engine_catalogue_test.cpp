#include "search_panel/engine_catalogue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace qm {
namespace {

// Path and query up to the search text, with the opaque values' lengths.
struct Expected {
    const char* category;
    const char* caption;
    const char* control;
    const char* before_opaque; // path-and-query prefix, up to the opaque value if any
    size_t opaque_length;
    const char* after_opaque;
};

const Expected kTable[] = {
    {"WEB", "Google", "webg", "/#q=", 0, ""},
    {"WEB", "Bing", "webb", "/search?q=", 0, ""},
    {"WEB", "Yahoo", "weby", "/search;_ylt=", 24, "?p="},
    {"IMAGE", "Google", "imageg", "/search?hl=en&site=imghp&tbm=isch&source=hp&biw=&bih=&q=", 0,
     ""},
    {"IMAGE", "Bing", "imageb", "/images/search?q=", 0, ""},
    {"IMAGE", "Flickr", "imagey", "/search/?q=", 0, ""},
    {"ASK", "stackoverflow", "asda", "/search?q=", 0, ""},
    {"ASK", "Wiki", "askw", "/wiki/", 0, ""},
    {"ASK", "Yahoo", "asky", "/search/search_result;_ylt=", 24, "?p="},
    {"News", "Google", "newsg", "/search?hl=en&gl=us&tbm=nws&authuser=0&q=", 0, ""},
    {"News", "Bing", "newsb", "/news/search?q=", 0, ""},
    {"News", "Yahoo", "newsc", "/search;_ylt=", 28, "?p="},
    {"Video", "Youtube", "videoy", "/results?search_query=", 0, ""},
    {"Video", "Bing", "videob", "/videos/search?q=", 0, ""},
    {"Video", "Yahoo", "videoya", "/search/?p=", 0, ""},
    {"Shop", "Amazon", "shopa", "/s/ref=nb_sb_noss_2?url=search-alias%3Daps&field-keywords=", 0,
     ""},
    {"Shop", "Ebay", "shope", "/sch/i.html?_trksid=", 32, "&_nkw="},
};

std::string HostOf(const std::string& url) {
    EXPECT_EQ(url.rfind("http://", 0), 0u) << url;
    size_t slash = url.find('/', 7);
    return url.substr(7, slash - 7);
}

std::string PathOf(const std::string& url) {
    return url.substr(url.find('/', 7));
}

TEST(EngineCatalogue, MatchesTheTableRowByRow) {
    const auto& engines = PanelEngines();
    for (size_t i = 0; i < kPanelEngineCount; ++i) {
        const Expected& want = kTable[i];
        const PanelEngine& got = engines[i];
        SCOPED_TRACE(want.control);
        EXPECT_STREQ(got.category, want.category);
        EXPECT_STREQ(got.caption, want.caption);
        EXPECT_STREQ(got.control, want.control);
        std::string path = PathOf(got.url_template);
        ASSERT_EQ(path.rfind(want.before_opaque, 0), 0u) << path;
        std::string rest = path.substr(std::strlen(want.before_opaque));
        ASSERT_GE(rest.size(), want.opaque_length);
        std::string opaque = rest.substr(0, want.opaque_length);
        for (char c : opaque)
            EXPECT_TRUE(isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_') << opaque;
        EXPECT_EQ(rest.substr(want.opaque_length), want.after_opaque);
    }
}

TEST(EngineCatalogue, SharedHostsAndDistinctOpaqueValues) {
    const auto& e = PanelEngines();
    auto host = [&](size_t i) { return HostOf(e[i].url_template); };
    // Google: WEB, IMAGE, News. Bing: WEB, IMAGE, News, Video. Yahoo web: WEB, News.
    EXPECT_EQ(host(0), host(3));
    EXPECT_EQ(host(0), host(9));
    EXPECT_EQ(host(1), host(4));
    EXPECT_EQ(host(1), host(10));
    EXPECT_EQ(host(1), host(13));
    EXPECT_EQ(host(2), host(11));
    std::set<std::string> hosts;
    for (const PanelEngine& engine : e)
        hosts.insert(HostOf(engine.url_template));
    EXPECT_EQ(hosts.size(), 11u);
    // The three Yahoo tracking values differ from one another.
    EXPECT_NE(PathOf(e[2].url_template), PathOf(e[11].url_template));
    EXPECT_NE(PathOf(e[2].url_template).substr(13, 24), PathOf(e[8].url_template).substr(27, 24));
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
