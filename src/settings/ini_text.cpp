#include "settings/ini_text.h"

#include <cstddef>

namespace qm {

namespace {
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

std::vector<IniLine> SplitLines(const std::string& file) {
    std::vector<IniLine> lines;
    size_t start = 0;
    while (start < file.size()) {
        size_t end = file.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back({file.substr(start), ""});
            break;
        }
        size_t eol_length = file.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        lines.push_back({file.substr(start, end - start), file.substr(end, eol_length)});
        start = end + eol_length;
    }
    return lines;
}

std::string JoinLines(const std::vector<IniLine>& lines) {
    std::string file;
    for (const IniLine& line : lines)
        file += line.text + line.eol;
    return file;
}

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

bool SameNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// Whether the line heads a section, and which.
bool IsHeading(const IniLine& line, size_t index, std::string* name) {
    std::string text = line.text;
    if (index == 0 && text.compare(0, 3, kUtf8Mark) == 0)
        text.erase(0, 3);
    text = Trim(text);
    if (text.empty() || text[0] != '[')
        return false;
    size_t close = text.find(']');
    *name = Trim(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

// [heading, body begin, body end) of the first section of that name; heading is npos
// when the file has none.
struct Range {
    size_t heading = std::string::npos;
    size_t begin = 0;
    size_t end = 0;
};

Range FindSection(const std::vector<IniLine>& lines, const std::string& section) {
    Range range;
    std::string name;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!IsHeading(lines[i], i, &name))
            continue;
        if (range.heading != std::string::npos) {
            range.end = i;
            return range;
        }
        if (SameNoCase(name, section)) {
            range.heading = i;
            range.begin = i + 1;
        }
    }
    range.end = lines.size();
    return range;
}

// Appends a heading at the end of the file; the range of its (empty) body.
Range AddSection(std::vector<IniLine>& lines, const std::string& section, const std::string& eol) {
    if (!lines.empty() && lines.back().eol.empty())
        lines.back().eol = eol;
    lines.push_back({"[" + section + "]", eol});
    return {lines.size() - 1, lines.size(), lines.size()};
}

// A new line in a section ends as the section's heading does.
std::string SectionLineEnd(const std::vector<IniLine>& lines, const Range& range,
                           const std::string& file) {
    const std::string& heading = lines[range.heading].eol;
    return heading.empty() ? NewLineEnd(file) : heading;
}
} // namespace

std::string NewLineEnd(const std::string& file) {
    size_t end = file.find_first_of("\r\n");
    if (end == std::string::npos)
        return "\r\n";
    return file.compare(end, 2, "\r\n") == 0 ? "\r\n" : file.substr(end, 1);
}

IniSection ReadIniSection(const std::string& file, const std::string& section) {
    std::vector<IniLine> lines = SplitLines(file);
    Range range = FindSection(lines, section);
    if (range.heading == std::string::npos)
        return {};
    return {std::vector<IniLine>(lines.begin() + range.begin, lines.begin() + range.end),
            static_cast<int>(range.begin) + 1};
}

std::string ReplaceIniSection(const std::string& file, const std::string& section,
                              const std::vector<IniLine>& body) {
    std::vector<IniLine> lines = SplitLines(file);
    Range range = FindSection(lines, section);
    if (range.heading == std::string::npos)
        range = AddSection(lines, section, NewLineEnd(file));
    const std::string eol = SectionLineEnd(lines, range, file);
    std::vector<IniLine> replaced(body);
    // A file that ended without a line end still does; every other line gets one.
    const bool open_end =
        range.end == lines.size() && range.end > range.begin && lines.back().eol.empty();
    for (size_t i = 0; i < replaced.size(); ++i)
        if (replaced[i].eol.empty() && !(open_end && i + 1 == replaced.size()))
            replaced[i].eol = eol;
    if (!replaced.empty() && lines[range.begin - 1].eol.empty())
        lines[range.begin - 1].eol = eol;
    lines.erase(lines.begin() + range.begin, lines.begin() + range.end);
    lines.insert(lines.begin() + range.begin, replaced.begin(), replaced.end());
    return JoinLines(lines);
}

std::string SetIniValue(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    std::vector<IniLine> lines = SplitLines(file);
    Range range = FindSection(lines, section);
    if (range.heading == std::string::npos)
        range = AddSection(lines, section, NewLineEnd(file));
    const std::string eol = SectionLineEnd(lines, range, file);
    size_t insert_at = range.begin;
    for (size_t i = range.begin; i < range.end; ++i) {
        std::string& text = lines[i].text;
        std::string trimmed = Trim(text);
        if (trimmed.empty())
            continue;
        insert_at = i + 1;
        size_t equals = text.find('=');
        if (trimmed[0] == ';' || equals == std::string::npos ||
            !SameNoCase(Trim(text.substr(0, equals)), key))
            continue;
        // The blanks after "=" stay; only the value itself changes.
        size_t value_at = text.find_first_not_of(" \t", equals + 1);
        text.replace(value_at == std::string::npos ? text.size() : value_at, std::string::npos,
                     value);
        return JoinLines(lines);
    }
    if (insert_at > 0 && lines[insert_at - 1].eol.empty())
        lines[insert_at - 1].eol = eol;
    lines.insert(lines.begin() + insert_at, {key + "=" + value, eol});
    return JoinLines(lines);
}

} // namespace qm
