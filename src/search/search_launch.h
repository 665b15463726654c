#pragma once
// The one search launch, for the direct search and the panel's engine captions
// alike: template + search text, encoded where needed, opened by the shell.
#include <windows.h>
#include <string>

namespace qm {

// url_template: UTF-8 (the catalogue's are ASCII).
void LaunchSearch(HWND owner, const std::string& url_template, const std::u16string& text);

} // namespace qm
