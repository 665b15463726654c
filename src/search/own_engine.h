#pragma once
// The user's own search engines, as set.ini's [engines] section holds them: a
// caption and a URL template each, and what makes one fit to be offered.
#include <cstddef>
#include <string>

namespace qm {

constexpr size_t kMaxOwnEngines = 9;        // the panel has rows for nine
constexpr size_t kMaxTemplateLength = 1024; // characters
constexpr size_t kMaxCaptionLength = 40;    // what the dialog takes; the panel wraps longer ones

struct OwnEngine {
    std::u16string caption;
    std::u16string url_template; // the text goes where FindPlaceholder says
    int origin = -1;             // its place in the list as read from set.ini; -1 for a new one
};

// Why a template is never launched, in the user's words; nullptr when it may be.
const char* TemplateProblem(const std::u16string& url_template);
// Why a caption cannot be shown or kept in set.ini; nullptr when it can.
const char* CaptionProblem(const std::u16string& caption);

} // namespace qm
