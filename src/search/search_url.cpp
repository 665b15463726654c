#include "search/search_url.h"

#include "support/utf.h"

namespace qm {

namespace {
bool IsAlphanumeric(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}
bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
// What OpenSearch parameter names are made of, a namespace prefix included.
bool IsNameCharacter(char c) {
    return IsAlphanumeric(c) || c == '_' || c == '-' || c == '.' || c == ':';
}
} // namespace

size_t MendedTemplate::Copies() const {
    size_t copies = 0;
    for (char c : url)
        copies += c == kTextMark;
    return copies;
}

size_t MendedTemplate::FixedBytes() const {
    return url.size() - Copies();
}

MendedTemplate MendTemplate(const std::string& url_template) {
    const std::string& t = url_template;
    MendedTemplate mended;
    std::string& url = mended.url;
    for (size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        const char next = i + 1 < t.size() ? t[i + 1] : '\0';
        if (c == ' ' || c == '"') {
            url += c == ' ' ? "%20" : "%22";
        } else if (c == '%' && (next == 's' || next == 'S')) {
            url += kTextMark;
            ++i;
        } else if (c == '%' && IsHexDigit(next) && i + 2 < t.size() && IsHexDigit(t[i + 2])) {
            url.append(t, i, 3);
            i += 2;
        } else if (c == '{') {
            size_t end = i + 1;
            while (end < t.size() && IsNameCharacter(t[end]))
                ++end;
            const std::string name = t.substr(i + 1, end - i - 1);
            const bool optional = t.compare(end, 2, "?}") == 0;
            if (name.empty() || (!optional && t.compare(end, 1, "}") != 0)) {
                url += c; // a brace, not a parameter
                continue;
            }
            if (optional) {
                ++end;
            } else if (name == "searchTerms") {
                url += kTextMark;
            } else if (name == "inputEncoding" || name == "outputEncoding") {
                url += "UTF-8";
            } else {
                if (mended.unfilled.empty())
                    mended.unfilled = t.substr(i, end - i + 1);
                url.append(t, i, end - i + 1);
            }
            i = end;
        } else {
            url += c;
        }
    }
    if (mended.Copies() == 0)
        url += kTextMark;
    return mended;
}

std::string EncodeSearchText(const std::u16string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : Utf16ToUtf8(text)) {
        if (IsAlphanumeric(static_cast<char>(c)) || c == '-' || c == '.' || c == '_' || c == '~') {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 0xF];
        }
    }
    return encoded;
}

std::string FormSearchUrl(const std::string& url_template, const std::u16string& text) {
    const std::string encoded = EncodeSearchText(text);
    std::string url;
    for (char c : MendTemplate(url_template).url) {
        if (c == kTextMark)
            url += encoded;
        else
            url += c;
    }
    return url;
}

} // namespace qm
