#pragma once
// The "Engines" dialog: the user's own engines listed, added, edited, removed and
// put in order, with the mouse or the keyboard. Its code runs only while it is open.
#include "settings/engine_section.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace qm {

// Modal over owner, editing a copy of what was read. The edited list when the user
// chose OK; nothing on Cancel.
std::optional<std::vector<OwnEngine>> EditOwnEngines(HWND owner, const EngineSection& read);

} // namespace qm
