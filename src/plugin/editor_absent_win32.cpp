// Builds whose drawing layer has no backend for the system (Windows, for
// now) make no editor: the plug-in then clears the editor flag, effEditOpen
// answers 0 and hosts show their own parameter list instead.
#include "editor/qua_gui.h"

QuaGui* createEditor(AudioEffect*, editor::Instrument*) { return nullptr; }

// Only reached through an editor, which never exists in these builds.
bool QuaGui::writeSnapshot(int, const char*) { return false; }
