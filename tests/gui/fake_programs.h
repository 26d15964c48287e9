// Stand-in desktop programs for tests: a temporary folder put first on PATH
// holding small scripts that record their arguments.
#pragma once

#include <string>
#include <vector>

namespace gui_test {

class FakePrograms {
 public:
  FakePrograms();
  ~FakePrograms();
  FakePrograms(const FakePrograms&) = delete;
  FakePrograms& operator=(const FakePrograms&) = delete;

  // A program that writes each argument on a line of its record file, then
  // prints output and exits with status.
  void add(const std::string& name, const std::string& output, int status = 0);
  // PATH holds only the fake folder (no real program is found).
  void hideRealPrograms();
  // The arguments of the last run of the program (waits up to a second for
  // detached programs).
  std::vector<std::string> argumentsOf(const std::string& name) const;

 private:
  std::string folder_;
  std::string savedPath_;
};

}  // namespace gui_test
