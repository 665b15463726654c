#pragma once
// Where the running program lives, as the platform gives it (ANSI code page).
#include <string>

namespace qm {

// The exe's folder without a trailing separator, except at a drive root ("D:\").
std::string ProgramFolder();
// The exe's file name without its extension ("quenmark").
std::string ExeBaseName();

} // namespace qm
