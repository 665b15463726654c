#pragma once
// Where the running program lives, in UTF-16 as the platform gives it, so a folder
// named in any script survives whatever the ANSI code page is.
#include <string>

namespace qm {

// The exe's full path.
std::wstring ProgramPath();
// The exe's folder without a trailing separator, except at a drive root ("D:\").
std::wstring ProgramFolder();
// The exe's file name without its extension ("quenmark").
std::wstring ExeBaseName();
// The profile folder of the account this process runs as ("C:\Users\alice"); empty
// when unknown.
std::wstring UserProfileFolder();
// The folder that holds the users' profiles ("C:\Users"); empty when unknown.
std::wstring ProfilesFolder();

} // namespace qm
