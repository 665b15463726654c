#include "settings/ini_text.h"

#include <algorithm>
#include <cstddef>

namespace qm {

namespace {
constexpr size_t npos = std::string::npos;

std::vector<IniLine> SplitLines(const std::string& file) {
    std::vector<IniLine> lines;
    size_t start = 0;
    while (start < file.size()) {
        size_t end = file.find_first_of("\r\n", start);
        if (end == npos) {
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

bool IsBlank(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 0x09 && u <= 0x0D) || u == 0x1A || u == ' ';
}

struct Span {
    size_t begin = 0;
    size_t end = 0;
};

Span Trim(const std::string& text, Span span) {
    while (span.begin < span.end && IsBlank(text[span.begin]))
        ++span.begin;
    while (span.end > span.begin && IsBlank(text[span.end - 1]))
        --span.end;
    return span;
}

// One line as the profile functions see it.
struct LineParts {
    bool blank = false;
    bool heading = false;
    Span name;            // the section's or the key's
    size_t equals = npos; // a key line's first "="
    Span value;
};

LineParts Parse(const std::string& text) {
    LineParts parts;
    const Span line = Trim(text, {0, text.size()});
    parts.blank = line.begin == line.end;
    if (parts.blank)
        return parts;
    if (text[line.begin] == '[') {
        size_t close = text.rfind(']', line.end - 1);
        if (close != npos && close > line.begin) {
            parts.heading = true;
            parts.name = Trim(text, {line.begin + 1, close});
            return parts;
        }
    }
    parts.equals = text.find('=', line.begin);
    if (parts.equals >= line.end) {
        parts.equals = npos;
        parts.name = line;
        return parts;
    }
    parts.name = Trim(text, {line.begin, parts.equals});
    parts.value = Trim(text, {parts.equals + 1, line.end});
    return parts;
}

bool NameIs(const std::string& text, Span span, const std::string& name) {
    const size_t end = std::min(span.end, text.find('\0', span.begin));
    if (end - span.begin != name.size())
        return false;
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < name.size(); ++i)
        if (fold(text[span.begin + i]) != fold(name[i]))
            return false;
    return true;
}

// [heading, body begin, body end) of the first section of that name; heading is npos
// when the file has none.
struct Range {
    size_t heading = npos;
    size_t begin = 0;
    size_t end = 0;
};

Range FindSection(const std::vector<IniLine>& lines, const std::string& section) {
    Range range;
    for (size_t i = 0; i < lines.size(); ++i) {
        LineParts parts = Parse(lines[i].text);
        if (!parts.heading)
            continue;
        if (range.heading != npos) {
            range.end = i;
            return range;
        }
        if (NameIs(lines[i].text, parts.name, section)) {
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

// A new line at `at` ends as the line before it does, which therefore gets an end
// first; a lone CR before an empty line ending in LF would join the two into one end.
void EndNewLine(std::vector<IniLine>& lines, size_t at, const std::string& file) {
    std::string& before = lines[at - 1].eol;
    if (before.empty())
        before = NewLineEnd(file);
    lines[at].eol = before;
    if (before == "\r" && at + 1 < lines.size() && lines[at + 1].text.empty() &&
        lines[at + 1].eol[0] == '\n')
        lines[at].eol = "\r\n";
}
} // namespace

std::string NewLineEnd(const std::string& file) {
    size_t end = file.find_first_of("\r\n");
    if (end == npos)
        return "\r\n";
    return file.compare(end, 2, "\r\n") == 0 ? "\r\n" : file.substr(end, 1);
}

IniSection ReadIniSection(const std::string& file, const std::string& section) {
    std::vector<IniLine> lines = SplitLines(file);
    Range range = FindSection(lines, section);
    if (range.heading == npos)
        return {};
    return {std::vector<IniLine>(lines.begin() + range.begin, lines.begin() + range.end),
            static_cast<int>(range.begin) + 1};
}

std::string ReplaceIniSection(const std::string& file, const std::string& section,
                              const std::vector<IniLine>& body) {
    std::vector<IniLine> lines = SplitLines(file);
    Range range = FindSection(lines, section);
    if (range.heading == npos)
        range = AddSection(lines, section, NewLineEnd(file));
    // A file that ended without a line end still does; every other line gets one.
    const bool open_end =
        range.end == lines.size() && range.end > range.begin && lines.back().eol.empty();
    lines.erase(lines.begin() + range.begin, lines.begin() + range.end);
    lines.insert(lines.begin() + range.begin, body.begin(), body.end());
    const size_t body_end = range.begin + body.size();
    for (size_t i = range.begin; i < body_end; ++i)
        if (lines[i].eol.empty() && !(open_end && i + 1 == body_end))
            EndNewLine(lines, i, file);
    return JoinLines(lines);
}

std::optional<std::string> GetIniValue(const std::string& file, const std::string& section,
                                       const std::string& key) {
    std::vector<IniLine> lines = SplitLines(file);
    Range range = FindSection(lines, section);
    for (size_t i = range.begin; range.heading != npos && i < range.end; ++i) {
        const std::string& text = lines[i].text;
        LineParts parts = Parse(text);
        if (parts.blank || !NameIs(text, parts.name, key))
            continue;
        if (parts.equals == npos)
            return std::nullopt;
        std::string value = text.substr(parts.value.begin, parts.value.end - parts.value.begin);
        return value.substr(0, value.find('\0'));
    }
    return std::nullopt;
}

std::string SetIniValue(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    std::vector<IniLine> lines = SplitLines(file);
    Range range = FindSection(lines, section);
    if (range.heading == npos)
        range = AddSection(lines, section, NewLineEnd(file));
    size_t insert_at = range.begin;
    for (size_t i = range.begin; i < range.end; ++i) {
        std::string& text = lines[i].text;
        LineParts parts = Parse(text);
        if (parts.blank)
            continue;
        insert_at = i + 1;
        if (!NameIs(text, parts.name, key))
            continue;
        // The blanks after "=" stay; only the value itself changes.
        if (parts.equals == npos)
            text = text.substr(0, parts.name.end) + "=" + value;
        else
            text.replace(parts.value.begin, npos, value);
        return JoinLines(lines);
    }
    lines.insert(lines.begin() + insert_at, {key + "=" + value, ""});
    EndNewLine(lines, insert_at, file);
    return JoinLines(lines);
}

} // namespace qm
