#include "search/template_host.h"

#include <algorithm>

namespace qm {

namespace {
constexpr char kNotAHost[] = "The host must be a name, a dotted IPv4 address or a bracketed IPv6 "
                             "address, with an optional port from 1 to 65535.";
constexpr char kDotLike[] = "The host name holds a character that browsers read as a dot.";

bool IsDigit(char16_t c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char16_t c, char16_t last) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= last;
}

// The value of text[begin, end) when that is one to five digits; -1 otherwise.
long Number(const std::u16string& text, size_t begin, size_t end) {
    long value = begin < end && end - begin <= 5 ? 0 : -1;
    for (size_t i = begin; i < end && value >= 0; ++i)
        value = IsDigit(text[i]) ? value * 10 + (text[i] - '0') : -1;
    return value;
}

size_t Dots(const std::u16string& name) {
    return std::count(name.begin(), name.end(), u'.') - (!name.empty() && name.back() == '.');
}

// Labels of letters, digits, - and _, up to 63 each and 253 in all, a last dot allowed.
// Browsers take a name whose last label is a number (decimal or 0x...) for an IPv4
// address in one of its old forms: only four decimal numbers up to 255, without the
// leading zeros read as octal, are allowed then.
bool IsAsciiName(const std::u16string& name) {
    const size_t length = name.size() - (name.back() == '.');
    if (length == 0 || length > 253)
        return false;
    int labels = 0, octets = 0;
    bool numeric = false;
    for (size_t begin = 0, end = 0; begin <= length; begin = end + 1) {
        end = std::min(name.find('.', begin), length);
        if (end == begin || end - begin > 63)
            return false;
        for (size_t i = begin; i < end; ++i)
            if (!IsDigit(name[i]) && !IsLetter(name[i], 'z') && name[i] != '-' && name[i] != '_')
                return false;
        const long value = Number(name, begin, end);
        numeric = value >= 0 || (name[begin] == '0' && (name[begin + 1] | 0x20) == 'x');
        octets += value >= 0 && value <= 255 && (end - begin == 1 || name[begin] != '0');
        ++labels;
    }
    return !numeric || (labels == 4 && octets == 4);
}
} // namespace

std::optional<AuthorityPlace> FindAuthority(const std::u16string& url_template) {
    for (const char* scheme : {"https://", "http://"}) {
        size_t i = 0; // the scheme's letters in either case
        while (scheme[i] && i < url_template.size() &&
               (url_template[i] | (i < 5 ? 0x20 : 0)) == scheme[i])
            ++i;
        if (!scheme[i])
            return AuthorityPlace{
                i, std::min(url_template.find_first_of(u"/?#", i), url_template.size())};
    }
    return std::nullopt;
}

const char* HostProblem(const std::u16string& authority, HostToAscii to_ascii) {
    if (authority.find('%') != std::u16string::npos)
        return "The host name must not contain %.";
    // IDNA's ideographic, fullwidth and halfwidth full stops.
    if (authority.find_first_of(u"\u3002\uFF0E\uFF61") != std::u16string::npos)
        return kDotLike;
    // An unclosed [ gives 0: no host, and the rest is no port.
    const size_t host_end = std::min(
        authority[0] == '[' ? authority.find(']') + 1 : authority.find(':'), authority.size());
    if (host_end < authority.size()) {
        const long port =
            authority[host_end] == ':' ? Number(authority, host_end + 1, authority.size()) : -1;
        if (port < 1 || port > 65535)
            return kNotAHost;
    }
    std::u16string host = authority.substr(0, host_end);
    if (authority[0] == '[') {
        if (std::count(host.begin(), host.end(), u':') < 2)
            return kNotAHost;
        for (size_t i = 1; i + 1 < host.size(); ++i)
            if (!IsDigit(host[i]) && !IsLetter(host[i], 'f') && host[i] != ':' && host[i] != '.')
                return kNotAHost;
        return nullptr;
    }
    if (std::any_of(host.begin(), host.end(), [](char16_t c) { return c >= 0x80; })) {
        const std::optional<std::u16string> ascii = to_ascii ? to_ascii(host) : std::nullopt;
        if (!ascii)
            return "The host name holds characters that an international domain name cannot.";
        // Characters such as U+2024 turn into dots only in the conversion.
        if (Dots(*ascii) != Dots(host))
            return kDotLike;
        host = *ascii;
    }
    return host.empty() || !IsAsciiName(host) ? kNotAHost : nullptr;
}

std::u16string ShownTemplate(const std::u16string& url_template, HostToAscii to_ascii) {
    const std::optional<AuthorityPlace> place = FindAuthority(url_template);
    if (!place || !to_ascii)
        return url_template;
    const size_t host_end = std::min(url_template.find(':', place->begin), place->end);
    const std::u16string host = url_template.substr(place->begin, host_end - place->begin);
    const std::optional<std::u16string> ascii =
        std::all_of(host.begin(), host.end(), [](char16_t c) { return c < 0x80; }) ? std::nullopt
                                                                                   : to_ascii(host);
    if (!ascii)
        return url_template;
    std::u16string shown = url_template.substr(0, place->end);
    shown += u" (";
    shown += *ascii;
    shown += u")";
    return shown.append(url_template, place->end);
}

} // namespace qm
