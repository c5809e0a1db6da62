// The language the game speaks follows the desktop: Japanese, the
// catalogue's own, or English.
#pragma once

#include <QStringList>
#include <QTranslator>
#include <memory>
#include <string>
#include <vector>

namespace app {

enum class Language { Japanese, English };

// The first of the user's interface languages, as QLocale::uiLanguages()
// gives them (from LANGUAGE, LC_ALL, LC_MESSAGES, LANG), that is Japanese or
// English; Japanese when neither is there (a C or POSIX locale).
Language ChooseLanguage(const QStringList& ui_languages);

// The file of the game's catalogue in a language other than its source.
inline constexpr const char* kEnglishCatalogue = "mascot-race_en.qm";

// The translators of a language: the game's catalogue, looked for in
// `directories` in order (none for Japanese, the source), and Qt's own
// translations. Loaded before the application exists, they are installed
// into it once it does.
class Translators {
 public:
  Translators(Language language, const std::vector<std::string>& directories);

  // Into the application: from then on QCoreApplication::translate speaks
  // this language, in the game and in its plugins.
  void Install();

 private:
  std::vector<std::unique_ptr<QTranslator>> translators_;
};

}  // namespace app
