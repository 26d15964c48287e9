// The tool's commands. Each returns the process exit code: 0 on success,
// 1 when the work failed (messages on `err`).
#pragma once

#include <ostream>
#include <string>

#include "command_line.h"

namespace vhost {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int runInfo(const std::string& modulePath, std::ostream& out, std::ostream& err);
int runRender(const std::string& modulePath, const RenderOptions& options, std::ostream& out,
              std::ostream& err);
int runSnapshot(const std::string& modulePath, const SnapshotOptions& options, std::ostream& out,
                std::ostream& err);
int runMidiDump(const std::string& path, std::ostream& out, std::ostream& err);

// The four-character code of the offscreen snapshot request (effVendorSpecific).
constexpr VstInt32 kSnapshotRequest = vstFourCC('V', 'k', 'S', 'n');

}  // namespace vhost
