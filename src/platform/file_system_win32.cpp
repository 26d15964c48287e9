#include "platform/file_system.h"

#include <windows.h>

#include <atomic>

#include "platform/module_path.h"

namespace platform {

namespace {

// Closes the handle on every way out of a scope.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Closes now and reports whether the system accepted the close.
  bool close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
  }

 private:
  HANDLE handle_;
};

constexpr DWORD kMaxTransfer = 1u << 30;

bool writeAll(HANDLE file, const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const DWORD chunk = size > kMaxTransfer ? kMaxTransfer : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) return false;
    bytes += written;
    size -= written;
  }
  return true;
}

// The folder part of a path including its trailing separator, or nothing
// for a bare file name (the current folder).
std::string folderPrefix(const std::string& path) {
  for (std::string::size_type cut = path.size(); cut > 0; --cut) {
    if (isPathSeparator(path[cut - 1]) || path[cut - 1] == ':') return path.substr(0, cut);
  }
  return {};
}

// Creates a new, empty file beside the target under a name no one else uses.
// The name starts with a dot and has no extension, so folder listings that
// look for preset files never show a leftover one.
HANDLE createTemporaryBeside(const std::string& target, std::string& temporaryPath) {
  static std::atomic<unsigned> counter{0};
  const std::string prefix =
      folderPrefix(target) + ".vellmark-save-" + std::to_string(GetCurrentProcessId());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryPath = prefix + "-" + std::to_string(counter.fetch_add(1)) + "-" +
                    std::to_string(GetTickCount64() % 1000000u);
    const HANDLE file = CreateFileA(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

bool pathExists(const std::string& path) {
  return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool replaceFileContents(const std::string& path, const void* data, size_t size) {
  if (path.empty() || (!data && size > 0)) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    // A folder is never replaced; a file its owner made read-only stays as
    // it is, as it would for a plain open for writing.
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
  }
  std::string temporaryPath;
  FileHandle file(createTemporaryBeside(path, temporaryPath));
  if (!file.valid()) return false;
  const bool written = writeAll(file.get(), data, size) && FlushFileBuffers(file.get());
  const bool closed = file.close();
  // The rename replaces the old file in one step: a reader sees either the
  // old bytes or the new ones, never a mixture.
  if (!written || !closed ||
      !MoveFileExA(temporaryPath.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temporaryPath.c_str());
    return false;
  }
  return true;
}

int64_t readFileStart(const std::string& path, void* data, size_t capacity) {
  if (path.empty() || (!data && capacity > 0)) return -1;
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return -1;
  // Devices, consoles and pipes are refused, so a device name given as a
  // path cannot stall the caller.
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return -1;
  char* bytes = static_cast<char*>(data);
  size_t total = 0;
  while (total < capacity) {
    const size_t left = capacity - total;
    const DWORD chunk = left > kMaxTransfer ? kMaxTransfer : static_cast<DWORD>(left);
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes + total, chunk, &got, nullptr)) return -1;
    if (got == 0) break;
    total += got;
  }
  return static_cast<int64_t>(total);
}

std::vector<std::string> listFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::string pattern = folder.empty() ? std::string(".") : folder;
  if (!isPathSeparator(pattern.back())) pattern += '\\';
  pattern += "*.*";
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return names;
}

bool removeFile(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  return DeleteFileA(path.c_str()) != 0;
}

bool isWritable(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    if (attributes & FILE_ATTRIBUTE_READONLY) return false;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid();
  }
  // A folder's attributes say nothing about who may write in it (Program
  // Files is writable only for administrators): try it with a file that
  // goes away when it is closed.
  std::string probe = path;
  if (!isPathSeparator(probe.back())) probe += '\\';
  probe += ".vellmark-write-probe-" + std::to_string(GetCurrentProcessId());
  FileHandle file(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return file.valid();
}

bool makeFolders(const std::string& path) {
  if (path.empty()) return false;
  // Steps start after a drive ("C:\") or a share ("\\server\share\").
  size_t start = 1;
  if (path.size() >= 2 && path[1] == ':') start = 3;
  if (path.size() >= 2 && isPathSeparator(path[0]) && isPathSeparator(path[1])) {
    size_t separators = 0;
    for (start = 2; start < path.size() && separators < 2; ++start)
      separators += isPathSeparator(path[start]);
  }
  for (size_t cut = start; cut <= path.size(); ++cut) {
    if (cut < path.size() && !isPathSeparator(path[cut])) continue;
    const std::string step = path.substr(0, cut);
    if (!CreateDirectoryA(step.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
      return false;
  }
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace platform
