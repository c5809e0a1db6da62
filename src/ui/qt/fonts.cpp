#include "ui/qt/fonts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
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

// Where the widget draws its caption in `font`, and how (Qt's text flags),
// as Qt's label and the style's buttons lay it out.
struct TextRoom {
  QRect rect;
  int flags = 0;
};

TextRoom RoomFor(const QWidget& widget, const QFont& font) {
  const QFontMetrics metrics(font);
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    QRect rect = label->contentsRect();
    const Qt::Alignment alignment = label->alignment();
    // Qt's label keeps half an "x" from a frame on the sides it aligns to.
    if (const int indent = label->frameWidth() > 0 ? metrics.horizontalAdvance(u'x') / 2 : 0) {
      if (alignment & Qt::AlignLeft) rect.setLeft(rect.left() + indent);
      if (alignment & Qt::AlignRight) rect.setRight(rect.right() - indent);
      if (alignment & Qt::AlignTop) rect.setTop(rect.top() + indent);
      if (alignment & Qt::AlignBottom) rect.setBottom(rect.bottom() - indent);
    }
    return {rect, int(alignment) | (label->wordWrap() ? Qt::TextWordWrap : 0)};
  }
  const auto* button = qobject_cast<const QAbstractButton*>(&widget);
  if (!button) return {widget.rect(), Qt::AlignCenter};
  QStyleOptionButton option;
  option.initFrom(button);
  option.fontMetrics = metrics;
  option.text = button->text();
  const bool radio = qobject_cast<const QRadioButton*>(button), check = qobject_cast<const QCheckBox*>(button);
  const QStyle::SubElement contents = radio   ? QStyle::SE_RadioButtonContents
                                      : check ? QStyle::SE_CheckBoxContents
                                              : QStyle::SE_PushButtonContents;
  return {button->style()->subElementRect(contents, &option, button),
          int((radio || check ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter) | Qt::TextShowMnemonic)};
}

// How many lines have their baseline inside `room`, one at least.
int LinesIn(const QRect& room, const QFontMetricsF& metrics) {
  return std::max(1, static_cast<int>((room.height() - metrics.ascent()) / metrics.lineSpacing()) + 1);
}

// In Qt's own fractional measures: whole pixels would round a text that
// meets its control's edge exactly over it. A baseline is drawn on the
// nearest whole pixel.
bool Fits(const QString& text, const QWidget& widget, const QFont& font, int lines) {
  const QFontMetricsF metrics(font);
  const TextRoom room = RoomFor(widget, font);
  const QRectF space(room.rect);
  const QRectF needed = metrics.boundingRect(space, room.flags, text);
  constexpr double kSlack = 1.0 / 64;  // Qt's fixed-point unit
  return needed.width() <= space.width() + kSlack &&
         needed.height() <= (lines - 1) * metrics.lineSpacing() + metrics.height() + kSlack &&
         needed.bottom() - metrics.descent() < space.bottom() + 0.5;
}

QString CaptionOf(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
  return {};
}

}  // namespace

QFont FittingFont(const QWidget& widget, QFont font) {
  const QString text = CaptionOf(widget);
  if (text.isEmpty()) return font;
  const int lines = LinesIn(RoomFor(widget, font).rect, QFontMetricsF(font));
  while (font.pixelSize() > 1 && !Fits(text, widget, font, lines)) font.setPixelSize(font.pixelSize() - 1);
  return font;
}

QFont FontFor(const Font& font) {
  QFont qfont;
  qfont.setFamilies(FamiliesFor(font.family));
  qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.points * 96.0 / 72.0))));
  qfont.setBold(font.bold);
  qfont.setStyleStrategy(QFont::PreferAntialias);
  return qfont;
}

}  // namespace ui::qt
