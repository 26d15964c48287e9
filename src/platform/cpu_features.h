// What the processor can do, for code that picks a vectorised path at run
// time.
#pragma once

namespace platform {

// True when the processor (and the operating system) support AVX2.
bool cpuSupportsAvx2();

}  // namespace platform
