// The program and bank files the preset browser lists: the files of one or
// two preset folders with an exact extension, in the order people expect
// (case-insensitive, numbers by value), with the files of folders the user
// cannot write marked read-only.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace presets {

struct PresetFolder {
  std::string path;
  bool readOnly = false;  // a shared folder the user may read but not change
};

struct PresetFile {
  std::string name;  // file name without its extension
  std::string path;  // folder + "/" + file name
  bool readOnly = false;
};

// "a2" < "A10" < "b": letters compared without case, runs of digits by
// their value (leading zeros ignored, fewer zeros first on a tie); equal
// keys fall back to a plain byte comparison so the order is total.
bool naturalLess(const std::string& a, const std::string& b);

// The files named "*<extension>" (exact, case-sensitive suffix, and more
// than the suffix) in the folders, sorted with naturalLess. A name found
// in an earlier folder hides the same name in a later one, so the user's
// own copy replaces a shared file of the same name. At most `limit` files.
std::vector<PresetFile> listPresetFiles(const std::vector<PresetFolder>& folders,
                                        const std::string& extension, size_t limit);

}  // namespace presets
