#include "designer/window/designer_state.h"

namespace stagora::designer {

std::string TrimTrailingSeparator(std::string folder) {
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}

}  // namespace stagora::designer
