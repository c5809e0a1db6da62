// The settings store as an INI file per application in the game's own
// configuration folder ($XDG_CONFIG_HOME/mascot-race, else
// ~/.config/mascot-race): application "MainForm" is MainForm.ini, a section
// is a group. The file is read and written here line by line, not through
// QSettings: a line it cannot read elsewhere in the file must not cost the
// purse, and a save leaves every other line as it was.
#pragma once

#include <QString>
#include <optional>
#include <set>
#include <string>

#include "platform/service_interfaces.h"

namespace platform {

class QtSettingsStore final : public SettingsStore {
 public:
  // directory: where the files live; empty for the game's folder.
  // legacy_directory: where an earlier game kept them, read (never written)
  // while `directory` has no file of that name; with an empty directory,
  // the user's configuration directory itself.
  explicit QtSettingsStore(QString directory = {}, QString legacy_directory = {});

  std::string Read(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view default_text) override;
  bool Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view text) override;

  QString FilePath(std::string_view application) const;
  const QString& directory() const { return directory_; }

 private:
  std::optional<std::string> Contents(const QString& path);
  bool SetAside(const QString& path, const std::string& contents);
  void SayOnce(const QString& path, const QString& line);

  QString directory_;
  QString legacy_directory_;
  std::set<QString> said_;
};

}  // namespace platform
