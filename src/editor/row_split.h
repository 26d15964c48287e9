// Runs a row job over two threads: a helper thread takes the upper half of
// the rows and the caller the lower half. Editor renders are big enough
// for the second core to pay; the audio path never uses this.
#pragma once

#include <functional>

namespace editor {

// Calls job(rowBegin, rowEnd) for consecutive ranges covering [0, rows).
// Falls back to a single call on the caller's thread when there is nothing
// to split or no thread can be started. Returns when every range is done.
void splitRows(int rows, const std::function<void(int, int)>& job);

}  // namespace editor
