#pragma once
// set.ini's [engines] section: one "caption=template" line per engine of the
// user's own, in the order the user sees them. Reading keeps each line's bytes, so
// that saving rewrites only the lines the user changed.
#include "settings/ini_text.h"
#include "search/own_engine.h"

#include <string>
#include <vector>

namespace qm {

inline constexpr char kEnginesSection[] = "engines";

// A line of the section that offers no engine, and why.
struct LeftOutLine {
    int line_number; // in the file, from 1
    std::u16string text;
    std::string reason;
};

struct EngineSection {
    IniSection section;                // as read, byte for byte
    std::vector<OwnEngine> engines;    // usable, in order, at most kMaxOwnEngines
    std::vector<size_t> engine_line;   // per engine: its index in section.lines
    std::vector<LeftOutLine> left_out; // blank lines and ; comments are not listed
};

// Bytes that are not UTF-8 are read in the ANSI code page, as an older editor wrote them.
using AnsiDecoder = std::u16string (*)(const std::string& bytes);
// Of two engines with one name, ignoring case, the first is kept.
EngineSection ParseEngineSection(IniSection section, AnsiDecoder decode_ansi, HostToAscii to_ascii);

// The section's lines after an edit. An engine still as it was read keeps its line's
// bytes, moved where the new order puts it; lines that offer no engine stay where they
// are; new and changed engines are written in UTF-8.
std::vector<IniLine> EditedEngineLines(const EngineSection& read,
                                       const std::vector<OwnEngine>& edited);

} // namespace qm
