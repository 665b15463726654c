#include "search/url_budget.h"

#include "search/search_url.h"

namespace qm {

namespace {
bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
} // namespace

std::u16string FitSearchText(const std::string& url_template, const std::u16string& text,
                             size_t max_url_length) {
    const MendedTemplate mended = MendTemplate(url_template);
    const size_t copies = mended.Copies(); // every placeholder takes the text
    size_t used = mended.FixedBytes();
    size_t kept = 0;
    while (kept < text.size()) {
        bool pair =
            IsHighSurrogate(text[kept]) && kept + 1 < text.size() && IsLowSurrogate(text[kept + 1]);
        size_t units = pair ? 2 : 1;
        // What this one character adds to the URL once encoded.
        size_t cost = EncodeSearchText(text.substr(kept, units)).size() * copies;
        if (used + cost > max_url_length)
            break;
        used += cost;
        kept += units;
    }
    return text.substr(0, kept);
}

} // namespace qm
