#pragma once
// set.ini edited as text, one line at a time: whatever this program does not
// change keeps its bytes, its line ends and its place. Lines are read as the profile
// functions read them, so a value written here is the value read back anywhere: a
// heading is a line that starts with "[" and names what lies up to its last "]";
// blanks are tab to CR, Ctrl-Z and space; every other line that is not blank is a key,
// with or without "="; names compare without case and end at a NUL; only the first
// section of a name counts.
#include <optional>
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

// The first section of that name.
IniSection ReadIniSection(const std::string& file, const std::string& section);

// The file with the section's lines replaced, the section added at the end if missing.
std::string ReplaceIniSection(const std::string& file, const std::string& section,
                              const std::vector<IniLine>& lines);

// The key's value as the file's bytes, without the blanks around it and up to a NUL;
// nothing when the key is missing or its line has no "=".
std::optional<std::string> GetIniValue(const std::string& file, const std::string& section,
                                       const std::string& key);

// The file with one key's value set: only the text after the key's "=" changes (a
// key line without one gets it); a new key goes after the section's last line that is
// not blank, a new section at the end. Values are the file's bytes; the caller encodes
// them.
std::string SetIniValue(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value);

// The line end a new line gets: the file's first one, else CR LF.
std::string NewLineEnd(const std::string& file);

} // namespace qm
