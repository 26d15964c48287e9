// vellmark-scenarios: renders the fixed scenarios through a module to raw
// float files and writes its bank and program chunks, or compares two
// folders of such files.
//
//   vellmark-scenarios render MODULE FOLDER
//   vellmark-scenarios compare REFERENCE-FOLDER OTHER-FOLDER [LIMIT-DB]
//
// compare passes a scenario whose renders are bit-identical, or differ by
// less than LIMIT-DB full-scale decibels (default -120) at every sample;
// chunks must be byte-identical.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "chunk_scenario.h"
#include "raw_float_file.h"
#include "sample_compare.h"
#include "scenarios.h"
#include "vellmark-host/module_loader.h"
#include "vellmark-host/signal_stats.h"

namespace {

std::string fileFor(const std::string& folder, const std::string& name) {
  return folder + "/" + name + ".f32";
}

int render(const std::string& modulePath, const std::string& folder) {
  vhost::LoadedModule module;
  std::string error;
  if (!vhost::loadModule(modulePath, module, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  int failed = 0;
  for (const scenarios::Scenario& scenario : scenarios::allScenarios()) {
    scenarios::RawFloatSink sink(fileFor(folder, scenario.name));
    vhost::RenderResult result;
    bool ok = sink.opened() &&
              vhost::renderToSink(module.entry, scenario.events, scenario.settings, sink, result,
                                  error) &&
              sink.finish();
    if (ok && result.stats.nonFinite() > 0) {
      error = std::to_string(result.stats.nonFinite()) + " non-finite samples";
      ok = false;
    }
    if (ok) {
      std::printf("%-28s %9lld frames  peak %7.2f dBFS\n", scenario.name.c_str(),
                  static_cast<long long>(result.frames),
                  vhost::toDecibels(std::fmax(result.stats.peak(0), result.stats.peak(1))));
    } else {
      std::printf("%-28s FAILED: %s\n", scenario.name.c_str(),
                  error.empty() ? "cannot write the file" : error.c_str());
      ++failed;
    }
  }
  if (!scenarios::writeChunks(module.entry, folder, error)) {
    std::printf("chunks FAILED: %s\n", error.c_str());
    ++failed;
  }
  return failed == 0 ? 0 : 1;
}

bool readBytes(const std::string& path, std::vector<char>& bytes) {
  std::ifstream file(path, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return file.good() || file.eof();
}

int compare(const std::string& referenceFolder, const std::string& otherFolder, double limitDb) {
  const double limit = std::pow(10.0, limitDb / 20.0);
  int passed = 0, failed = 0;
  for (const scenarios::Scenario& scenario : scenarios::allScenarios()) {
    std::vector<float> reference, other;
    const char* verdict = "identical";
    std::string detail;
    if (!scenarios::readRawFloats(fileFor(referenceFolder, scenario.name), reference) ||
        !scenarios::readRawFloats(fileFor(otherFolder, scenario.name), other)) {
      verdict = "FAILED";
      detail = "a render is missing";
    } else {
      const scenarios::SampleComparison result = scenarios::compareSamples(reference, other);
      if (!result.sameLength || result.samples == 0) {
        verdict = "FAILED";
        detail = "lengths differ: " + std::to_string(reference.size()) + " and " +
                 std::to_string(other.size()) + " samples";
      } else if (result.differing > 0) {
        verdict = result.largestDifference < limit ? "within limit" : "FAILED";
        char text[160];
        std::snprintf(
            text, sizeof text, "%lld of %lld samples differ, first at %lld, largest %.1f dBFS",
            static_cast<long long>(result.differing), static_cast<long long>(result.samples),
            static_cast<long long>(result.firstDifference),
            vhost::toDecibels(result.largestDifference));
        detail = text;
      }
    }
    std::printf("%-28s %s%s%s\n", scenario.name.c_str(), verdict, detail.empty() ? "" : ": ",
                detail.c_str());
    (std::string(verdict) == "FAILED" ? failed : passed) += 1;
  }
  for (const std::string& name : scenarios::chunkFileNames()) {
    std::vector<char> reference, other;
    const bool read = readBytes(referenceFolder + "/" + name, reference) &&
                      readBytes(otherFolder + "/" + name, other) && !reference.empty();
    const bool same = read && reference == other;
    std::printf("%-28s %s\n", name.c_str(),
                same   ? "identical"
                : read ? "FAILED: the bytes differ"
                       : "FAILED: missing");
    (same ? passed : failed) += 1;
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}

int usage() {
  std::fprintf(stderr,
               "usage: vellmark-scenarios render MODULE FOLDER\n"
               "       vellmark-scenarios compare REFERENCE-FOLDER OTHER-FOLDER [LIMIT-DB]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return usage();
  const std::string command = argv[1];
  if (command == "render" && argc == 4) return render(argv[2], argv[3]);
  if (command == "compare" && (argc == 4 || argc == 5)) {
    char* end = nullptr;
    const double limitDb = argc == 5 ? std::strtod(argv[4], &end) : -120.0;
    if (argc == 5 && (end == argv[4] || *end != '\0' || !std::isfinite(limitDb))) return usage();
    return compare(argv[2], argv[3], limitDb);
  }
  return usage();
}
