// Fonts of the window definition as Qt fonts, with Japanese stand-ins.
#pragma once

#include <QFont>

#include "ui/controls.h"

namespace ui::qt {

// The named family first, then fonts a Debian desktop has: the IPA fonts the
// layout is made for, then Noto CJK, which shows every text but clips some.
// Sizes are in points at 96 dots per inch, so the text fits the twips layout
// whatever the screen's own resolution.
QFont FontFor(const Font& font);

}  // namespace ui::qt
