// Reference counting shared by the toolkit's objects. A new object holds one
// reference owned by its creator; remember() adds one, forget() drops one and
// deletes the object with the last. Containers take over the creator's
// reference in addView; a frame's background and a control's bitmap are
// remembered by their holder.
#pragma once

#include <cstdint>

namespace gui {

class CBaseObject {
 public:
  CBaseObject() = default;
  // A copy is a new object with its own single reference.
  CBaseObject(const CBaseObject&) : refCount_(1) {}
  CBaseObject& operator=(const CBaseObject&) { return *this; }
  virtual ~CBaseObject() = default;

  void remember() { ++refCount_; }
  void forget() {
    if (--refCount_ <= 0) delete this;
  }
  int32_t getNbReference() const { return refCount_; }

 private:
  int32_t refCount_ = 1;
};

}  // namespace gui
