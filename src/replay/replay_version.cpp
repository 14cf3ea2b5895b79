#include "replay/replay_version.h"

std::string gameVersion() { return BRAKKON_VERSION; }
