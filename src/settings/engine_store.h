#pragma once
// The user's own engines in set.ini, read and written through the settings file.
#include "settings/engine_section.h"

#include <vector>

namespace qm {

// A file without [engines] costs one question to the profile functions, which hold
// the file already: no engines of the user's own, no reading of the file.
EngineSection LoadOwnEngines();
// False when set.ini could not be written. An unchanged list writes nothing.
bool SaveOwnEngines(const EngineSection& read, const std::vector<OwnEngine>& edited);

} // namespace qm
