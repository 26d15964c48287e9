// Creating one instance for the host: what the exported entry point does.
#pragma once

#include "vst/aeffect.h"

// Returns the new instance's effect record, or null when the host answers 0
// to the version request or memory runs out. A null host callback is
// allowed: the instance is then built with the base defaults.
AEffect* createInstance(audioMasterCallback audioMaster);
