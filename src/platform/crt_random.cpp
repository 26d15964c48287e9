#include "platform/crt_random.h"

namespace platform {

namespace {
thread_local CrtRandom threadGenerator;
}

void srand(uint32_t seed) { threadGenerator.srand(seed); }

int rand() { return threadGenerator.rand(); }

}  // namespace platform
