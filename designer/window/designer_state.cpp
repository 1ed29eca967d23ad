#include "designer/window/designer_state.h"

namespace stagora::designer {

DesignerState& Shared() {
  static DesignerState state;
  return state;
}

void ResetShared() { Shared() = DesignerState(); }

}  // namespace stagora::designer
