#pragma once
// The auto-start value's text: how the program's path is written under the Run
// key and how a value read back is judged. UTF-16, as the registry keeps it, so a
// folder named in any script is written as it is.
#include <optional>
#include <string>
#include <vector>

namespace qm {

inline constexpr const wchar_t* kRunKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const wchar_t* kAutoStartValueName = L"quenmarksearch";
// Where Task Manager and Settings > Startup apps keep their switch for each Run value,
// under the Run value's own name, in the same hive.
inline constexpr const wchar_t* kStartupApprovedPath =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";

// The subkey of kStartupApprovedPath for a Run value. A 32-bit program on 64-bit Windows
// writes its machine-wide value into the 32-bit view, and its switch is kept under
// "Run32"; a per-user value, and every value on 32-bit Windows, under "Run".
const wchar_t* StartupApprovedSubkey(bool machine_wide, bool wow64_process);

// Whether the switch is off. The value is REG_BINARY, 12 bytes: a DWORD of flags, then
// the FILETIME of the change; a set lowest bit means off (03 and 07 are seen, 02 and 06
// when on). A missing or empty value is no switch: Windows runs the value.
bool IsStartupSwitchedOff(const std::optional<std::vector<unsigned char>>& approval);

// Whether Windows starts the program from a Run value with this switch.
bool StartsWithWindows(const std::wstring& run_value,
                       const std::optional<std::vector<unsigned char>>& approval);

// folder + "\" + exe_base_name + ".exe"; the "\" is inserted even after a drive
// root. A path with blanks is put in quotation marks, since Windows would
// otherwise try to start "C:\Program.exe" for "C:\Program Files\...".
std::wstring AutoStartCommand(const std::wstring& folder, const std::wstring& exe_base_name);

// The program path named by a Run value, quoted or not, with surrounding blanks
// removed; empty when the value names nothing.
std::wstring CommandProgramPath(const std::wstring& value);

// Whether a Run value names a program at all (blank or empty quotes do not).
bool IsAutoStartValuePresent(const std::wstring& value);

// Where the program's folder lies: in the running user's own profile, in another user's
// (inside the folder that holds the profiles, such as C:\Users, but outside the own one),
// or outside every profile. Paths compare without regard to ASCII case; an empty
// folder contains nothing.
enum class ProfilePlace { Outside, Own, Another };
ProfilePlace PlaceAmongProfiles(const std::wstring& program_folder, const std::wstring& own_profile,
                                const std::wstring& profiles_folder);

// Whether two Run values name the same program (paths compare without regard
// to ASCII case, as Windows file names do).
bool SameProgramPath(const std::wstring& a, const std::wstring& b);

} // namespace qm
