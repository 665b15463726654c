#pragma once
// The "Engine" dialog: one engine's name and address, checked as they are typed, and
// "Try" to open it with a sample search.
#include "search/own_engine.h"

#include <windows.h>

#include <vector>

namespace qm {

// Modal over owner, starting from *engine. True, with *engine changed, when the user
// chose OK with an engine that can be used, named unlike the others in the list.
bool EditEngine(HWND owner, OwnEngine* engine, const std::vector<OwnEngine>& others);

} // namespace qm
