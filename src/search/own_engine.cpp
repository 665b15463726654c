#include "search/own_engine.h"

#include "search/search_url.h"
#include "support/utf.h"

#include <algorithm>

namespace qm {

namespace {
bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}
bool IsSpace(char16_t c) {
    return c == ' ' || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200B) || c == 0x202F ||
           c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

size_t CharacterCount(const std::u16string& text) {
    size_t count = 0;
    for (char16_t unit : text)
        count += unit < 0xDC00 || unit > 0xDFFF; // a pair counts once
    return count;
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
    for (size_t i = 0; prefix[i]; ++i) {
        char c = i < text.size() ? text[i] : '\0';
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}
} // namespace

const char* TemplateProblem(const std::u16string& url_template) {
    if (CharacterCount(url_template) > kMaxTemplateLength)
        return "The address is longer than 1,024 characters.";
    for (char16_t c : url_template)
        if (IsControl(c) || IsSpace(c) || c == '"')
            return "The address must not contain spaces, quotation marks or control characters.";
    const std::string url = Utf16ToUtf8(url_template);
    size_t host = StartsWithNoCase(url, "https://") ? 8 : StartsWithNoCase(url, "http://") ? 7 : 0;
    if (host == 0)
        return "The address must start with https:// or http://.";
    // Browsers end the host part at any of these; a backslash counts as a slash.
    const size_t host_end = std::min(url.find_first_of("/?#\\", host), url.size());
    const std::string authority = url.substr(host, host_end - host);
    if (authority.find('@') != std::string::npos)
        return "The address must not hold a user name or password.";
    if (authority.empty() || authority[0] == ':')
        return "The address has no host name after its ://.";
    // Also where a template without a placeholder gets the text: at its end, which
    // must not be the host's end, or the text would choose the site.
    if (FindPlaceholder(url).at < host_end || host_end == url.size())
        return "The search text must go after the host name: add / after it, or put "
               "{searchTerms} or %s there.";
    return nullptr;
}

const char* CaptionProblem(const std::u16string& caption) {
    if (caption.empty())
        return "The engine has no name.";
    for (char16_t c : caption)
        if (IsControl(c) || c == '=')
            return "The name must not contain = or control characters.";
    if (caption[0] == '[' || caption[0] == ';' || caption[0] == '#' || IsSpace(caption[0]) ||
        IsSpace(caption.back()))
        return "The name must not start with [, ; or #, nor start or end with a blank.";
    return nullptr;
}

} // namespace qm
