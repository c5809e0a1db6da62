#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <cstdio>
#include <optional>

#include "platform/trusted_file.h"

namespace app {

Language ChooseLanguage(const QStringList& ui_languages) {
  for (const QString& name : ui_languages) {
    const QLocale::Language language = QLocale(name).language();
    if (language == QLocale::Japanese) return Language::Japanese;
    if (language == QLocale::English) return Language::English;
  }
  return Language::Japanese;
}

Translators::Translators(Language language, const std::vector<std::string>& directories) {
  if (language == Language::English) {
    auto game = std::make_unique<QTranslator>();
    for (const std::string& directory : directories) {
      // By its exact name: with a name and a directory, or with delimiters
      // and a suffix left to their defaults, Qt also tries the name cut short
      // ("mascot-race", the executable in a build tree).
      const std::optional<std::string> file = platform::TrustedFile(directory + "/" + kEnglishCatalogue);
      if (file && game->load(QString::fromStdString(*file), QString(), QStringLiteral(""), QStringLiteral(""))) break;
    }
    if (game->isEmpty()) {
      // A damaged installation still plays, in the catalogue's own language.
      std::fprintf(stderr, "mascot-race: the English catalogue %s is missing; playing in Japanese\n", kEnglishCatalogue);
    } else {
      translators_.push_back(std::move(game));
    }
  }
  // Qt's own texts (a text field's context menu, a standard box's buttons);
  // none installed means Qt's English.
  auto qt = std::make_unique<QTranslator>();
  const QString qt_file = language == Language::English ? "qtbase_en" : "qtbase_ja";
  if (qt->load(qt_file, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) translators_.push_back(std::move(qt));
}

void Translators::Install() {
  for (const auto& translator : translators_) QCoreApplication::installTranslator(translator.get());
}

}  // namespace app
