#pragma once
// A file the user owns, read whole and replaced whole, so that a reader, a crash or a
// power cut sees the old file or the new one, never a mix. Results are 0 or the
// system's error code.
#include <functional>
#include <string>

namespace qm {

// Another program (a virus scanner, a sync client, an editor) holding the file for a
// moment is waited out: the attempt is repeated for about a second while it fails
// with a sharing or lock violation.
unsigned long RetryWhileLocked(const std::function<unsigned long()>& attempt);

// ERROR_FILE_TOO_LARGE when the file holds more than max_bytes.
unsigned long ReadWholeFile(const std::wstring& path, size_t max_bytes, std::string* bytes);

// Written beside the file under SavingName with the file's attributes, flushed, then
// renamed over it in one step. A symbolic link stays one: the file it names is
// replaced. Written in place, and flushed, only where that cannot be: a folder that
// refuses new files, or a file with other hard links.
unsigned long ReplaceWholeFile(const std::wstring& path, const std::string& bytes);

// The new text's name until it takes the file's place; left only by a crash.
std::wstring SavingName(const std::wstring& path);

} // namespace qm
