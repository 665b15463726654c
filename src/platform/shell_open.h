#pragma once
// Every browser launch: the shell's "open" on an ANSI URL, shown normally.
#include <windows.h>
#include <string>

namespace qm {

void ShellOpenUrl(HWND owner, const std::string& ansi_url);

} // namespace qm
