#include "settings/engine_section.h"
#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

// The ANSI code page for the letters these rows use (Windows-1252 agrees with
// Latin-1 there): a file from an older editor.
std::u16string DecodeLatin1(const std::string& bytes) {
    std::u16string out;
    for (unsigned char c : bytes)
        out += static_cast<char16_t>(c);
    return out;
}

// Section edits, then the whole file: everything nobody changed keeps its bytes.
std::string SaveEdited(const std::string& file, std::vector<OwnEngine> (*edit)(EngineSection)) {
    EngineSection read = ParseEngineSection(ReadIniSection(file, "engines"), DecodeLatin1, nullptr);
    return ReplaceIniSection(file, "engines", EditedEngineLines(read, edit(read)));
}

const std::string kHead = "[hotkey]\r\nHotKey1Text=Ctrl + Alt + \xC4\r\n[check]\r\nchecka=1\r\n";
const std::string kTail = "[auto]\r\nchecka=0\r\n";

TEST(EngineSection, ReadsUtf8AndAnsiLinesAndSaysWhatIsLeftOut) {
    const std::string file = kHead +
                             "[engines]\r\n"
                             "\xD0\x92\xD0\xB8\xD0\xBA\xD0\xB8=https://ru.wikipedia.org/?s=%s\r\n"
                             "; a comment\r\n"
                             "Caf\xE9 = \"https://cafe.example/{searchTerms}\"\r\n"
                             "Bad=javascript:alert(1)\r\n"
                             "no equals sign\r\n" +
                             kTail;
    EngineSection read = ParseEngineSection(ReadIniSection(file, "engines"), DecodeLatin1, nullptr);
    ASSERT_EQ(read.engines.size(), 2u);
    EXPECT_EQ(read.engines[0].caption, u"\u0412\u0438\u043a\u0438");
    EXPECT_EQ(read.engines[1].caption, u"Caf\u00e9");
    EXPECT_EQ(read.engines[1].url_template, u"https://cafe.example/{searchTerms}");
    ASSERT_EQ(read.left_out.size(), 2u);
    EXPECT_EQ(read.left_out[0].line_number, 9);
    EXPECT_EQ(read.left_out[1].line_number, 10);
}

TEST(EngineSection, TenthEngineIsLeftOut) {
    std::string file = "[engines]\n";
    for (char c = 'a'; c <= 'j'; ++c)
        file += std::string(1, c) + "=https://" + c + ".example/?q=\n";
    EngineSection read = ParseEngineSection(ReadIniSection(file, "engines"), DecodeLatin1, nullptr);
    EXPECT_EQ(read.engines.size(), 9u);
    ASSERT_EQ(read.left_out.size(), 1u);
    EXPECT_EQ(read.left_out[0].line_number, 11);
}

TEST(EngineSection, OfTwoEqualNamesTheFirstUsableIsKept) {
    const std::string file = "[engines]\n"
                             "DDG=https://duckduckgo.com/?q=\n"
                             "Google=https://evil.example/?q=%s\n"
                             "ddg=https://evil.example/?q=%s\n"
                             "Mine=javascript:alert(1)\n"
                             "Mine=https://www.google.com/search?q=\"%s\" site:reddit.com\n" +
                             std::string(2000, 'a') + "=https://a.example/?q=\n";
    EngineSection read = ParseEngineSection(ReadIniSection(file, "engines"), DecodeLatin1, nullptr);
    ASSERT_EQ(read.engines.size(), 2u);
    // The line keeps what the user wrote; the blanks and quotes are mended at the launch.
    EXPECT_EQ(read.engines[1].url_template,
              u"https://www.google.com/search?q=\"%s\" site:reddit.com");
    std::vector<int> left_out;
    for (const LeftOutLine& line : read.left_out)
        left_out.push_back(line.line_number);
    EXPECT_EQ(left_out, (std::vector<int>{3, 4, 5, 7}));
}

TEST(EngineSection, SavingRewritesOnlyWhatChanged) {
    // LF line ends, blanks around "=", an ANSI caption and a comment: all kept as they are.
    const std::string engines = "[engines]\n"
                                "\xE7\x99\xBE\xE5\xBA\xA6 = https://www.baidu.com/s?wd=\n"
                                "; mine\n"
                                "Caf\xE9=https://cafe.example/?q=%s\n"
                                "\n";
    const std::string file = kHead + engines + kTail;
    const struct {
        const char* name;
        std::vector<OwnEngine> (*edit)(EngineSection);
        std::string expected_engines;
    } rows[] = {
        {"unchanged", [](EngineSection r) { return r.engines; }, engines},
        {"added",
         [](EngineSection r) {
             r.engines.push_back({u"\u0412\u0438\u043a\u0438", u"https://ru.wikipedia.org/?s=%s"});
             return r.engines;
         },
         "[engines]\n\xE7\x99\xBE\xE5\xBA\xA6 = https://www.baidu.com/s?wd=\n; mine\n"
         "Caf\xE9=https://cafe.example/?q=%s\n"
         "\xD0\x92\xD0\xB8\xD0\xBA\xD0\xB8=https://ru.wikipedia.org/?s=%s\n\n"},
        {"moved down",
         [](EngineSection r) {
             return std::vector<OwnEngine>{r.engines[1], r.engines[0]};
         },
         "[engines]\nCaf\xE9=https://cafe.example/?q=%s\n; mine\n"
         "\xE7\x99\xBE\xE5\xBA\xA6 = https://www.baidu.com/s?wd=\n\n"},
        {"first removed", [](EngineSection r) { return std::vector<OwnEngine>{r.engines[1]}; },
         "[engines]\n; mine\nCaf\xE9=https://cafe.example/?q=%s\n\n"},
        {"second edited",
         [](EngineSection r) {
             r.engines[1].url_template = u"https://cafe.example/find?q=%s";
             return r.engines;
         },
         "[engines]\n\xE7\x99\xBE\xE5\xBA\xA6 = https://www.baidu.com/s?wd=\n; mine\n"
         "Caf\xC3\xA9=https://cafe.example/find?q=%s\n\n"},
        {"all removed", [](EngineSection) { return std::vector<OwnEngine>{}; },
         "[engines]\n; mine\n\n"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SaveEdited(file, row.edit), kHead + row.expected_engines + kTail) << row.name;

    // A file without the section gets it at its end.
    EXPECT_EQ(SaveEdited(kHead,
                         [](EngineSection) {
                             return std::vector<OwnEngine>{{u"D", u"https://d.example/?q="}};
                         }),
              kHead + "[engines]\r\nD=https://d.example/?q=\r\n");
}

TEST(EngineSection, AnsiOnlyFileIsReadAndKeepsItsBytesWhenReordered) {
    const std::string cafe = "Caf\xE9=https://cafe.example/?q=\r\n";
    const std::string muller = "M\xFCller=https://m.example/?q=\r\n";
    const std::string file = "[engines]\r\n" + cafe + muller;
    EngineSection read = ParseEngineSection(ReadIniSection(file, "engines"), DecodeLatin1, nullptr);
    ASSERT_EQ(read.engines.size(), 2u);
    EXPECT_EQ(read.engines[1].caption, u"M\u00fcller");
    EXPECT_EQ(SaveEdited(file,
                         [](EngineSection r) {
                             return std::vector<OwnEngine>{r.engines[1], r.engines[0]};
                         }),
              "[engines]\r\n" + muller + cafe);
}

TEST(EngineSection, ValuesChangeOnlyTheirOwnBytes) {
    const std::string file = "[check]\nchecka = 1\n;c\n\n[engines]\nX=https://x/?q=\n";
    EXPECT_EQ(SetIniValue(file, "check", "checka", "0"),
              "[check]\nchecka = 0\n;c\n\n[engines]\nX=https://x/?q=\n");
    EXPECT_EQ(SetIniValue(file, "CHECK", "checkb", "1"),
              "[check]\nchecka = 1\n;c\ncheckb=1\n\n[engines]\nX=https://x/?q=\n");
    EXPECT_EQ(SetIniValue(file, "auto", "checka", "1"), file + "[auto]\nchecka=1\n");
    EXPECT_EQ(SetIniValue("[auto]\nchecka=1", "auto", "checkb", "0"),
              "[auto]\nchecka=1\ncheckb=0\n");
    EXPECT_EQ(SetIniValue("", "hotkey", "HotKey1Text", "F9"), "[hotkey]\r\nHotKey1Text=F9\r\n");
}

} // namespace
} // namespace qm
