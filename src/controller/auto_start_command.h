#pragma once
// The auto-start value's text: how the program's path is written under the Run
// key and how a value read back is judged.
#include <string>

namespace qm {

inline constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kAutoStartValueName = "quenmarksearch";

// folder + "\" + exe_base_name + ".exe"; the "\" is inserted even after a drive
// root. A path with blanks is put in quotation marks, since Windows would
// otherwise try to start "C:\Program.exe" for "C:\Program Files\...".
std::string AutoStartCommand(const std::string& folder, const std::string& exe_base_name);

// The program path named by a Run value, quoted or not, with surrounding blanks
// removed; empty when the value names nothing.
std::string CommandProgramPath(const std::string& value);

// Whether a Run value names a program at all (blank or empty quotes do not).
bool IsAutoStartValuePresent(const std::string& value);

// Whether two Run values name the same program (paths compare without regard
// to ASCII case, as Windows file names do).
bool SameProgramPath(const std::string& a, const std::string& b);

} // namespace qm
