// The file dialog on Linux and other POSIX desktops: a helper program
// (zenity, else kdialog) in a child process.
#include <utility>

#include "gui/cnew_file_selector.h"
#include "gui/file_selector_internal.h"
#include "platform/child_process.h"

namespace gui {

namespace {

// The dialog programs, in order of preference.
const char* const kPrograms[] = {"zenity", "kdialog"};

// Splits the dialog's answer into paths: one per line (or separated by the
// separator we asked for); empty lines and a trailing newline are dropped.
std::vector<std::string> splitPaths(const std::string& output, char separator) {
  std::vector<std::string> paths;
  std::string current;
  for (char c : output) {
    if (c == separator || c == '\n' || c == '\r') {
      if (!current.empty()) paths.push_back(current);
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) paths.push_back(current);
  return paths;
}

}  // namespace

CNewFileSelector* CNewFileSelector::create(CFrame* frame, Style style) {
  if (testResponder()) return new CNewFileSelector(frame, style, "test responder");
  for (const char* name : kPrograms) {
    std::string program = platform::findExecutable(name);
    if (!program.empty()) return new CNewFileSelector(frame, style, std::move(program));
  }
  return nullptr;
}

bool CNewFileSelector::runDialog(std::vector<std::string>& chosen) {
  const platform::ProcessResult result = platform::runAndCapture(buildCommandLine(program_));
  // Both programs answer 0 for a choice and 1 for a cancel; an unknown
  // status (the host reaps children itself) counts as a choice only when
  // something was printed.
  if (!result.started || (result.exitStatus != 0 && result.exitStatus != -1)) return false;
  chosen = splitPaths(result.output, kFileSelectorSeparator);
  return true;
}

}  // namespace gui
