#include "controller/auto_start_command.h"

namespace qm {

namespace {
const char kBlanks[] = " \t\r\n";

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

std::string AutoStartCommand(const std::string& folder, const std::string& exe_base_name) {
    std::string path = folder + "\\" + exe_base_name + ".exe";
    if (path.find_first_of(" \t") != std::string::npos)
        return "\"" + path + "\"";
    return path;
}

std::string CommandProgramPath(const std::string& value) {
    std::string text = Trim(value);
    if (text.empty() || text[0] != '"')
        return text;
    // A quoted path ends at its closing quotation mark; anything after it is
    // arguments. A missing closing mark takes the rest, as Windows does.
    size_t close = text.find('"', 1);
    std::string path = close == std::string::npos ? text.substr(1) : text.substr(1, close - 1);
    return Trim(path);
}

bool IsAutoStartValuePresent(const std::string& value) {
    return !CommandProgramPath(value).empty();
}

bool SameProgramPath(const std::string& a, const std::string& b) {
    std::string pa = CommandProgramPath(a);
    std::string pb = CommandProgramPath(b);
    if (pa.empty() || pa.size() != pb.size())
        return false;
    for (size_t i = 0; i < pa.size(); ++i) {
        if (AsciiLower(pa[i]) != AsciiLower(pb[i]))
            return false;
    }
    return true;
}

} // namespace qm
