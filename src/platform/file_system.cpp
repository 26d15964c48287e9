#include "platform/file_system.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>

namespace platform {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and reports whether the system accepted the close: on some
  // file systems a deferred write error shows only here.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool writeAll(int fd, const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = ::write(fd, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// The folder part of a path including its trailing separator, or nothing
// for a bare file name (the current folder).
std::string folderPrefix(const std::string& path) {
  const std::string::size_type cut = path.rfind('/');
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// Creates a new, empty file beside the target under a name no one else uses.
// The name starts with a dot and ends without an extension, so folder
// listings that look for preset files never show a leftover one.
int createTemporaryBeside(const std::string& target, std::string& temporaryPath) {
  static std::atomic<unsigned> counter{0};
  const std::string prefix = folderPrefix(target) + ".vellmark-save-" + std::to_string(getpid());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    temporaryPath = prefix + "-" + std::to_string(counter.fetch_add(1)) + "-" +
                    std::to_string(static_cast<unsigned long long>(ticks) % 1000000u);
    const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void syncFolderOf(const std::string& path) {
  const std::string prefix = folderPrefix(path);
  FileDescriptor folder(::open(prefix.empty() ? "." : prefix.c_str(), O_RDONLY | O_CLOEXEC));
  if (folder.valid()) ::fsync(folder.get());  // durability only; the rename already happened
}

bool writeThenRename(const std::string& target, const struct stat* existing, const void* data,
                     size_t size) {
  std::string temporaryPath;
  FileDescriptor file(createTemporaryBeside(target, temporaryPath));
  if (!file.valid()) return false;
  // A replaced file keeps its permission bits; a new one gets the usual
  // ones (0666 less the process's umask, applied by open).
  if (existing) ::fchmod(file.get(), existing->st_mode & 07777);
  const bool written = writeAll(file.get(), data, size) && ::fsync(file.get()) == 0;
  const bool closed = file.close();
  if (!written || !closed || ::rename(temporaryPath.c_str(), target.c_str()) != 0) {
    ::unlink(temporaryPath.c_str());
    return false;
  }
  syncFolderOf(target);
  return true;
}

bool writeInPlace(const std::string& target, const void* data, size_t size) {
  FileDescriptor device(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
  if (!device.valid()) return false;
  const bool written = writeAll(device.get(), data, size);
  return device.close() && written;
}

}  // namespace

bool pathExists(const std::string& path) {
  struct stat info;
  return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

bool replaceFileContents(const std::string& path, const void* data, size_t size) {
  if (path.empty() || (!data && size > 0)) return false;
  std::string target = path;
  struct stat info;
  bool exists = ::lstat(path.c_str(), &info) == 0;
  if (exists && S_ISLNK(info.st_mode)) {
    // Replace what the link points to, not the link. A dangling link is
    // replaced by the new file.
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
      target = resolved;
      ::free(resolved);
      exists = ::stat(target.c_str(), &info) == 0;
    } else {
      exists = false;
    }
  }
  if (!exists) return writeThenRename(target, nullptr, data, size);
  if (S_ISCHR(info.st_mode)) return writeInPlace(target, data, size);
  if (!S_ISREG(info.st_mode)) return false;
  // A file its owner made read-only stays as it is, as it would for a plain
  // open for writing.
  if (::access(target.c_str(), W_OK) != 0) return false;
  return writeThenRename(target, &info, data, size);
}

int64_t readFileStart(const std::string& path, void* data, size_t capacity) {
  if (path.empty() || (!data && capacity > 0)) return -1;
  // Non-blocking, so that a pipe given as a path cannot stall the caller.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!file.valid()) return -1;
  struct stat info;
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  char* bytes = static_cast<char*>(data);
  size_t total = 0;
  while (total < capacity) {
    const ssize_t got = ::read(file.get(), bytes + total, capacity - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    total += static_cast<size_t>(got);
  }
  return static_cast<int64_t>(total);
}

std::vector<std::string> listFiles(const std::string& folder) {
  std::vector<std::string> names;
  DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!listing) return names;
  while (const struct dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool isFile = entry->d_type == DT_REG;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      // The listing does not say (or it is a link): ask about what it names.
      struct stat info;
      const std::string full = folder.empty() ? name : folder + "/" + name;
      isFile = ::stat(full.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    }
    if (isFile) names.push_back(name);
  }
  ::closedir(listing);
  return names;
}

bool removeFile(const std::string& path) {
  struct stat info;
  if (path.empty() || ::lstat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  return ::unlink(path.c_str()) == 0;
}

bool isWritable(const std::string& path) {
  return !path.empty() && ::access(path.c_str(), W_OK) == 0;
}

bool makeFolders(const std::string& path) {
  if (path.empty()) return false;
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string step = slash == std::string::npos ? path : path.substr(0, slash);
    if (::mkdir(step.c_str(), 0755) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace platform
