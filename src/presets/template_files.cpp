#include "presets/template_files.h"

#include <cstdint>
#include <cstring>

#include "platform/file_system.h"
#include "platform/module_path.h"
#include "vst/audioeffect.h"

namespace presets {

namespace {

constexpr int kMaxTemplateValues = 2 * kPitchClasses;

enum class TemplateRead { Unreadable, Partial, Whole };

void currentValues(AudioEffect& plugin, TemplateMode mode, float* values) {
  const int first = templateFirstParameter(mode);
  for (int i = 0; i < templateValueCount(mode); ++i) values[i] = plugin.getParameter(first + i);
}

TemplateRead readTemplate(AudioEffect& plugin, TemplateMode mode, const char* path) {
  if (!path || !path[0]) return TemplateRead::Unreadable;
  const size_t bytes = templateFileBytes(mode);
  unsigned char file[kMaxTemplateValues * sizeof(float)];
  const int64_t got = platform::readFileStart(path, file, bytes);
  if (got < 0) return TemplateRead::Unreadable;

  float values[kMaxTemplateValues];
  currentValues(plugin, mode, values);
  // Only whole floats count; a trailing fragment keeps its current value.
  const int wholeValues = static_cast<int>(got / static_cast<int64_t>(sizeof(float)));
  for (int i = 0; i < wholeValues; ++i)
    std::memcpy(&values[i], file + i * sizeof(float), sizeof(float));
  const int first = templateFirstParameter(mode);
  for (int i = 0; i < templateValueCount(mode); ++i) plugin.setParameter(first + i, values[i]);
  return static_cast<size_t>(got) == bytes ? TemplateRead::Whole : TemplateRead::Partial;
}

}  // namespace

const char* templateExtension(TemplateMode mode) {
  return mode == TemplateMode::Notes ? ".vkt" : ".vkm";
}

size_t templateFileBytes(TemplateMode mode) {
  return static_cast<size_t>(templateValueCount(mode)) * sizeof(float);
}

bool readTemplateFile(AudioEffect& plugin, TemplateMode mode, const char* path) {
  return readTemplate(plugin, mode, path) == TemplateRead::Whole;
}

bool writeTemplateFile(AudioEffect& plugin, TemplateMode mode, const char* path) {
  if (!path || !path[0]) return false;
  float values[kMaxTemplateValues];
  currentValues(plugin, mode, values);
  return platform::replaceFileContents(path, values, templateFileBytes(mode));
}

std::string templateSavePath(const std::string& chosenPath, TemplateMode mode) {
  const char* extension = templateExtension(mode);
  if (chosenPath.find(extension) != std::string::npos) return chosenPath;
  return chosenPath + extension;
}

std::string dialogFolderOf(const std::string& chosenPath) {
  return platform::folderOf(chosenPath).substr(0, kDialogFolderLength);
}

void TemplateFolder::reset(const std::string& presetDirectory) {
  folder_ = presetDirectory.substr(0, kDialogFolderLength);
}

bool TemplateFolder::load(AudioEffect& plugin, TemplateMode mode, const char* chosenPath) {
  const TemplateRead read = readTemplate(plugin, mode, chosenPath);
  if (read != TemplateRead::Unreadable) folder_ = dialogFolderOf(chosenPath);
  return read == TemplateRead::Whole;
}

bool TemplateFolder::save(AudioEffect& plugin, TemplateMode mode, const char* chosenPath) {
  if (!chosenPath || !chosenPath[0]) return false;
  const std::string path = templateSavePath(chosenPath, mode);
  const bool written = writeTemplateFile(plugin, mode, path.c_str());
  folder_ = dialogFolderOf(path);
  return written;
}

}  // namespace presets
