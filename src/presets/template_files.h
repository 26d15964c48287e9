// Template files: a notes template (".vkt", 48 bytes: the twelve note
// tunings) or a pitch-bend template (".vkm", 96 bytes: the twelve bend-up
// then the twelve bend-down depths), written as raw little-endian floats in
// parameter order, with no header. Values go through getParameter and
// setParameter, as every template operation does.
#pragma once

#include <cstddef>
#include <string>

#include "presets/tuning_templates.h"

namespace presets {

// ".vkt" or ".vkm".
const char* templateExtension(TemplateMode mode);

// 48 or 96.
size_t templateFileBytes(TemplateMode mode);

// Reads the start of a template file into the group: each whole float the
// file holds sets its parameter, positions a short file does not hold keep
// their current values, bytes beyond the template are ignored; then every
// parameter of the group is set in increasing index order. The extension is
// not checked. True only when the file held a whole template; a file that
// cannot be read changes nothing.
bool readTemplateFile(AudioEffect& plugin, TemplateMode mode, const char* path);

// Writes the group's current values to `path` (the whole file replaced, or
// left as it was on failure). True only when the whole file was written.
bool writeTemplateFile(AudioEffect& plugin, TemplateMode mode, const char* path);

// The path a template is saved under: the chosen path, with the mode's
// extension appended unless it already appears anywhere in it (compared
// case-sensitively, so "scale.VKT" becomes "scale.VKT.vkt").
std::string templateSavePath(const std::string& chosenPath, TemplateMode mode);

// The folder the next file dialog opens in after a file was chosen: the
// chosen path up to its last separator, kept to the dialogs' folder buffers.
constexpr size_t kDialogFolderLength = 512;
std::string dialogFolderOf(const std::string& chosenPath);

// What the template pull-down's LOAD and SAVE do once the user has chosen a
// file, and the folder their dialogs open in: the preset directory whenever
// the editor opens, then the folder of the last template loaded or saved,
// independently of the folder the program and bank dialogs use.
class TemplateFolder {
 public:
  void reset(const std::string& presetDirectory);
  const std::string& path() const { return folder_; }

  // Reads the chosen file into the group; the folder follows the file when
  // it could be read.
  bool load(AudioEffect& plugin, TemplateMode mode, const char* chosenPath);

  // Saves the group under the chosen path with the extension rule; the
  // folder follows the chosen path.
  bool save(AudioEffect& plugin, TemplateMode mode, const char* chosenPath);

 private:
  std::string folder_;
};

}  // namespace presets
