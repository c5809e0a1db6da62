// The mascot's chat texts, as data.
#pragma once

#include <array>

#include "platform/text.h"

namespace chat {

inline constexpr int kPhrasePieces = 4;  // subject, state, topic, comment
inline constexpr int kPhraseRows = 6;    // a draw with factor 5: 0..5
inline constexpr int kTips = 11;         // a draw with factor 10: 0..10
inline constexpr int kFortunes = 8;      // a draw with factor 7: 0..7

// Indexed [piece][draw].
extern const std::array<std::array<platform::TextId, kPhraseRows>, kPhrasePieces> kPhrasePieceTable;
// The four pieces, each drawn on its own, as one phrase.
extern const platform::TextId kPhrase;
extern const std::array<platform::TextId, kTips> kTipTable;
// Worst first.
extern const std::array<platform::TextId, kFortunes> kFortuneTable;

// The retort button's boxes, all under one title.
extern const platform::TextId kRetortTitle;
extern const platform::TextId kRetortShout;
extern const platform::TextId kRetortQuestion;
extern const platform::TextId kRetortAfterYes;
extern const platform::TextId kRetortAfterNo;
extern const platform::TextId kRetortFlat;
extern const platform::TextId kRetortSung;

// The talk buttons' words in the bubble.
extern const platform::TextId kTellTheTime;
extern const platform::TextId kTellTheAddress;
extern const platform::TextId kNewColour;

}  // namespace chat
