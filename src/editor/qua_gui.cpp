#include "editor/qua_gui.h"

#include "plugin/quarnel.h"

QuaGui::QuaGui(Quarnel* plugin) : AEffEditor(plugin), plugin(plugin) {}

void QuaGui::parameterChanged(int, float) {}

void QuaGui::showReadout(int, int) {}

void QuaGui::showProgramName(const char*) {}

void QuaGui::showMidiActivity(bool) {}

QuaGui* createEditor(Quarnel*) { return nullptr; }
