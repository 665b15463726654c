#pragma once
// The settings file set.ini and its three operations.
#include "settings/ini_text.h"

#include <string>
#include <vector>

namespace qm {

// IniPath = program folder + "\" (unless it already ends in one) + file_name.
// When that file cannot be written (a read-only program folder, as under Program
// Files), the per-user %APPDATA%\Quenmark Search\<file_name> is used instead,
// started from the read-only file's values, so settings are not lost at restart.
void SetIniFile(const std::string& file_name);
// The same with an explicit folder; SetIniFile uses the program's folder. Only a
// refused write selects the per-user file; a file another program holds for a
// moment is tried again for up to a second. A save a crash left unfinished is removed.
void SetIniFileIn(const std::wstring& folder, const std::string& file_name);

// A missing file, section or key gives the default; an empty value gives "";
// a value longer than 254 characters gives its first 254. Read as the profile
// functions read it, which is how the file is edited too.
std::string ReadIniString(const std::string& section, const std::string& key,
                          const std::string& default_value);
// Changes that value's bytes only: every other line of the file stays as it was.
void WriteIniString(const std::string& section, const std::string& key, const std::string& value);

// One save: the writes between these two reach the disk in one write, which replaces
// the file whole, and none at all when they change nothing. Saves may nest; the
// outermost one writes. A file too big for a settings file, or unreadable, is left to
// the profile functions, value by value, as before.
void BeginIniSave();
// 0, or the system's error code: then the file on disk is as it was before.
unsigned long EndIniSave();

// The reads while one lives see the file as the first of them read it: a start reads a
// dozen values, and reads the file once, waiting at most once for a program that holds
// it. A save, or another file, has the next read read the disk again.
class IniReadBatch {
  public:
    IniReadBatch();
    ~IniReadBatch();
    IniReadBatch(const IniReadBatch&) = delete;
    IniReadBatch& operator=(const IniReadBatch&) = delete;
};

// A whole section's lines, read and written as the file's bytes (a file saved as
// UTF-16 is seen as UTF-8). Empty when the file or the section is missing.
IniSection ReadIniSectionLines(const std::string& section);
// False when the file could not be written.
bool WriteIniSectionLines(const std::string& section, const std::vector<IniLine>& lines);

const std::wstring& IniPath();

} // namespace qm
