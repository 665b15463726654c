#pragma once
// Deciding what the fetched version file means.
#include <optional>
#include <string>

namespace qm {

inline constexpr const char* kOwnVersion = "1.0";
// A version file is a few bytes; anything longer is cut here and can only differ.
inline constexpr size_t kMaxVersionAnswer = 4096;

enum class UpdateVerdict {
    NoAnswer, // nothing received at all: say nothing
    Same,     // our own version text
    Differs,  // anything else, such as a newer version
};

// Blanks and line breaks around the text, and a UTF-8 byte-order mark, are not
// part of the version; nothing left is no answer.
UpdateVerdict JudgeVersionAnswer(const std::string& own, const std::optional<std::string>& fetched);

// Only a 2xx answer carries the version file; an error page (404, a moved site) is
// no answer, like a failed fetch.
bool IsVersionFileStatus(unsigned long http_status);

} // namespace qm
