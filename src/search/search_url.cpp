#include "search/search_url.h"

#include "support/utf.h"

namespace qm {

namespace {
bool PassesAsIs(unsigned char c) {
    if (c < 0x20 || c >= 0x7F)
        return false; // control characters, line breaks, everything outside ASCII
    switch (c) {
    case '%':  // would read as an escape
    case '&':  // would start a new query parameter
    case '#':  // would cut the query into a fragment
    case '+':  // engines read it as a blank
    case '?':  // would start a query inside a path
    case '"':  // would end the browser's quoted command-line argument
    case '\\': // at the end, would escape the closing quote of that argument
        return false;
    default:
        return true;
    }
}
} // namespace

Placeholder FindPlaceholder(const std::string& url_template) {
    size_t terms = url_template.find("{searchTerms}");
    size_t browser = url_template.find("%s");
    if (terms < browser)
        return {terms, 13};
    if (browser != std::string::npos)
        return {browser, 2};
    return {url_template.size(), 0};
}

std::string FormSearchUrl(const std::string& url_template, const std::u16string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    const Placeholder placeholder = FindPlaceholder(url_template);
    std::string url = url_template.substr(0, placeholder.at);
    for (unsigned char c : Utf16ToUtf8(text)) {
        if (PassesAsIs(c)) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0xF];
        }
    }
    return url + url_template.substr(placeholder.at + placeholder.length);
}

} // namespace qm
