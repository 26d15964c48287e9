// Running helper programs without a shell: arguments go to the program as
// they are, so no text is ever interpreted.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The full path of an executable found through PATH (or the name itself
// when it contains a slash and is executable); empty when there is none.
std::string findExecutable(const std::string& name);

struct ProcessResult {
  bool started = false;
  int exitStatus = -1;  // -1 when unknown (killed, or not waitable)
  std::string output;   // everything written to standard output
};

// Runs argv[0] (found through PATH) with the arguments, standard input and
// error on /dev/null, and waits for it, collecting its standard output.
ProcessResult runAndCapture(const std::vector<std::string>& argv);

// Starts argv[0] (found through PATH) in a new session, detached: nothing
// waits for it and no zombie is left. False when it could not be started.
bool spawnDetached(const std::vector<std::string>& argv);

}  // namespace platform
