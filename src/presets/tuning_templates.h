// The microtuning page's whole-group operations: the built-in templates and
// shifting a group by one pitch class. They reach the plug-in only through
// getParameter and setParameter, as the editor does, so the host records no
// automation for them and the editor's controls follow on their own.
#pragma once

class AudioEffect;

namespace presets {

// Which group the operations act on: the twelve note tunings ("MT C" to
// "MT B"), or the twelve bend-up depths followed by the twelve bend-down
// depths ("MPBup C" to "MPBdown B").
enum class TemplateMode { Notes, PitchBend };

constexpr int kPitchClasses = 12;

// The parameters of the group, in index order (C to B, up before down).
int templateFirstParameter(TemplateMode mode);
int templateValueCount(TemplateMode mode);

// The pull-down's built-in items, 1 to 4.
constexpr int kFirstTemplateItem = 1;
constexpr int kLastTemplateItem = 4;

// The item's text ("RESET", "MEAN", "TONIC Cmaj"...), or null for an item
// that is not a built-in template.
const char* templateItemName(TemplateMode mode, int item);

// Fills `values` (12 or 24 floats) with the parameter values of a built-in
// template; false, and nothing written, for an item outside 1 to 4.
bool builtInTemplateValues(TemplateMode mode, int item, float* values);

// Sets every parameter of the group to the built-in template's value, in
// increasing index order. False, and nothing changed, for an unknown item.
bool applyTemplate(AudioEffect& plugin, TemplateMode mode, int item);

// Moves every value one pitch class up (B wraps round to C) or down (C to
// B). In pitch-bend mode the bend-up and bend-down groups each rotate
// within themselves.
void shiftUp(AudioEffect& plugin, TemplateMode mode);
void shiftDown(AudioEffect& plugin, TemplateMode mode);

}  // namespace presets
