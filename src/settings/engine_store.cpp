#include "settings/engine_store.h"

#include "platform/idn_host.h"
#include "platform/text_codec.h"
#include "settings/settings_file.h"

#include <windows.h>

namespace qm {

namespace {
std::u16string DecodeAnsi(const std::string& bytes) {
    return FromWide(AnsiToWide(bytes));
}
} // namespace

EngineSection LoadOwnEngines() {
    return ParseEngineSection(ReadIniSectionLines(kEnginesSection), DecodeAnsi, IdnHostToAscii);
}

bool SaveOwnEngines(const EngineSection& read, const std::vector<OwnEngine>& edited) {
    std::vector<IniLine> lines = EditedEngineLines(read, edited);
    const std::vector<IniLine>& before = read.section.lines;
    bool unchanged = lines.size() == before.size();
    for (size_t i = 0; unchanged && i < lines.size(); ++i)
        unchanged = lines[i].text == before[i].text;
    return unchanged || WriteIniSectionLines(kEnginesSection, lines);
}

} // namespace qm
