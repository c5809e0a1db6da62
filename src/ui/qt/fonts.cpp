#include "ui/qt/fonts.h"

#include <QStringList>
#include <cmath>

#include "ui/form_definition.h"

namespace ui::qt {

namespace {

QStringList FamiliesFor(const std::string& family) {
  QStringList families{QString::fromStdString(family)};
  if (family == kMincho || family == kBrush) {
    families << "MS PMincho" << "IPAPMincho" << "IPAMincho" << "Noto Serif CJK JP";
  } else {
    families << "MS PGothic" << "IPAPGothic" << "IPAGothic" << "Noto Sans CJK JP" << "VL PGothic";
  }
  families << "DejaVu Sans";
  return families;
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
