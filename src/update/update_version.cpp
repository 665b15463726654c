#include "update/update_version.h"

#include <vector>

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

bool LooksLikeVersion(const std::string& text) {
    if (text.empty() || text.size() > kMaxVersionText)
        return false;
    return text.find_first_not_of("0123456789.") == std::string::npos &&
           text.find_first_of("0123456789") != std::string::npos;
}

// The parts between dots, leading zeros dropped, so that equal numbers are equal texts.
std::vector<std::string> NumberParts(const std::string& version) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t dot = version.find('.', start);
        std::string part = version.substr(start, dot - start);
        size_t digits = part.find_first_not_of('0');
        part.erase(0, digits == std::string::npos ? part.size() : digits);
        parts.push_back(part);
        if (dot == std::string::npos)
            return parts;
        start = dot + 1;
    }
}

// Compares digit strings without leading zeros: a longer one is larger, whatever the
// size of the number, so no part can overflow.
int CompareVersions(const std::string& a, const std::string& b) {
    std::vector<std::string> pa = NumberParts(a), pb = NumberParts(b);
    const std::string zero;
    for (size_t i = 0; i < pa.size() || i < pb.size(); ++i) {
        const std::string& x = i < pa.size() ? pa[i] : zero;
        const std::string& y = i < pb.size() ? pb[i] : zero;
        if (x.size() != y.size())
            return x.size() < y.size() ? -1 : 1;
        if (int order = x.compare(y))
            return order < 0 ? -1 : 1;
    }
    return 0;
}
} // namespace

UpdateVerdict JudgeVersionAnswer(const std::string& own,
                                 const std::optional<std::string>& fetched) {
    if (!fetched)
        return UpdateVerdict::NoAnswer;
    std::string version = VersionText(*fetched);
    if (!LooksLikeVersion(version))
        return UpdateVerdict::NoAnswer;
    return CompareVersions(version, own) > 0 ? UpdateVerdict::Newer : UpdateVerdict::NotNewer;
}

bool IsVersionFileStatus(unsigned long http_status) {
    return http_status >= 200 && http_status <= 299;
}

bool TryUpdateCheckAgain(const VersionFetch& fetch, int checks_run) {
    // WinINet's errors that say no connection was made (wininet.h).
    constexpr unsigned long kNameNotResolved = 12007, kCannotConnect = 12029, kDisconnected = 12163,
                            kServerUnreachable = 12164, kProxyUnreachable = 12165;
    if (fetch.answered || checks_run != 1)
        return false;
    for (unsigned long error :
         {kNameNotResolved, kCannotConnect, kDisconnected, kServerUnreachable, kProxyUnreachable})
        if (fetch.error == error)
            return true;
    return false;
}

} // namespace qm
