#include "platform/settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QString>

#include "platform/encoding.h"
#include "platform/file_names.h"

namespace plat {
namespace {

std::string& Folder() {
  static std::string folder;
  return folder;
}

QString FileFor(const std::string& app) {
  QString base = Folder().empty()
                     ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Stagora"
                     : QPath(Folder());
  QDir().mkpath(base);
  return base + "/" + Cp1252ToQString(app) + ".ini";
}

QString KeyOf(const std::string& section, const std::string& key) {
  return Cp1252ToQString(section) + "/" + Cp1252ToQString(key);
}

}  // namespace

std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& defaultValue) {
  QSettings s(FileFor(app), QSettings::IniFormat);
  const QVariant v = s.value(KeyOf(section, key));
  if (!v.isValid()) return defaultValue;
  return Utf16ToCp1252(v.toString().toStdU16String());
}

void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value) {
  QSettings s(FileFor(app), QSettings::IniFormat);
  s.setValue(KeyOf(section, key), Cp1252ToQString(value));
  s.sync();
}

std::string GetPathSetting(const std::string& app, const std::string& section, const std::string& key) {
  QSettings s(FileFor(app), QSettings::IniFormat);
  const QVariant v = s.value(KeyOf(section, key));
  if (v.typeId() == QMetaType::QByteArray) return v.toByteArray().toStdString();
  return PathFromQt(v.toString());
}

void SavePathSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& path) {
  QSettings s(FileFor(app), QSettings::IniFormat);
  // A name that is text is kept as that text, readable in the file and read back by every
  // version. One with bytes that are no UTF-8 would come back as another name (the byte E9 as
  // the replacement character): it is kept as its bytes, in the store's own marked form for
  // them ("@ByteArray(...)"), which a plain value never takes.
  const QString text = QPath(path);
  if (PathFromQt(text) == path) {
    s.setValue(KeyOf(section, key), text);
  } else {
    s.setValue(KeyOf(section, key), QByteArray::fromStdString(path));
  }
  s.sync();
}

std::string GetSetting(const std::string& app, const SettingKey& setting, const std::string& suffix) {
  return GetSetting(app, std::string(setting.section), std::string(setting.key) + suffix, std::string(setting.fallback));
}

void SaveSetting(const std::string& app, const SettingKey& setting, const std::string& value, const std::string& suffix) {
  SaveSetting(app, std::string(setting.section), std::string(setting.key) + suffix, value);
}

std::string GetPathSetting(const std::string& app, const SettingKey& setting, const std::string& suffix) {
  const std::string value = GetPathSetting(app, std::string(setting.section), std::string(setting.key) + suffix);
  return value.empty() ? std::string(setting.fallback) : value;
}

void SavePathSetting(const std::string& app, const SettingKey& setting, const std::string& path, const std::string& suffix) {
  SavePathSetting(app, std::string(setting.section), std::string(setting.key) + suffix, path);
}

void SetSettingsFolder(const std::string& folder) { Folder() = folder; }

}  // namespace plat
