#pragma once
// The auto-start value's text: how the program's path is written under the Run
// key and how a value read back is judged. UTF-16, as the registry keeps it, so a
// folder named in any script is written as it is.
#include <string>

namespace qm {

inline constexpr const wchar_t* kRunKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const wchar_t* kAutoStartValueName = L"quenmarksearch";

// folder + "\" + exe_base_name + ".exe"; the "\" is inserted even after a drive
// root. A path with blanks is put in quotation marks, since Windows would
// otherwise try to start "C:\Program.exe" for "C:\Program Files\...".
std::wstring AutoStartCommand(const std::wstring& folder, const std::wstring& exe_base_name);

// The program path named by a Run value, quoted or not, with surrounding blanks
// removed; empty when the value names nothing.
std::wstring CommandProgramPath(const std::wstring& value);

// Whether a Run value names a program at all (blank or empty quotes do not).
bool IsAutoStartValuePresent(const std::wstring& value);

// Whether two Run values name the same program (paths compare without regard
// to ASCII case, as Windows file names do).
bool SameProgramPath(const std::wstring& a, const std::wstring& b);

} // namespace qm
