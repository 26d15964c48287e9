#include "block_sizer.h"

namespace vhost {

VstInt32 BlockSizer::next(int64_t remaining) {
  const VstInt32 size = random_ ? sizes_(generator_) : maxBlock_;
  return remaining < size ? static_cast<VstInt32>(remaining) : size;
}

}  // namespace vhost
