// Texts in the player's language: every caption, title, menu item, tooltip,
// accessible name and box the window shows comes through here, from Qt's
// translators (the catalogue's Japanese when none is installed).
#pragma once

#include <QCoreApplication>
#include <QString>

#include "platform/text.h"

namespace ui::qt {

inline QString Translated(const platform::TextId& id) {
  return id.source ? QCoreApplication::translate(id.context, id.source) : QString();
}

inline QString Translated(const platform::Text& text) {
  return QString::fromStdString(
      platform::Render(text, [](const platform::TextId& id) { return Translated(id).toStdString(); }));
}

}  // namespace ui::qt
