// Fonts of the window definition as Qt fonts, with Japanese stand-ins, and
// the size a caption is drawn at.
#pragma once

#include <QFont>

#include "ui/controls.h"

class QWidget;

namespace ui::qt {

// The named family first, then fonts a Debian desktop has: the IPA fonts the
// layout is made for, then Noto CJK, which shows every text but clips some.
// Sizes are in points at 96 dots per inch, so the text fits the twips layout
// whatever the screen's own resolution.
QFont FontFor(const Font& font);

// The font a label or a button draws its caption in: `font` when the caption
// fits the control, else `font` at the largest size at which it does. It
// fits on the lines the control has at its own size (one at least), no wider
// than the control leaves for text, and with the baseline of its last line
// inside: only what hangs below a line may be cut, as in the layout's big
// labels. Texts are written to fit in the fonts the layout was drawn for; a
// number need not, nor a font with other metrics (Noto CJK's taller lines).
QFont FittingFont(const QWidget& widget, QFont font);

}  // namespace ui::qt
