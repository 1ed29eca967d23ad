// The real message box, installed by each program at start-up.
#pragma once

#include <string>

namespace plat {

// Installs a QMessageBox-backed handler; title "" shows appTitle.
void InstallWidgetMessageBox(const std::string& appTitle);

}  // namespace plat
