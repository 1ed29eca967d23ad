// The per-application settings store: string values by application, section and key.
#pragma once

#include <string>
#include <string_view>

namespace plat {

// One setting of a program: its section, its key and what it reads as while it was never
// saved. Each program declares all of its settings in one place with these.
struct SettingKey {
  std::string_view section;
  std::string_view key;
  std::string_view fallback = "";
};

// All texts are Windows-1252, as the programs keep them.
std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& defaultValue = "");
void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value);

// The same for a value that is a path or a file's name: it is kept as the system's own name
// (see file_names.h), not as Windows-1252, byte for byte even where the name is no UTF-8.
std::string GetPathSetting(const std::string& app, const std::string& section, const std::string& key);
void SavePathSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& path);
// The declared setting; `suffix` is added to the key of a numbered one ("Archivo" + "3").
std::string GetSetting(const std::string& app, const SettingKey& setting, const std::string& suffix = "");
void SaveSetting(const std::string& app, const SettingKey& setting, const std::string& value,
                 const std::string& suffix = "");
std::string GetPathSetting(const std::string& app, const SettingKey& setting, const std::string& suffix = "");
void SavePathSetting(const std::string& app, const SettingKey& setting, const std::string& path,
                     const std::string& suffix = "");

// Where the store lives. By default the user's configuration folder; tests point it at a
// scratch folder of their own. An empty folder restores the default.
void SetSettingsFolder(const std::string& folder);

}  // namespace plat
