#include "platform/qt/qt_settings_store.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>

namespace platform {

namespace {
QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
}  // namespace

QtSettingsStore::QtSettingsStore(QString directory) : directory_(std::move(directory)) {
  if (directory_.isEmpty()) directory_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString QtSettingsStore::FilePath(std::string_view application) const {
  return directory_ + "/" + FromUtf8(application) + ".ini";
}

std::string QtSettingsStore::Read(std::string_view application, std::string_view section, std::string_view key,
                                  std::string_view default_text) {
  QString path = FilePath(application);
  QFileInfo info(path);
  // Nothing stored, or something there that is not a readable file.
  if (!info.exists() || !info.isFile() || !info.isReadable()) return std::string(default_text);
  QSettings settings(path, QSettings::IniFormat);
  if (settings.status() != QSettings::NoError) return std::string(default_text);
  settings.beginGroup(FromUtf8(section));
  QVariant value = settings.value(FromUtf8(key));
  if (!value.isValid()) return std::string(default_text);
  return value.toString().toStdString();
}

bool QtSettingsStore::Write(std::string_view application, std::string_view section, std::string_view key,
                            std::string_view text) {
  QString path = FilePath(application);
  bool written = false;
  if (!QFileInfo(path).isDir()) {
    QSettings settings(path, QSettings::IniFormat);
    // Written to a temporary file and renamed over the old one: a kill or a
    // full disk leaves the old purse or the new one, never half of either.
    settings.setAtomicSyncRequired(true);
    settings.beginGroup(FromUtf8(section));
    settings.setValue(FromUtf8(key), FromUtf8(text));
    settings.endGroup();
    settings.sync();
    written = settings.status() == QSettings::NoError;
  }
  if (!written && !complained_) {
    // Said once: the game plays on, it just cannot keep the purse.
    std::fprintf(stderr, "mascot-race: could not save the purse to %s\n", path.toLocal8Bit().constData());
    complained_ = true;
  }
  return written;
}

}  // namespace platform
