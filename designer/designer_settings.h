// Every setting the designer keeps, with the value each reads as before it is first saved.
// Whoever reads or writes a setting names it from here.
#pragma once

#include "platform/settings.h"

namespace stagora::designer::settings {

inline constexpr plat::SettingKey kDecimalSymbol{"SETUP", "DecimalSYMBOL", "?"};  // "?": not chosen yet
inline constexpr plat::SettingKey kTableFolder{"SETUP", "PATH_TABLA"};
inline constexpr plat::SettingKey kProjectFolder{"SETUP", "PATH_FILE"};
// The update check: days between two automatic checks, the day count of the last answered
// check, and the service's address (http or https, without query; empty, and nothing is ever
// sent).
inline constexpr plat::SettingKey kUpdatePeriod{"CheckUPDATE", "PERIOD", "7"};
inline constexpr plat::SettingKey kLastUpdateCheck{"CheckUPDATE", "LAST_OLCON", "0"};
inline constexpr plat::SettingKey kUpdateService{"CheckUPDATE", "SERVICE"};

}  // namespace stagora::designer::settings
