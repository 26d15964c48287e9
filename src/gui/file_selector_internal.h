// What the file selector's shared code and its per-system dialog code share.
#pragma once

namespace gui {

// Separator for several chosen files: a character file names do not use.
constexpr char kFileSelectorSeparator = '\x1f';

}  // namespace gui
