#include "editor/row_split.h"

#include <system_error>
#include <thread>

#include "platform/fp_mode.h"

namespace editor {

void splitRows(int rows, const std::function<void(int, int)>& job) {
  if (rows <= 0) return;
  if (rows < 16) {
    job(0, rows);
    return;
  }
  const int middle = rows / 2;
  // The helper takes on the caller's floating-point mode, so its half of the
  // pixels is computed exactly as the caller would compute it.
  const uint32_t mode = platform::floatingPointControlWord();
  std::thread helper;
  try {
    helper = std::thread([&job, mode, middle] {
      platform::setFloatingPointControlWord(mode);
      job(0, middle);
    });
  } catch (const std::system_error&) {
    job(0, rows);
    return;
  }
  job(middle, rows);
  helper.join();
}

}  // namespace editor
