// The few file-system services the preset code needs: whole-file replacement
// that never leaves a half-written file behind, bounded reads of a file's
// start, the names of a folder's files, deletion, write permission and
// folder creation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// True when anything (file, folder, device...) exists at the path.
bool pathExists(const std::string& path);

// Writes `size` bytes as the whole content of the file at `path`.
// A regular file (or a new one) is replaced atomically: the bytes go to a
// temporary file in the same folder, which is flushed to the disk and then
// renamed over the target, so on failure the old file is left untouched and
// no partial file appears. A symbolic link is followed and its target
// replaced. An existing character device is written in place. Any other kind
// of existing path (folder, pipe...) is refused. True only when every byte
// was written and the file is in place.
bool replaceFileContents(const std::string& path, const void* data, size_t size);

// Reads the start of a regular file into `data`: at most `capacity` bytes;
// the rest of a longer file is ignored. Returns the number of bytes read, or
// -1 when the path is not a readable regular file or a read error occurred.
int64_t readFileStart(const std::string& path, void* data, size_t capacity);

// Deletes the file at `path`; folders are left alone. True when it is gone.
bool removeFile(const std::string& path);

// True when this process may write to the file, or create files in the
// folder, at `path`.
bool isWritable(const std::string& path);

// Creates the folder and any missing folders above it; true when the folder
// exists afterwards.
bool makeFolders(const std::string& path);

// Names (without folder) of the files in a folder, folders left out, in the
// order the system lists them. Empty when the folder cannot be read.
std::vector<std::string> listFiles(const std::string& folder);

}  // namespace platform
