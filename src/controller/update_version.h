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
    Same,     // exactly our own version text
    Differs,  // anything else, a newer version, a line break or an error page
};

UpdateVerdict JudgeVersionAnswer(const std::string& own, const std::optional<std::string>& fetched);

} // namespace qm
