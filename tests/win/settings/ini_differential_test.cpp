// The settings layer against the profile functions (Wine's GetPrivateProfileStringW):
// odd files made by a seeded generator from the pieces that hand edits and other tools
// leave, each read by both, then edited by the program and read again. What the
// program writes must be what they read, every other key must read as before, and no
// line of the user's may go.
#include "platform/text_codec.h"
#include "settings/engine_store.h"
#include "settings/ini_bytes.h"
#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace qm {
namespace {

using namespace std::string_literals;

// Pieces of lines, "|" between them; those holding a NUL apart.
std::vector<std::string> Pieces(const std::string& list, std::vector<std::string> more) {
    for (size_t start = 0, bar; start <= list.size(); start = bar + 1) {
        bar = std::min(list.find('|', start), list.size());
        more.push_back(list.substr(start, bar - start));
    }
    return more;
}
const std::vector<std::string> kHeadings =
    Pieces("[check]|[CHECK]| [ check ]\t|[check] ; see [x]|[check]]|[check|[auto]|[Auto]|[hotkey]|"
           "[engines]|[engines]]|\x0c[check]|\x1a[auto]|[other]|[]",
           {"\0[check]"s, "[che\0ck]"s});
const std::vector<std::string> kLines =
    Pieces("checka=1|CheckA = 0 |checka|checkb\x0b=1|checkc=\"2\"|checka=|;checka=9|# note|"
           "checkb\t=\t1\x0c|checka\x1a=3| =5|HotKey1Text='Ctrl + Q'|HotKey1Text=\"\"|\xE9t\xE9=1||"
           "  |\x0b|; my engines|A=https://a.example/?q=|checkb=x\xD0y|auto=1",
           {"checkc=1\0zz"s, "chec\0ka=7"s});
const std::vector<std::string> kEnds = {"\r\n", "\n", "\r", "\r\n", "\n"};
const struct {
    const char* section;
    const char* key;
} kProbes[] = {{"check", "checka"}, {"check", "checkb"},       {"check", "checkc"},
               {"auto", "checka"},  {"hotkey", "HotKey1Text"}, {"engines", "A"}};
const char* const kValues[] = {"0", "1", "100", "Ctrl + Alt + Q"};

enum class Form { kAnsi, kUtf8, kUtf16Le, kUtf16Be, kUtf16TwoMarks };

struct Case {
    std::string bytes;
    std::string description;
};

std::string Escaped(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

// The pieces are Latin-1; the file takes them in its own form.
Case MakeCase(std::mt19937& random) {
    auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
    std::u16string units;
    const int count = 2 + static_cast<int>(pick(9));
    for (int i = 0; i < count; ++i) {
        const std::string& piece =
            pick(3) == 0 ? kHeadings[pick(kHeadings.size())] : kLines[pick(kLines.size())];
        for (unsigned char c : piece)
            units += static_cast<char16_t>(c);
        if (i + 1 < count || pick(3))
            for (char c : kEnds[pick(kEnds.size())])
                units += static_cast<char16_t>(c);
    }
    const Form form = static_cast<Form>(pick(5) < 2 ? 0 : pick(5));
    std::string bytes;
    if (form == Form::kAnsi) {
        for (char16_t unit : units)
            bytes += static_cast<char>(unit);
        return {bytes, "ANSI"};
    }
    if (form == Form::kUtf8) {
        std::wstring wide(units.begin(), units.end());
        std::string utf8(wide.size() * 3 + 1, '\0');
        utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                        utf8.data(), static_cast<int>(utf8.size()), nullptr,
                                        nullptr));
        return {"\xEF\xBB\xBF" + utf8, "UTF-8"};
    }
    // A lone surrogate in another value, or a last odd byte, as a broken editor leaves.
    if (pick(3) == 0)
        units.insert(units.size() / 2, 1, char16_t(0xD800));
    if (form == Form::kUtf16TwoMarks)
        units.insert(units.begin(), char16_t(0xFEFF));
    units.insert(units.begin(), char16_t(0xFEFF));
    const bool be = form == Form::kUtf16Be, le = !be;
    for (char16_t unit : units) {
        bytes += static_cast<char>(be ? unit >> 8 : unit & 0xFF);
        bytes += static_cast<char>(be ? unit & 0xFF : unit >> 8);
    }
    // Wine reads the odd byte with one past the file's end as the last line's last
    // character, so the comparison only has such a file end with a line end before it.
    if (pick(4) == 0)
        bytes += le ? "\r\0\n\0\r"s : "\0\r\0\n\r"s;
    return {bytes, be ? "UTF-16 BE" : "UTF-16 LE"};
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::string text = DecodeIniFile(bytes).text;
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    }
    return lines;
}

// How many of the old file's lines the new one lacks (in order; added lines aside):
// those outside the longest sequence the two share.
int LinesLost(const std::string& before, const std::string& after) {
    std::vector<std::string> old_lines = Lines(before), new_lines = Lines(after);
    std::vector<std::vector<int>> shared(old_lines.size() + 1,
                                         std::vector<int>(new_lines.size() + 1));
    for (size_t i = old_lines.size(); i-- > 0;)
        for (size_t j = new_lines.size(); j-- > 0;)
            shared[i][j] = old_lines[i] == new_lines[j]
                               ? shared[i + 1][j + 1] + 1
                               : std::max(shared[i + 1][j], shared[i][j + 1]);
    return static_cast<int>(old_lines.size()) - shared[0][0];
}

class IniDifferentialTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"qm-ini-differential";
        CreateDirectoryW(folder_.c_str(), nullptr);
        path_ = folder_ + L"\\set.ini";
    }
    void TearDown() override {
        DeleteFileW(path_.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    void Write(const std::string& bytes) {
        std::ofstream(path_.c_str(), std::ios::binary) << bytes;
    }
    std::string Read() {
        std::ifstream in(path_.c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string ProfileReads(const char* section, const char* key) {
        wchar_t buffer[255] = {};
        DWORD copied = GetPrivateProfileStringW(
            AnsiToWide(section).c_str(), AnsiToWide(key).c_str(), L"-", buffer, 255, path_.c_str());
        return WideToAnsi(std::wstring(buffer, copied));
    }
    std::vector<std::string> ReadAll(bool profile) {
        std::vector<std::string> values;
        for (const auto& probe : kProbes)
            values.push_back(profile ? ProfileReads(probe.section, probe.key)
                                     : ReadIniString(probe.section, probe.key, "-"));
        return values;
    }

    std::wstring folder_, path_;
};

TEST_F(IniDifferentialTest, ProgramReadsAndWritesAsTheProfileFunctionsRead) {
    std::mt19937 random(20261208);
    SetIniFileIn(folder_, "set.ini");
    for (int n = 0; n < 300; ++n) {
        const Case file = MakeCase(random);
        const std::string at =
            "case " + std::to_string(n) + " (" + file.description + "): " + Escaped(file.bytes);
        Write(file.bytes);
        const std::vector<std::string> before = ReadAll(true);
        ASSERT_EQ(ReadAll(false), before) << at;

        const auto& probe = kProbes[random() % 5];
        const char* value = kValues[random() % 4];
        BeginIniSave();
        WriteIniString(probe.section, probe.key, value);
        ASSERT_EQ(EndIniSave(), 0u) << at;
        const std::string after = Read();
        std::vector<std::string> expected = before;
        expected[&probe - kProbes] = value;
        ASSERT_EQ(ReadAll(true), expected) << at << "\nset " << probe.section << "/" << probe.key
                                           << "=" << value << " gave " << Escaped(after);
        ASSERT_LE(LinesLost(file.bytes, after), 1) << at << "\ngave " << Escaped(after);

        // An engine added in the dialog keeps every line and is listed at the next start.
        Write(file.bytes);
        EngineSection read = LoadOwnEngines();
        std::vector<OwnEngine> edited = read.engines;
        edited.push_back({u"New", u"https://new.example/?q="});
        ASSERT_TRUE(SaveOwnEngines(read, edited)) << at;
        ASSERT_EQ(LinesLost(file.bytes, Read()), 0) << at << "\ngave " << Escaped(Read());
        ASSERT_EQ(LoadOwnEngines().engines.size(), edited.size()) << at;
        ASSERT_EQ(ProfileReads("engines", "New"), "https://new.example/?q=") << at;
    }
}

} // namespace
} // namespace qm
