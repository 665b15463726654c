#include "auto_start/auto_start_command.h"

#include <algorithm>

namespace qm {

namespace {
const wchar_t kBlanks[] = L" \t\r\n";

std::wstring Trim(const std::wstring& text) {
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::wstring::npos)
        return {};
    size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool SameIgnoringAsciiCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

std::wstring WithoutTrailingSeparators(std::wstring path) {
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    return path;
}

bool IsInside(const std::wstring& path, const std::wstring& folder) {
    return !folder.empty() && path.size() >= folder.size() &&
           SameIgnoringAsciiCase(path.substr(0, folder.size()), folder) &&
           (path.size() == folder.size() || path[folder.size()] == L'\\');
}
} // namespace

std::wstring AutoStartCommand(const std::wstring& folder, const std::wstring& exe_base_name) {
    std::wstring path = folder + L"\\" + exe_base_name + L".exe";
    if (path.find_first_of(L" \t") != std::wstring::npos)
        return L"\"" + path + L"\"";
    return path;
}

std::wstring CommandProgramPath(const std::wstring& value) {
    std::wstring text = Trim(value);
    if (text.empty() || text[0] != L'"')
        return text;
    // A quoted path ends at its closing quotation mark; anything after it is
    // arguments. A missing closing mark takes the rest, as Windows does.
    size_t close = text.find(L'"', 1);
    std::wstring path = close == std::wstring::npos ? text.substr(1) : text.substr(1, close - 1);
    return Trim(path);
}

bool IsAutoStartValuePresent(const std::wstring& value) {
    return !CommandProgramPath(value).empty();
}

const wchar_t* StartupApprovedSubkey(bool machine_wide, bool wow64_process) {
    return machine_wide && wow64_process ? L"Run32" : L"Run";
}

bool IsStartupSwitchedOff(const std::optional<std::vector<unsigned char>>& approval) {
    return approval && !approval->empty() && ((*approval)[0] & 1) != 0;
}

bool StartsWithWindows(const std::wstring& run_value,
                       const std::optional<std::vector<unsigned char>>& approval) {
    return IsAutoStartValuePresent(run_value) && !IsStartupSwitchedOff(approval);
}

bool SameProgramPath(const std::wstring& a, const std::wstring& b) {
    std::wstring pa = CommandProgramPath(a);
    return !pa.empty() && SameIgnoringAsciiCase(pa, CommandProgramPath(b));
}

ProfilePlace PlaceAmongProfiles(const std::wstring& program_folder, const std::wstring& own_profile,
                                const std::wstring& profiles_folder) {
    const std::wstring folder = WithoutTrailingSeparators(program_folder);
    // Checked first: a profile may lie outside the profiles folder (D:\alice).
    if (IsInside(folder, WithoutTrailingSeparators(own_profile)))
        return ProfilePlace::Own;
    return IsInside(folder, WithoutTrailingSeparators(profiles_folder)) ? ProfilePlace::Another
                                                                        : ProfilePlace::Outside;
}

} // namespace qm
