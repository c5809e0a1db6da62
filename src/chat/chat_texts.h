// The mascot's chat texts, as data.
#pragma once

#include <array>

namespace chat {

inline constexpr int kPhrasePieces = 4;  // subject, state, topic, comment
inline constexpr int kPhraseRows = 6;    // a draw with factor 5: 0..5
inline constexpr int kTips = 11;         // a draw with factor 10: 0..10
inline constexpr int kFortunes = 8;      // a draw with factor 7: 0..7

// Indexed [piece][draw].
extern const std::array<std::array<const char*, kPhraseRows>, kPhrasePieces> kPhrasePieceTable;
extern const std::array<const char*, kTips> kTipTable;
// Worst first.
extern const std::array<const char*, kFortunes> kFortuneTable;

}  // namespace chat
