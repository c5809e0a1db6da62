#include "ui/qt/cut_fonts.h"

#include <fontconfig/fontconfig.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QSaveFile>
#include <QStringList>
#include <map>
#include <memory>

// Written at build time from the game's sources (printable ASCII and every
// character beyond it the texts use), ending in 0.
extern const char32_t kShownCharacters[];

namespace ui::qt {

namespace {

struct PatternDestroyer {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDestroyer>;

FontCutter& GameCutter() {
  static FontCutter cutter;
  return cutter;
}

// Registers font file bytes; true when Qt takes them as `family`.
bool Register(const QByteArray& font, const QString& family) {
  const int id = font.isEmpty() ? -1 : QFontDatabase::addApplicationFontFromData(font);
  if (id < 0) return false;
  if (QFontDatabase::applicationFontFamilies(id).contains(family)) return true;
  QFontDatabase::removeApplicationFont(id);
  return false;
}

// The cached copy's file: named by the family, and by what it was cut from
// and to, so a changed font or a changed text makes a new one.
QString CacheFile(const FontFile& file, std::u32string_view characters, const QString& family,
                  const QString& directory) {
  const QFileInfo whole(QString::fromStdString(file.path));
  QCryptographicHash key(QCryptographicHash::Sha1);
  key.addData(QByteArray::fromStdString(file.path));
  key.addData(QByteArray::number(file.face) + ' ' + QByteArray::number(whole.size()) + ' ' +
              QByteArray::number(whole.lastModified().toMSecsSinceEpoch()));
  key.addData(QByteArrayView(reinterpret_cast<const char*>(characters.data()),
                             static_cast<qsizetype>(characters.size() * sizeof(char32_t))));
  return directory + '/' + QString(family).remove(' ') + '-' + key.result().toHex().left(16) + ".ttf";
}

// Keeps the copy for later runs, in place of older copies of the same family.
void Keep(const QByteArray& font, const QString& path) {
  QDir directory = QFileInfo(path).dir();
  if (!directory.mkpath(".")) return;
  const QString prefix = QFileInfo(path).fileName().section('-', 0, 0) + '-';
  for (const QString& old : directory.entryList({prefix + "*.ttf"}, QDir::Files)) directory.remove(old);
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(font) == font.size()) file.commit();
}

}  // namespace

std::optional<FontFile> InstalledFileOf(const QString& family) {
  const QByteArray name = family.toUtf8();
  Pattern pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match) return std::nullopt;
  // fontconfig always answers with something: only the family itself will do.
  bool same_family = false;
  FcChar8* found = nullptr;
  for (int i = 0; !same_family && FcPatternGetString(match.get(), FC_FAMILY, i, &found) == FcResultMatch; ++i) {
    same_family = QString::fromUtf8(reinterpret_cast<const char*>(found)).compare(family, Qt::CaseInsensitive) == 0;
  }
  FcChar8* path = nullptr;
  int face = 0;
  if (!same_family || FcPatternGetString(match.get(), FC_FILE, 0, &path) != FcResultMatch) return std::nullopt;
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &face);
  return FontFile{reinterpret_cast<const char*>(path), face};
}

QString RegisterCutCopy(const QString& family, std::u32string_view characters, const FontCutter& cutter) {
  if (!cutter.cut) return {};
  const std::optional<FontFile> file = InstalledFileOf(family);
  if (!file) return {};
  const QString cut_family = QStringLiteral("Mascot Race ") + family;
  const QString cached = cutter.cache_directory.isEmpty()
                             ? QString()
                             : CacheFile(*file, characters, cut_family, cutter.cache_directory);
  if (!cached.isEmpty()) {
    QFile copy(cached);
    // A damaged copy is not taken, and is made again.
    if (copy.open(QIODevice::ReadOnly) && Register(copy.readAll(), cut_family)) return cut_family;
  }
  const QByteArray font = QByteArray::fromStdString(cutter.cut(*file, characters, cut_family.toStdU16String()));
  if (!Register(font, cut_family)) return {};
  if (!cached.isEmpty()) Keep(font, cached);
  return cut_family;
}

void UseCutFonts(FontCutter cutter) { GameCutter() = std::move(cutter); }

QString CutCopyOf(const QString& family) {
  static std::map<QString, QString> made;
  auto known = made.find(family);
  if (known != made.end()) return known->second;
  return made.emplace(family, RegisterCutCopy(family, kShownCharacters, GameCutter())).first->second;
}

}  // namespace ui::qt
