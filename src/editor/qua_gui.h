// The editor as the plug-in object sees it. The window, the views and the
// panel are built on the toolkit layer; until then the plug-in runs without
// an editor.
#pragma once

#include "vst/aeffeditor.h"

class Quarnel;

class QuaGui : public AEffEditor {
 public:
  explicit QuaGui(Quarnel* plugin);
  ~QuaGui() override = default;

  // A parameter changed (from the host, the editor or a program change):
  // move its control and refresh its read-out.
  virtual void parameterChanged(int index, float value);
  // Rebuild one read-out text of a section display.
  virtual void showReadout(int section, int index);
  // Show a program name in the program-name field.
  virtual void showProgramName(const char* name);
  // MIDI events arrived (or a block without events passed).
  virtual void showMidiActivity(bool hasEvents);

 protected:
  Quarnel* plugin;
};

// The plug-in's editor, or null when it cannot be created.
QuaGui* createEditor(Quarnel* plugin);
