#pragma once
// The user's own search engines, as set.ini's [engines] section holds them: a
// caption and a URL template each, and what makes one fit to be offered.
#include "search/template_host.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qm {

constexpr size_t kMaxOwnEngines = 9;        // the panel has rows for nine
constexpr size_t kMaxTemplateLength = 1024; // characters
constexpr size_t kMaxCaptionLength = 40;    // characters; a panel row holds no more

struct OwnEngine {
    std::u16string caption;
    std::u16string url_template; // as typed; the search URL is formed from it
    int origin = -1;             // its place in the list as read from set.ini; -1 for a new one
};

// Why a template is never launched, in the user's words (ASCII); empty when it may be.
std::string TemplateProblem(const std::u16string& url_template, HostToAscii to_ascii);
// Why a caption cannot be shown or kept in set.ini, or would pass for another engine
// (one of `others`, or a default engine of the engine box); empty when it can.
std::string CaptionProblem(const std::u16string& caption,
                           const std::vector<OwnEngine>& others = {});

} // namespace qm
