#pragma once
// Every browser launch: the shell's "open" on a URL, shown normally.
#include <windows.h>
#include <string>

namespace qm {

// Returns at once: the launch runs on a thread of its own, since a browser that is
// starting can hold the shell's call for seconds. The owner is used only when no
// thread can be had and the launch runs on the caller's own thread.
void ShellOpenUrl(HWND owner, const std::string& ansi_url);
void ShellOpenUrl(HWND owner, const std::wstring& url);

} // namespace qm
