// The texts the Qt view adds of its own to what the window definition holds:
// the message boxes' buttons and the shortcuts' tooltip. Entries of the
// game's catalogue, shown in the player's language.
#pragma once

#include "platform/text.h"

namespace ui::qt::view_texts {

inline constexpr platform::TextId kYes = MASCOT_TEXT("MessageBox", "はい");
inline constexpr platform::TextId kNo = MASCOT_TEXT("MessageBox", "いいえ");
inline constexpr platform::TextId kOk = MASCOT_TEXT("MessageBox", "OK");
inline constexpr platform::TextId kShortcutKey = MASCOT_TEXT("Keyboard", "ショートカットキー：%1");

}  // namespace ui::qt::view_texts
