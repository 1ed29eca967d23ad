// The per-application settings store: string values by application, section and key.
#pragma once

#include <string>

namespace plat {

// All texts are Windows-1252, as the programs keep them.
std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& defaultValue = "");
void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value);

// Where the store lives. By default the user's configuration folder; tests point it at a
// scratch folder of their own. An empty folder restores the default.
void SetSettingsFolder(const std::string& folder);

}  // namespace plat
