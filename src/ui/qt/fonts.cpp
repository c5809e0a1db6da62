#include "ui/qt/fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <cmath>
#include <map>

#include "ui/form_definition.h"

namespace ui::qt {

namespace {

QStringList WantedFamilies(const std::string& family) {
  QStringList families{QString::fromStdString(family)};
  if (family == kMincho || family == kBrush) {
    families << "MS PMincho" << "IPAPMincho" << "IPAMincho" << "Noto Serif CJK JP";
  } else {
    families << "MS PGothic" << "IPAPGothic" << "IPAGothic" << "Noto Sans CJK JP" << "VL PGothic";
  }
  families << "DejaVu Sans";
  return families;
}

// Only the wanted families this machine has, in order, looked up once per
// family: Qt then matches the first at once instead of asking fontconfig for
// stand-ins of every missing name, for every size, at start-up. fontconfig
// names a family in the desktop's language ("IPA Pゴシック" under a Japanese
// locale, "IPAPGothic" under others) and Qt keeps its other names as aliases:
// a name that is not among the listed families is looked up with
// hasFamily(), which finds an alias without asking fontconfig, and a missing
// name with a substitution, never a search for stand-ins.
const QStringList& FamiliesFor(const std::string& family) {
  static std::map<std::string, QStringList> installed;
  auto found = installed.find(family);
  if (found != installed.end()) return found->second;
  static const QStringList listed = QFontDatabase::families();
  QStringList families;
  for (const QString& wanted : WantedFamilies(family)) {
    if (listed.contains(wanted, Qt::CaseInsensitive) || QFontDatabase::hasFamily(wanted)) families << wanted;
  }
  if (families.isEmpty()) families = WantedFamilies(family);  // let Qt find what it can
  return installed.emplace(family, families).first->second;
}

}  // namespace

QFont FontFor(const Font& font) {
  QFont qfont;
  qfont.setFamilies(FamiliesFor(font.family));
  qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.points * 96.0 / 72.0))));
  qfont.setBold(font.bold);
  qfont.setStyleStrategy(QFont::PreferAntialias);
  return qfont;
}

}  // namespace ui::qt
