#pragma once
// The host part of a search template ("https://host:port/..."): where it stands,
// whether the user, the browser and any RFC 3986 parser all read the same site in
// it, and the ASCII form a browser turns a non-ASCII name into.
#include <cstddef>
#include <optional>
#include <string>

namespace qm {

// A host name in its IDNA ASCII form ("xn--..."), as Windows' IdnToAscii makes it;
// nullopt when the conversion refuses the name.
using HostToAscii = std::optional<std::u16string> (*)(const std::u16string& host);

// Between "://" and the first / ? or # (or the end): the authority.
struct AuthorityPlace {
    size_t begin;
    size_t end;
};
// Nothing when the template does not start with https:// or http://.
std::optional<AuthorityPlace> FindAuthority(const std::u16string& url_template);

// Why host[:port] names no site unambiguously; nullptr when it is a name, a dotted
// IPv4 address or a bracketed IPv6 address, with an optional port from 1 to 65535.
// A name with characters beyond ASCII must pass to_ascii (none: refused).
const char* HostProblem(const std::u16string& authority, HostToAscii to_ascii);

// The template as the dialog lists it: a non-ASCII host gets its ASCII form beside
// it, so a look-alike of another site's name shows what it really is.
std::u16string ShownTemplate(const std::u16string& url_template, HostToAscii to_ascii);

} // namespace qm
