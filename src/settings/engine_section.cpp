#include "settings/engine_section.h"

#include "support/utf.h"

#include <algorithm>

namespace qm {

namespace {
std::u16string Trim(const std::u16string& text) {
    size_t begin = text.find_first_not_of(u" \t");
    if (begin == std::u16string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(u" \t") - begin + 1);
}
} // namespace

EngineSection ParseEngineSection(IniSection section, AnsiDecoder decode_ansi,
                                 HostToAscii to_ascii) {
    EngineSection read;
    read.section = std::move(section);
    const std::vector<IniLine>& lines = read.section.lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::u16string> utf8 = DecodeUtf8(lines[i].text);
        const std::u16string text = utf8 ? *utf8 : decode_ansi(lines[i].text);
        const std::u16string trimmed = Trim(text);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#')
            continue;
        const int number = read.section.first_line + static_cast<int>(i);
        size_t equals = trimmed.find('=');
        if (equals == std::u16string::npos) {
            read.left_out.push_back({number, text, "The line has no = between name and address."});
            continue;
        }
        OwnEngine engine{Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1)),
                         static_cast<int>(read.engines.size())};
        // Quotes around a value, as the profile functions take them off.
        std::u16string& url = engine.url_template;
        if (url.size() >= 2 && url.front() == '"' && url.back() == '"')
            url = url.substr(1, url.size() - 2);
        std::string problem = CaptionProblem(engine.caption, read.engines);
        if (problem.empty())
            problem = TemplateProblem(url, to_ascii);
        if (problem.empty() && read.engines.size() == kMaxOwnEngines)
            problem = "The panel has room for nine engines.";
        if (!problem.empty()) {
            read.left_out.push_back({number, text, problem});
            continue;
        }
        read.engines.push_back(std::move(engine));
        read.engine_line.push_back(i);
    }
    return read;
}

std::vector<IniLine> EditedEngineLines(const EngineSection& read,
                                       const std::vector<OwnEngine>& edited) {
    const std::vector<IniLine>& lines = read.section.lines;
    auto from_file = [&](const OwnEngine& engine) {
        return engine.origin >= 0 && static_cast<size_t>(engine.origin) < read.engines.size();
    };
    auto line_of = [&](const OwnEngine& engine) {
        if (from_file(engine)) {
            const OwnEngine& original = read.engines[engine.origin];
            if (original.caption == engine.caption && original.url_template == engine.url_template)
                return lines[read.engine_line[engine.origin]];
        }
        return IniLine{Utf16ToUtf8(engine.caption) + "=" + Utf16ToUtf8(engine.url_template), ""};
    };
    // The lines of the engines that stay, in file order: the k-th takes the k-th of
    // them in the edited order, with the new engines that follow it there (the first
    // also those before it).
    std::vector<size_t> kept_at, slots;
    for (size_t e = 0; e < edited.size(); ++e) {
        if (from_file(edited[e])) {
            kept_at.push_back(e);
            slots.push_back(read.engine_line[edited[e].origin]);
        }
    }
    std::sort(slots.begin(), slots.end());
    // Without one, the new engines go after the section's last line that is not blank.
    size_t end_of_text = lines.size();
    while (end_of_text > 0 &&
           lines[end_of_text - 1].text.find_first_not_of(" \t") == std::string::npos)
        --end_of_text;

    std::vector<IniLine> out;
    for (size_t i = 0; i <= lines.size(); ++i) {
        size_t k = std::lower_bound(slots.begin(), slots.end(), i) - slots.begin();
        if (k < slots.size() && slots[k] == i) {
            size_t to = k + 1 < kept_at.size() ? kept_at[k + 1] : edited.size();
            for (size_t e = k == 0 ? 0 : kept_at[k]; e < to; ++e)
                out.push_back(line_of(edited[e]));
            continue;
        }
        if (slots.empty() && i == end_of_text)
            for (const OwnEngine& engine : edited)
                out.push_back(line_of(engine));
        bool removed = std::find(read.engine_line.begin(), read.engine_line.end(), i) !=
                       read.engine_line.end();
        if (i < lines.size() && !removed)
            out.push_back(lines[i]);
    }
    return out;
}

} // namespace qm
