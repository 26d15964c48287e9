#include "presets/preset_listing.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "platform/file_system.h"

namespace presets {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

char folded(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Compares the digit runs starting at a[i] and b[j] by value; advances both
// past their runs. Returns <0, 0 or >0.
int compareNumbers(const std::string& a, size_t& i, const std::string& b, size_t& j) {
  const size_t startA = i, startB = j;
  while (i < a.size() && a[i] == '0') ++i;
  while (j < b.size() && b[j] == '0') ++j;
  const size_t digitsA = i, digitsB = j;
  while (i < a.size() && isDigit(a[i])) ++i;
  while (j < b.size() && isDigit(b[j])) ++j;
  const size_t lengthA = i - digitsA, lengthB = j - digitsB;
  if (lengthA != lengthB) return lengthA < lengthB ? -1 : 1;
  const int digits = a.compare(digitsA, lengthA, b, digitsB, lengthB);
  if (digits != 0) return digits;
  // Same value: fewer leading zeros first.
  const size_t zerosA = digitsA - startA, zerosB = digitsB - startB;
  return zerosA == zerosB ? 0 : (zerosA < zerosB ? -1 : 1);
}

bool endsWith(const std::string& name, const std::string& suffix) {
  return name.size() > suffix.size() &&
         name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

bool naturalLess(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (isDigit(a[i]) && isDigit(b[j])) {
      const int order = compareNumbers(a, i, b, j);
      if (order != 0) return order < 0;
      continue;
    }
    const char x = folded(a[i]), y = folded(b[j]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    ++i;
    ++j;
  }
  if ((i < a.size()) != (j < b.size())) return j < b.size();
  return a < b;
}

std::vector<PresetFile> listPresetFiles(const std::vector<PresetFolder>& folders,
                                        const std::string& extension, size_t limit) {
  std::vector<PresetFile> files;
  std::set<std::string> seen;
  for (const PresetFolder& folder : folders) {
    if (folder.path.empty()) continue;
    for (const std::string& fileName : platform::listFiles(folder.path)) {
      if (!endsWith(fileName, extension)) continue;
      PresetFile file;
      file.name = fileName.substr(0, fileName.size() - extension.size());
      if (!seen.insert(file.name).second) continue;
      file.path = folder.path + "/" + fileName;
      file.readOnly = folder.readOnly || !platform::isWritable(file.path);
      files.push_back(std::move(file));
    }
  }
  std::sort(files.begin(), files.end(),
            [](const PresetFile& x, const PresetFile& y) { return naturalLess(x.name, y.name); });
  if (files.size() > limit) files.resize(limit);
  return files;
}

}  // namespace presets
