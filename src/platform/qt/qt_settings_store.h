// The settings store as an INI file per application in the user's
// configuration directory ($XDG_CONFIG_HOME, else ~/.config):
// application "MainForm" is MainForm.ini, a section is a group.
#pragma once

#include <QString>

#include "platform/services.h"

namespace platform {

class QtSettingsStore final : public SettingsStore {
 public:
  // directory: where the files live; empty for the user's configuration directory.
  explicit QtSettingsStore(QString directory = {});

  std::string Read(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view default_text) override;
  bool Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view text) override;

  QString FilePath(std::string_view application) const;
  const QString& directory() const { return directory_; }

 private:
  QString directory_;
  bool complained_ = false;
};

}  // namespace platform
