#include "search/own_engine.h"

#include "search/engine_catalogue.h"
#include "search/search_url.h"
#include "search/url_budget.h"
#include "support/utf.h"

namespace qm {

namespace {
bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}
bool IsSpace(char16_t c) {
    return c == ' ' || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200B) || c == 0x202F ||
           c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

// Unicode's format characters (category Cf, Unicode 15): bidi controls, zero-width
// characters, the soft hyphen. Unseen, they make one text look like another.
bool IsFormatCharacter(char32_t c) {
    static constexpr char32_t kRanges[][2] = {
        {0xAD, 0xAD},       {0x600, 0x605},     {0x61C, 0x61C},     {0x6DD, 0x6DD},
        {0x70F, 0x70F},     {0x890, 0x891},     {0x8E2, 0x8E2},     {0x180E, 0x180E},
        {0x200B, 0x200F},   {0x202A, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},
        {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD},
        {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
        {0xE0020, 0xE007F}};
    for (const auto& range : kRanges)
        if (c >= range[0] && c <= range[1])
            return true;
    return false;
}

bool HoldsFormatCharacter(const std::u16string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (IsFormatCharacter(c))
            return true;
    }
    return false;
}

size_t CharacterCount(const std::u16string& text) {
    size_t count = 0;
    for (char16_t unit : text)
        count += unit < 0xDC00 || unit > 0xDFFF; // a pair counts once
    return count;
}

// Case is folded for the Latin-1, Greek and Cyrillic capitals; other letters
// compare as they are.
char16_t Folded(char16_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<char16_t>(c + 0x50);
    return c;
}

template <typename Char> bool SameName(const std::u16string& name, const Char* other) {
    size_t i = 0;
    while (i < name.size() && other[i] && Folded(name[i]) == Folded(other[i]))
        ++i;
    return i == name.size() && !other[i];
}

bool HoldsPlaceholder(const std::u16string& text) {
    for (const char16_t* mark : {u"{searchTerms}", u"%s", u"%S"})
        if (text.find(mark) != std::u16string::npos)
            return true;
    return false;
}
} // namespace

std::string TemplateProblem(const std::u16string& url_template, HostToAscii to_ascii) {
    const std::u16string& t = url_template;
    if (CharacterCount(t) > kMaxTemplateLength)
        return "The address is longer than 1,024 characters.";
    if (HoldsFormatCharacter(t))
        return "The address must not contain invisible formatting characters.";
    for (char16_t c : t)
        if (IsControl(c) || (IsSpace(c) && c != ' '))
            return "The address must not contain control characters or blanks other than "
                   "the space.";
    // A browser reads \ as /, and at the end it escapes the quote that closes the
    // browser's command-line argument.
    if (t.find('\\') != std::u16string::npos)
        return "The address must not contain \\: write / or %5C.";
    const std::optional<AuthorityPlace> place = FindAuthority(t);
    if (!place)
        return "The address must start with https:// or http://.";
    const std::u16string authority = t.substr(place->begin, place->end - place->begin);
    if (authority.find('@') != std::u16string::npos)
        return "The address must not hold a user name or password.";
    if (authority.empty() || authority[0] == ':')
        return "The address has no host name after its ://.";
    // Also where a template without a placeholder gets the text: at its end, which
    // must not be the host's end, or the text would choose the site.
    if (HoldsPlaceholder(authority) || place->end == t.size())
        return "The search text must go after the host name: add / after it, or put "
               "{searchTerms} or %s there.";
    if (const char* problem = HostProblem(authority, to_ascii))
        return problem;
    const MendedTemplate mended = MendTemplate(Utf16ToUtf8(t));
    if (!mended.unfilled.empty())
        return "The address holds " + mended.unfilled + ", which no search fills.";
    if (mended.FixedBytes() + kMinTextRoom > kMaxUrlLength)
        return "The address is too long: it leaves less than 100 characters for the text.";
    return {};
}

std::string CaptionProblem(const std::u16string& caption, const std::vector<OwnEngine>& others) {
    if (caption.empty())
        return "The engine has no name.";
    for (char16_t c : caption)
        if (IsControl(c) || c == '=')
            return "The name must not contain = or control characters.";
    if (HoldsFormatCharacter(caption))
        return "The name must not contain invisible formatting characters.";
    if (caption[0] == '[' || caption[0] == ';' || caption[0] == '#' || IsSpace(caption[0]) ||
        IsSpace(caption.back()))
        return "The name must not start with [, ; or #, nor start or end with a blank.";
    if (CharacterCount(caption) > kMaxCaptionLength)
        return "The name is longer than 40 characters.";
    // The engine box lists the default engines and the user's own by name alone.
    bool taken = false;
    for (const DefaultEngine& engine : DefaultEngines())
        taken = taken || SameName(caption, engine.caption);
    for (const OwnEngine& other : others)
        taken = taken || SameName(caption, other.caption.c_str());
    if (taken)
        return "Another engine has this name (Google, Bing and Yahoo are taken too).";
    return {};
}

} // namespace qm
