// The offscreen snapshot request of the plug-in object: the command-line
// host and tests see the editor through it.
#include "editor/qua_gui.h"
#include "plugin/quarnel.h"

VstIntPtr Quarnel::vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float) {
  if (index != kSnapshotRequest) return 0;
  QuaGui* editor = gui();
  if (!editor || !ptr || value < 0 || value > 4) return 0;
  return editor->writeSnapshot(static_cast<int>(value), static_cast<const char*>(ptr)) ? 1 : 0;
}
