// Linux only; other systems bring their own implementation.
#if defined(__linux__)

#include "platform/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace platform {

namespace {

bool isExecutableFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// argv as the exec calls want it; the strings stay owned by the caller.
std::vector<char*> argvPointers(const std::vector<std::string>& argv) {
  std::vector<char*> pointers;
  pointers.reserve(argv.size() + 1);
  for (const std::string& arg : argv) pointers.push_back(const_cast<char*>(arg.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

// Waits for a child, retrying on signals; -1 when its status is unknown.
int waitForChild(pid_t pid) {
  int status = 0;
  pid_t done;
  do {
    done = waitpid(pid, &status, 0);
  } while (done < 0 && errno == EINTR);
  if (done != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace

std::string findExecutable(const std::string& name) {
  if (name.empty()) return {};
  if (name.find('/') != std::string::npos) return isExecutableFile(name) ? name : std::string();
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string dir = dirs.substr(start, end - start);
    if (dir.empty()) dir = ".";
    const std::string candidate = dir + "/" + name;
    if (isExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return {};
}

ProcessResult runAndCapture(const std::vector<std::string>& argv) {
  ProcessResult result;
  if (argv.empty()) return result;
  const std::string program = findExecutable(argv[0]);
  if (program.empty()) return result;

  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return result;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

  std::vector<char*> args = argvPointers(argv);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  if (spawned != 0) {
    close(pipeFds[0]);
    return result;
  }
  result.started = true;

  char buffer[4096];
  for (;;) {
    const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
    if (n > 0) {
      result.output.append(buffer, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    break;
  }
  close(pipeFds[0]);
  result.exitStatus = waitForChild(pid);
  return result;
}

bool spawnDetached(const std::vector<std::string>& argv) {
  if (argv.empty()) return false;
  const std::string program = findExecutable(argv[0]);
  if (program.empty()) return false;
  // Everything the children need is prepared before fork: between fork and
  // exec only async-signal-safe calls are allowed.
  std::vector<char*> args = argvPointers(argv);
  const int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
  const pid_t child = fork();
  if (child < 0) {
    if (devNull >= 0) close(devNull);
    return false;
  }
  if (child == 0) {
    // The intermediate child starts a new session and leaves at once, so the
    // grandchild is adopted by init and never becomes our zombie.
    setsid();
    const pid_t grandchild = fork();
    if (grandchild == 0) {
      if (devNull >= 0) {
        dup2(devNull, STDIN_FILENO);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
      }
      execve(program.c_str(), args.data(), environ);
      _exit(127);
    }
    _exit(grandchild < 0 ? 1 : 0);
  }
  if (devNull >= 0) close(devNull);
  return waitForChild(child) == 0;
}

}  // namespace platform

#endif  // __linux__
