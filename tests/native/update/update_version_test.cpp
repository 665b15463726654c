#include "update/update_version.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(UpdateVersion, OnlyANewerVersionCountsAndAnythingButAVersionIsNoAnswer) {
    using V = UpdateVerdict;
    const struct {
        std::optional<std::string> answer;
        UpdateVerdict verdict;
    } rows[] = {
        {std::nullopt, V::NoAnswer},
        {"", V::NoAnswer},
        {" \r\n\t", V::NoAnswer},
        {"\xEF\xBB\xBF", V::NoAnswer},
        {"1.0", V::NotNewer},
        {"1.0\r\n", V::NotNewer},
        {"1.0\n", V::NotNewer},
        {" \t1.0 \r\n\r\n", V::NotNewer},
        {"\xEF\xBB\xBF"
         "1.0\r\n",
         V::NotNewer},
        {"0.9", V::NotNewer},
        {"1.0.0", V::NotNewer},
        {"1", V::NotNewer},
        {"01.00", V::NotNewer},
        {"1.0.0.0.0.0.0.0", V::NotNewer},
        {"0.99999999999999", V::NotNewer},
        {"1.0.1", V::Newer},
        {"1.1", V::Newer},
        {"1.1\n", V::Newer},
        {"1.10", V::Newer},
        {"2", V::Newer},
        {"99999999999999", V::Newer}, // beyond 32 bits, and still no overflow
        {"1.0000000000001", V::Newer},
        {"1234567890123456", V::Newer},     // 16 characters
        {"12345678901234567", V::NoAnswer}, // 17
        {"...", V::NoAnswer},
        {"1.0\n1.1", V::NoAnswer},
        {"v1.0", V::NoAnswer},
        {"1.0 beta", V::NoAnswer},
        {"-1", V::NoAnswer},
        {"<html>404</html>", V::NoAnswer},
        {"<!DOCTYPE html><html><head><title>Sign in to Wi-Fi</title></head></html>", V::NoAnswer},
        {"Access denied by the proxy: category Software Downloads", V::NoAnswer},
        {"<html><body>quenmark.com is for sale!</body></html>\r\n", V::NoAnswer},
    };
    for (const auto& row : rows)
        EXPECT_EQ(JudgeVersionAnswer("1.0", row.answer), row.verdict)
            << (row.answer ? "[" + *row.answer + "]" : "nothing");
    // The running version's own parts compare as numbers too.
    EXPECT_EQ(JudgeVersionAnswer("1.10", std::string("1.9")), V::NotNewer);
    EXPECT_EQ(JudgeVersionAnswer("1.9", std::string("1.10")), V::Newer);
}

TEST(UpdateVersion, OnlyASuccessStatusCarriesTheVersionFile) {
    for (unsigned long status : {200ul, 203ul, 299ul})
        EXPECT_TRUE(IsVersionFileStatus(status)) << status;
    for (unsigned long status : {0ul, 100ul, 199ul, 301ul, 302ul, 404ul, 500ul, 503ul})
        EXPECT_FALSE(IsVersionFileStatus(status)) << status;
}

// At logon the network may not be up yet: such a check comes once more. One that reached
// anything never does, so the maker's site sees one request per run as before.
TEST(UpdateVersion, OnlyAFirstCheckThatCouldNotConnectIsTriedAgain) {
    const struct {
        const char* name;
        VersionFetch fetch;
        int checks_run;
        bool again;
    } rows[] = {
        {"host not found", {std::nullopt, false, 12007}, 1, true},
        {"refused", {std::nullopt, false, 12029}, 1, true},
        {"proxy unreachable", {std::nullopt, false, 12165}, 1, true},
        {"refused again", {std::nullopt, false, 12029}, 2, false},
        {"timed out", {std::nullopt, false, 12002}, 1, false},
        {"abandoned at the deadline", {std::nullopt, false, 0}, 1, false},
        {"version file", {std::string("1.0"), true, 0}, 1, false},
        {"error page", {std::nullopt, true, 0}, 1, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TryUpdateCheckAgain(row.fetch, row.checks_run), row.again) << row.name;
}

} // namespace
} // namespace qm
