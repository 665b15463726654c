#pragma once
// The user's own engines in set.ini, read and written through the settings file.
#include "settings/engine_section.h"

#include <vector>

namespace qm {

// The first [engines] section, as every other reader of set.ini finds it: its comments
// and the lines that offer no engine stay when the list is saved.
EngineSection LoadOwnEngines();
// False when set.ini could not be written. An unchanged list writes nothing; a changed
// one is one write.
bool SaveOwnEngines(const EngineSection& read, const std::vector<OwnEngine>& edited);

} // namespace qm
