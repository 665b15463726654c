#include "controller/auto_start_command.h"

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
    std::wstring pb = CommandProgramPath(b);
    if (pa.empty() || pa.size() != pb.size())
        return false;
    for (size_t i = 0; i < pa.size(); ++i) {
        if (AsciiLower(pa[i]) != AsciiLower(pb[i]))
            return false;
    }
    return true;
}

} // namespace qm
