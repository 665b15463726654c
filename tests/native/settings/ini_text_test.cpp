// The files the comparison with the profile functions found read or edited wrongly.
#include "settings/ini_bytes.h"
#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

using namespace std::string_literals;

TEST(IniText, EditsWhereTheProfileFunctionsRead) {
    const struct {
        const char* name;
        std::string file;
        const char* key; // in [check], set to 0
        std::string expected;
    } rows[] = {
        {"note after the heading", "[check] ; see [x]\r\nchecka=1\r\n", "checka",
         "[check] ; see [x]\r\nchecka=1\r\n[check]\r\nchecka=0\r\n"},
        {"heading ends at its last ]", "[check]]\nchecka=1\n", "checka",
         "[check]]\nchecka=1\n[check]\nchecka=0\n"},
        {"no ] is no heading", "[check\r\n[check]\r\nchecka=1\r\n", "checka",
         "[check\r\n[check]\r\nchecka=0\r\n"},
        {"a bare key line is the key", "[check]\r\nchecka\r\n", "checka",
         "[check]\r\nchecka=0\r\n"},
        {"vertical tab is a blank", "[check]\r\nchecka\x0b=1\r\n", "checka",
         "[check]\r\nchecka\x0b=0\r\n"},
        {"form feed and Ctrl-Z are blanks", "\x0c[check]\x1a\r\nchecka=1", "checka",
         "\x0c[check]\x1a\r\nchecka=0"},
        {"a name ends at a NUL", "[check]\nchecka\0x=1\n"s, "checka", "[check]\nchecka\0x=0\n"s},
        {"a NUL before a heading is no blank", "\0[check]\nchecka=1\n"s, "checka",
         "\0[check]\nchecka=1\n[check]\nchecka=0\n"s},
        {"new line ends as the one before it", "[check]\r#\n\n", "checkb",
         "[check]\r#\ncheckb=0\n\n"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SetIniValue(row.file, "check", row.key, "0"), row.expected) << row.name;
        EXPECT_EQ(GetIniValue(row.expected, "check", row.key), "0") << row.name;
    }
    EXPECT_EQ(GetIniValue("[check]\nchecka\n", "check", "checka"), std::nullopt);
    EXPECT_EQ(GetIniValue("[check]\n checka = 'x y' \x1a\n", "CHECK", "CheckA"), "'x y'");
}

TEST(IniBytes, EveryFormComesBackByteForByte) {
    const struct {
        const char* name;
        std::string bytes;
        IniForm form;
    } rows[] = {
        {"ANSI", "[check]\r\nchecka=\xE9\r\n", IniForm::kAnsi},
        {"UTF-8", "\xEF\xBB\xBF[check]\nchecka=\xC3\xA9", IniForm::kUtf8},
        {"UTF-16 with a lone surrogate", "\xFF\xFE[\0a\0=\0\x00\xD8\r\0"s, IniForm::kUtf16Le},
        {"UTF-16 of odd length", "\xFE\xFF\0[\0a\0=\0\x31\r"s, IniForm::kUtf16Be},
        {"UTF-16 with two marks", "\xFF\xFE\xFF\xFE[\0c\0]\0"s, IniForm::kUtf16Le},
    };
    for (const auto& row : rows) {
        IniFileText file = DecodeIniFile(row.bytes);
        EXPECT_EQ(file.form, row.form) << row.name;
        EXPECT_EQ(EncodeIniFile(file), row.bytes) << row.name;
    }
    // The second mark is text, as the profile functions see it: no heading follows.
    EXPECT_EQ(
        ReadIniSection(DecodeIniFile("\xFF\xFE\xFF\xFE[\0c\0]\0\n\0a\0"s).text, "c").lines.size(),
        0u);
}

} // namespace
} // namespace qm
