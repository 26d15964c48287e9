#include "presets/tuning_templates.h"

#include "params/parameter_table.h"
#include "vst/audioeffect.h"

namespace presets {

namespace {

// Note templates hold either parameter values or pitch offsets x, which
// become values v = (x + 1) * 0.5 (v = 0.5 is no deviation).
struct NotesTemplate {
  const char* name;
  bool offsets;
  float values[kPitchClasses];
};

struct PitchBendTemplate {
  const char* name;
  float up[kPitchClasses];
  float down[kPitchClasses];
};

//                      C        C#       D        D#       E        F
//                      F#       G        G#       A        A#       B
const NotesTemplate kNotesTemplates[] = {
    {"RESET", false, {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f}},
    {"MEAN",
     true,
     {-0.0444f, 0.0204f, -0.0171f, -0.0410f, 0.0172f, -0.0580f, 0.0512f, -0.0307f, -0.0101f, 0.0f,
      -0.0716f, 0.0342f}},
    {"JUST",
     true,
     {0.0f, -0.1463f, 0.0197f, 0.0786f, -0.0684f, -0.0100f, -0.0486f, 0.0099f, 0.0684f, -0.0780f,
      0.0880f, -0.0586f}},
    {"OCTATONIC",
     false,
     {0.5f, 0.5f, 0.025f, 0.5f, 0.5f, 0.975f, 0.5f, 0.5f, 0.025f, 0.5f, 0.5f, 0.025f}},
};

const PitchBendTemplate kPitchBendTemplates[] = {
    {"RESET",
     {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f},
     {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f}},
    {"TONIC Cmaj",
     {1.0f, 0.5f, 1.0f, 0.5f, 0.5f, 1.0f, 0.5f, 1.0f, 0.5f, 1.0f, 1.0f, 0.5f},
     {0.5f, 0.5f, 1.0f, 0.5f, 1.0f, 0.5f, 0.5f, 1.0f, 0.5f, 1.0f, 0.5f, 1.0f}},
    {"PENTATONIC",
     {0.5f, 1.0f, 0.5f, 0.0f, 1.0f, 0.5f, 1.0f, 0.5f, 1.0f, 0.5f, 0.0f, 0.5f},
     {1.0f, 0.0f, 0.5f, 1.0f, 0.5f, 1.0f, 0.0f, 0.5f, 1.0f, 0.5f, 1.0f, 0.5f}},
    {"OCTATONIC",
     {0.5f, 1.0f, 1.0f, 0.5f, 1.0f, 0.5f, 0.5f, 1.0f, 1.0f, 0.5f, 1.0f, 1.0f},
     {1.0f, 0.5f, 0.5f, 1.0f, 0.5f, 1.0f, 1.0f, 0.5f, 0.5f, 1.0f, 0.5f, 0.5f}},
};

bool knownItem(int item) { return item >= kFirstTemplateItem && item <= kLastTemplateItem; }

void rotateUp(AudioEffect& plugin, int first, int last) {
  const float saved = plugin.getParameter(last);
  for (int i = last; i > first; --i) plugin.setParameter(i, plugin.getParameter(i - 1));
  plugin.setParameter(first, saved);
}

void rotateDown(AudioEffect& plugin, int first, int last) {
  const float saved = plugin.getParameter(first);
  for (int i = first; i < last; ++i) plugin.setParameter(i, plugin.getParameter(i + 1));
  plugin.setParameter(last, saved);
}

}  // namespace

int templateFirstParameter(TemplateMode mode) {
  return mode == TemplateMode::Notes ? params::kMicrotuneFirst : params::kBendUpFirst;
}

int templateValueCount(TemplateMode mode) {
  return mode == TemplateMode::Notes ? kPitchClasses : 2 * kPitchClasses;
}

const char* templateItemName(TemplateMode mode, int item) {
  if (!knownItem(item)) return nullptr;
  return mode == TemplateMode::Notes ? kNotesTemplates[item - 1].name
                                     : kPitchBendTemplates[item - 1].name;
}

bool builtInTemplateValues(TemplateMode mode, int item, float* values) {
  if (!knownItem(item) || !values) return false;
  if (mode == TemplateMode::Notes) {
    const NotesTemplate& notes = kNotesTemplates[item - 1];
    for (int i = 0; i < kPitchClasses; ++i) {
      const float x = notes.values[i];
      values[i] = notes.offsets ? (x + 1.0f) * 0.5f : x;
    }
  } else {
    const PitchBendTemplate& bend = kPitchBendTemplates[item - 1];
    for (int i = 0; i < kPitchClasses; ++i) {
      values[i] = bend.up[i];
      values[kPitchClasses + i] = bend.down[i];
    }
  }
  return true;
}

bool applyTemplate(AudioEffect& plugin, TemplateMode mode, int item) {
  float values[2 * kPitchClasses];
  if (!builtInTemplateValues(mode, item, values)) return false;
  const int first = templateFirstParameter(mode);
  for (int i = 0; i < templateValueCount(mode); ++i) plugin.setParameter(first + i, values[i]);
  return true;
}

void shiftUp(AudioEffect& plugin, TemplateMode mode) {
  if (mode == TemplateMode::Notes) {
    rotateUp(plugin, params::kMicrotuneFirst, params::kMicrotuneLast);
  } else {
    rotateUp(plugin, params::kBendUpFirst, params::kBendUpLast);
    rotateUp(plugin, params::kBendDownFirst, params::kBendDownLast);
  }
}

void shiftDown(AudioEffect& plugin, TemplateMode mode) {
  if (mode == TemplateMode::Notes) {
    rotateDown(plugin, params::kMicrotuneFirst, params::kMicrotuneLast);
  } else {
    rotateDown(plugin, params::kBendUpFirst, params::kBendUpLast);
    rotateDown(plugin, params::kBendDownFirst, params::kBendDownLast);
  }
}

}  // namespace presets
