// Every setting the viewer keeps, with the value each reads as before it is first saved.
// Whoever reads or writes a setting names it from here.
#pragma once

#include "platform/settings.h"

namespace stagora::viewer::settings {

// The recent-documents list: entry n is the key followed by n.
inline constexpr plat::SettingKey kRecentFile{"Reciente", "Archivo"};
inline constexpr plat::SettingKey kRecentTitle{"Reciente", "Titulo"};
inline constexpr plat::SettingKey kLastFolder{"LastPath", "Path"};
inline constexpr plat::SettingKey kDecimalSymbol{"DECIMAL", "SEP", "."};

}  // namespace stagora::viewer::settings
