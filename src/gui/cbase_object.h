// Reference counting shared by the toolkit's objects. A new object holds one
// reference owned by its creator; remember() adds one, forget() drops one and
// deletes the object with the last. Containers take over the creator's
// reference in addView; a frame's background and a control's bitmap are
// remembered by their holder. The count is atomic, so a reference may be
// dropped on another thread than the one that took it (a background rendered
// on a host thread and handed to the frame).
#pragma once

#include <atomic>
#include <cstdint>

namespace gui {

class CBaseObject {
 public:
  CBaseObject() = default;
  // A copy is a new object with its own single reference.
  CBaseObject(const CBaseObject&) : refCount_(1) {}
  CBaseObject& operator=(const CBaseObject&) { return *this; }
  virtual ~CBaseObject() = default;

  void remember() { refCount_.fetch_add(1, std::memory_order_relaxed); }
  void forget() {
    if (refCount_.fetch_sub(1, std::memory_order_acq_rel) <= 1) delete this;
  }
  int32_t getNbReference() const { return refCount_.load(std::memory_order_relaxed); }

 private:
  std::atomic<int32_t> refCount_{1};
};

}  // namespace gui
