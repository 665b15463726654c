#pragma once
// Deciding what the fetched version file means.
#include <optional>
#include <string>

namespace qm {

inline constexpr const char* kOwnVersion = "1.0";
// A version file is a few bytes; anything longer is cut here and is no version.
inline constexpr size_t kMaxVersionAnswer = 4096;
// The longest text taken for a version; a captive portal's or a proxy's page is longer.
inline constexpr size_t kMaxVersionText = 16;

enum class UpdateVerdict {
    NoAnswer, // nothing received, or nothing that looks like a version: say nothing
    NotNewer, // our own version, written any way, or an older one
    Newer,    // a newer version: offer the download page
};

// Blanks and line breaks around the text, and a UTF-8 byte-order mark, are not part of
// the version. What is left counts only as digits and dots, at most kMaxVersionText of
// them; it is compared with `own` as numbers, part by part, a missing part being 0.
UpdateVerdict JudgeVersionAnswer(const std::string& own, const std::optional<std::string>& fetched);

// Only a 2xx answer carries the version file; an error page (404, a moved site) is
// no answer, like a failed fetch.
bool IsVersionFileStatus(unsigned long http_status);

// What one fetch of the version file came to.
struct VersionFetch {
    std::optional<std::string> text; // the version file's content; nullopt when none came
    bool answered = false;           // an HTTP answer came, of any status
    unsigned long error = 0;         // WinINet's error when the request failed without one
};

// Whether the check is run once more, later: only the first one, and only when it could
// not connect at all (started at logon, before the network is up). A check that got any
// answer, or that timed out once connected, is never repeated.
bool TryUpdateCheckAgain(const VersionFetch& fetch, int checks_run);

} // namespace qm
