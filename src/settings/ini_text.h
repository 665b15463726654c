#pragma once
// set.ini edited as text, one line at a time: whatever this program does not
// change keeps its bytes, its line ends and its place.
#include <string>
#include <vector>

namespace qm {

struct IniLine {
    std::string text; // without its line end
    std::string eol;  // "\r\n", "\n" or "\r"; empty only on a last line without one
};

struct IniSection {
    std::vector<IniLine> lines; // the lines below the heading, up to the next section
    int first_line = 0;         // the file's line number (from 1) of lines[0]
};

// The first section of that name (compared without case, as the profile functions do).
IniSection ReadIniSection(const std::string& file, const std::string& section);

// The file with the section's lines replaced, the section added at the end if missing.
std::string ReplaceIniSection(const std::string& file, const std::string& section,
                              const std::vector<IniLine>& lines);

// The file with one key's value set: only the text after the key's "=" changes; a
// new key goes after the section's last line that is not blank, a new section at
// the end. Values are the file's bytes; the caller encodes them.
std::string SetIniValue(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value);

// The line end a new line gets: the file's first one, else CR LF.
std::string NewLineEnd(const std::string& file);

} // namespace qm
