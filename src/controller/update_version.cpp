#include "controller/update_version.h"

namespace qm {

namespace {
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
constexpr char kBlanks[] = " \t\r\n";

std::string VersionText(std::string text) {
    if (text.compare(0, 3, kUtf8Bom) == 0)
        text.erase(0, 3);
    size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}
} // namespace

UpdateVerdict JudgeVersionAnswer(const std::string& own,
                                 const std::optional<std::string>& fetched) {
    if (!fetched)
        return UpdateVerdict::NoAnswer;
    std::string version = VersionText(*fetched);
    if (version.empty())
        return UpdateVerdict::NoAnswer;
    return version == own ? UpdateVerdict::Same : UpdateVerdict::Differs;
}

bool IsVersionFileStatus(unsigned long http_status) {
    return http_status >= 200 && http_status <= 299;
}

} // namespace qm
