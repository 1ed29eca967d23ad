#include "designer/window/designer_state.h"

namespace stagora::designer {

}  // namespace stagora::designer
