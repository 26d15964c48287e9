#include "gui/fake_programs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <thread>

namespace gui_test {

FakePrograms::FakePrograms() {
  char folder[] = "/tmp/vellmark-fakes-XXXXXX";
  if (mkdtemp(folder)) folder_ = folder;
  const char* path = std::getenv("PATH");
  savedPath_ = path ? path : "";
  setenv("PATH", (folder_ + ":" + savedPath_).c_str(), 1);
}

FakePrograms::~FakePrograms() {
  setenv("PATH", savedPath_.c_str(), 1);
  for (const char* suffix : {"zenity", "kdialog", "xdg-open"}) {
    unlink((folder_ + "/" + suffix).c_str());
    unlink((folder_ + "/" + suffix + ".args").c_str());
    unlink((folder_ + "/" + suffix + ".out").c_str());
  }
  rmdir(folder_.c_str());
}

void FakePrograms::add(const std::string& name, const std::string& output, int status) {
  const std::string script = folder_ + "/" + name;
  // The answer sits in a file of its own, so no text needs shell quoting.
  std::ofstream(script + ".out") << output;
  std::ofstream out(script);
  out << "#!/bin/sh\n"
      << "printf '%s\\n' \"$@\" > \"$0.args.tmp\"\n"
      << "mv \"$0.args.tmp\" \"$0.args\"\n"
      << "cat \"$0.out\"\n"
      << "exit " << status << "\n";
  out.close();
  chmod(script.c_str(), 0755);
}

void FakePrograms::hideRealPrograms() { setenv("PATH", folder_.c_str(), 1); }

std::vector<std::string> FakePrograms::argumentsOf(const std::string& name) const {
  const std::string record = folder_ + "/" + name + ".args";
  for (int i = 0; i < 100 && access(record.c_str(), R_OK) != 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::vector<std::string> args;
  std::ifstream in(record);
  std::string line;
  while (std::getline(in, line)) args.push_back(line);
  return args;
}

}  // namespace gui_test
