#include "editor/control_support.h"

#include "editor/qua_gui.h"

namespace editor {

QuaGui* editorOf(const gui::CControl* control) {
  return control ? dynamic_cast<QuaGui*>(control->getListener()) : nullptr;
}

}  // namespace editor
